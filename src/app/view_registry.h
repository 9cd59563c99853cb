// The windows the main window opens, registered by the program at start, so the main window
// needs no link to every view class. A road whose window is not registered ends cleanly.
#pragma once

#include <functional>
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
