// Which operation of the active child window each main-window command calls, by the child's
// view kind, and the enabling of the File, View and Analysis menus. Plain tables, so they are
// tested on their own.
#pragma once

#include <optional>

enum class Command {
    Print,
    Settings,
    ZoomIn,
    ZoomOut,
    MeasureCursor,
    Curve,
    CopyToClipboard,
    SaveSheetAs,
    FailedIntervals,
    ShowValues,
};

enum class ChildOperation {
    PrintSetup,
    PrintView,
    PrintSheet,
    EditTraces,
    EditEventsFilter,
    ZoomIn,          // SetZoom(true)
    ZoomOut,         // SetZoom(false)
    ToggleCursor,
    ShowDensityCurve,
    CopyToClipboard,
    SaveSheetAs,
    ToggleFailedIntervals,
    StartValues,     // the main window opens a values sheet on the child's values block
};

// The operation a command calls on a child of `viewKind`; nothing where the command does not
// apply (it then does nothing).
std::optional<ChildOperation> RouteCommand(Command command, int viewKind);

// View kinds of the eight trend views, the events list, the waveform view.
constexpr bool IsTrendViewKind(int kind) { return (kind >= 11 && kind <= 15) || kind == 17 || kind == 19 || kind == 20; }
constexpr int kEventsListKind = 16;
constexpr int kWaveformKind = 18;
constexpr int kSetupKind = 1;
constexpr int kValuesKind = 25;
constexpr int kAnalysisReportKind = 26;
constexpr int kSummaryReportKind = 27;
constexpr int kSheetKind = 28;

// Menu states; a kind of 0 means no active child.
struct FileMenuState {
    bool saveSetup = false;
    bool saveSetupAs = false;
    bool print = false;
};
FileMenuState FileMenuFor(int activeKind, bool setupModified);

struct ViewMenuState {
    bool settings = false;
    bool copyToClipboard = false;
};
ViewMenuState ViewMenuFor(int activeKind);

struct AnalysisMenuState {
    bool failedIntervals = false;
    bool barReport = false;
    bool saveSheetAs = false;
};
AnalysisMenuState AnalysisMenuFor(int activeKind, bool reportHasNoFailedIntervals);

// The event number the Go To button takes: the spin box's value clamped to its range, first to
// the maximum, then to the minimum.
int ClampEventNumber(int value, int minimum, int maximum);
