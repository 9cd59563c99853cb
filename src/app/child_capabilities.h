// The capabilities a child window offers the main window's commands. The main window asks the
// active child for the one a command needs (Capability<T>, app/child_form.h), so a window
// implements only what the commands of its kind reach: a report is a TPrintable and a
// TSavableSheet, a trend view a TPrintable, TGraphView, TCurveSource and TValuesSource, the
// setup editor a TPrintable and a TSetupDocument.
#pragma once

#include "survey/records.h"
#include "survey/trace_records.h"

#include <cstdint>
#include <string>

// Print: the setup's, the view's or the sheet's own printing.
class TPrintable {
public:
    virtual ~TPrintable() = default;
    virtual void Print() = 0;
};

// Save Setup and Save Setup As of the setup editor.
class TSetupDocument {
public:
    virtual ~TSetupDocument() = default;
    virtual void SaveSetup() = 0;
    virtual void SaveSetupAs() = 0;
};

// Save Sheet As of the spreadsheet windows.
class TSavableSheet {
public:
    virtual ~TSavableSheet() = default;
    virtual void SaveSheetAs() = 0;
};

// The graph commands of the trend views and the waveform view.
class TGraphView {
public:
    virtual ~TGraphView() = default;
    virtual void EditTraces() = 0;
    virtual void SetZoom(bool zoomIn) = 0;
    virtual void ToggleCursor() = 0;
    virtual void CopyToClipboard() = 0;
};

// The density or CPF curve of the record under the cursor.
class TCurveSource {
public:
    virtual ~TCurveSource() = default;
    virtual void ShowDensityCurve() = 0;
};

// The events list's filter (its Settings command).
class TEventsFilter {
public:
    virtual ~TEventsFilter() = default;
    virtual void EditEventsFilter() = 0;
};

// The analysis report's switch between its summary and its failed intervals.
class TFailedIntervalsView {
public:
    virtual ~TFailedIntervalsView() = default;
    virtual void ToggleFailedIntervals() = 0;
};

// What the Show Values command hands to a new values sheet, besides the measure kind the main
// window takes from the view kind.
struct TValuesBlock {
    std::string SurveyName;    // the survey file's name without folder
    TMeasureFileInfo FileInfo; // the view's copy of its measure's slot
    TInfoPrintVal InfoPrint;   // the view's six information lines
    std::uint32_t PeriodRecords = 0;
    TTraceSettings Traces;     // as last applied
    std::int32_t EventNumber = 0;  // the waveform view's current event and its file offset;
    std::int32_t EventOffset = 0;  // 0 for the trend views
};

class TValuesSource {
public:
    virtual ~TValuesSource() = default;
    virtual TValuesBlock ValuesBlock() const = 0;
};

// The waveform view: the event toolbar, and the events list's road to the waveform of an event.
class TWaveformNavigator {
public:
    virtual ~TWaveformNavigator() = default;
    virtual void TogglePanMode() = 0;
    virtual void ShowFullRange() = 0;
    virtual void GoToFirstEvent() = 0;
    virtual void GoToPreviousEvent() = 0;
    virtual void ToggleAutoBackward() = 0;
    virtual void ToggleAutoForward() = 0;
    virtual void GoToNextEvent() = 0;
    virtual void GoToLastEvent() = 0;
    virtual void GoToEventNumber(int number) = 0;
    virtual void GoToEventOffset(std::int32_t offset) = 0;
    virtual void GoToEventTime(double eventTime) = 0;
    // The samples file shown and whether the view's own period holds a time.
    virtual std::string SamplesFilePath() const = 0;
    virtual bool PeriodHolds(double eventTime) const = 0;
};
