// The windows the main window opens, registered by the program at start, so the main window
// needs no link to every view class. A road whose window is not registered ends cleanly.
#pragma once

#include <functional>
#include <optional>
#include <string>

class QWidget;
class TChildForm;

// Creates the view of one measure (1 to 10) from SurveySelection(); null when it cannot open.
using MeasureViewFactory = std::function<TChildForm*(QWidget* parent)>;
void RegisterMeasureView(int measure, MeasureViewFactory factory);
TChildForm* CreateMeasureView(int measure, QWidget* parent);
bool HasMeasureView(int measure);

// Windows on a file: analysis report (kind 26), sheet (kind 28); the summary report (27) reads
// the summary hand-over file and gets "" as its path.
using DocumentWindowFactory = std::function<TChildForm*(QWidget* parent, const std::string& path)>;
void RegisterDocumentWindow(int viewKind, DocumentWindowFactory factory);
TChildForm* CreateDocumentWindow(int viewKind, QWidget* parent, const std::string& path);

// Fills SurveySelection for the survey that owns a samples file, over [start, stop]; false when
// no survey can be found (the waveform view's survey lookup registers it).
using SamplesSurveyLookup = std::function<bool(const std::string& samplesPath, double start, double stop)>;
void RegisterSamplesSurveyLookup(SamplesSurveyLookup lookup);
bool LookUpSurveyForSamples(const std::string& samplesPath, double start, double stop);

// The modal windows of the main window's task roads and the values sheet, set by the program
// when they exist. A road whose window is not set ends where that window would open.
struct TRoadWindows {
    // Export wizard (true on Finish), then the exporter; they share "export.tmp".
    std::function<bool(QWidget* parent)> ExportWizard;
    std::function<void(QWidget* parent)> Exporter;
    // Analysis wizard (true on Finish); the analysis engine: true when the report was saved,
    // with its file name.
    std::function<bool(QWidget* parent)> AnalysisWizard;
    std::function<bool(QWidget* parent, std::string& reportName)> AnalysisEngine;
    // Bar report of a report file.
    std::function<void(QWidget* parent, const std::string& reportFile)> BarReport;
    // Summary wizard, preset on a survey file when one is given: the survey chosen, nothing on
    // Cancel. The summary engine: false when it was aborted.
    std::function<std::optional<std::string>(QWidget* parent, const std::string& presetSurvey)> SummaryWizard;
    std::function<bool(QWidget* parent)> SummaryEngine;
    // A values sheet window (kind 25) started on the values block of a view of kind 11 to 20.
    std::function<TChildForm*(TChildForm& view)> ValuesSheet;
};
TRoadWindows& RoadWindows();
