// The windows the main window opens, registered by the program at start on the registry the
// main window owns (TMainForm::WindowRegistry), so the main window needs no link to every
// window class and a test's registrations end with its main window. A road whose window is
// not registered ends cleanly. Every child is created with its context (app/child_context.h),
// never from the program-wide selection.
#pragma once

#include "app/child_context.h"
#include "app/view_kinds.h"
#include "survey/records.h"

#include <array>
#include <functional>
#include <map>
#include <optional>
#include <string>

class QWidget;
class TChildForm;
struct TValuesBlock;

// The modal windows of the main window's task roads and the values sheet. A road whose window
// is not set ends where that window would open.
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
    // A values sheet window (kind 25) started on a view's values block, its context on the
    // view's selection; the measure kind is the view's measure (1 to 10).
    std::function<TChildForm*(const TChildContext& context, const TValuesBlock& block, int measureKind)> ValuesSheet;
};

class TWindowRegistry {
public:
    // Creates the view of one measure (1 to 10) on its context's selection; null when it cannot
    // open.
    using MeasureViewFactory = std::function<TChildForm*(const TChildContext& context, QWidget* parent)>;
    void RegisterMeasureView(int measure, MeasureViewFactory factory);
    TChildForm* CreateMeasureView(int measure, const TChildContext& context, QWidget* parent) const;

    // Windows on a file: the analysis report and the sheet; the summary report reads the
    // summary hand-over file and gets "" as its path.
    using DocumentWindowFactory =
        std::function<TChildForm*(const TChildContext& context, QWidget* parent, const std::string& path)>;
    void RegisterDocumentWindow(TViewKind kind, DocumentWindowFactory factory);
    TChildForm* CreateDocumentWindow(TViewKind kind, const TChildContext& context, QWidget* parent,
                                     const std::string& path) const;

    // Fills `selection` for the survey that owns a samples file, over [start, stop]; false when
    // no survey can be found (the waveform view's survey lookup registers it). The waveform view
    // opened on it gets it as its context's selection.
    using SamplesSurveyLookup =
        std::function<bool(const std::string& samplesPath, TDateTime start, TDateTime stop, TSurveySelection& selection)>;
    void RegisterSamplesSurveyLookup(SamplesSurveyLookup lookup);
    bool LookUpSurveyForSamples(const std::string& samplesPath, TDateTime start, TDateTime stop,
                                TSurveySelection& selection) const;

    TRoadWindows& RoadWindows() { return roads_; }
    const TRoadWindows& RoadWindows() const { return roads_; }

private:
    std::array<MeasureViewFactory, kMeasureCount + 1> measureViews_;  // by measure, 0 unused
    std::map<TViewKind, DocumentWindowFactory> documentWindows_;
    SamplesSurveyLookup samplesLookup_;
    TRoadWindows roads_;
};
