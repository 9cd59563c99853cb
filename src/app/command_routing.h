// Which operation of the active child window each main-window command calls, by the child's
// view kind, and the enabling of the File, View and Analysis menus: one table of the kinds
// (command_routing.cpp) from which routing, menus and the Close rule are derived, tested on
// its own.
#pragma once

#include "app/view_kinds.h"

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

// Each operation belongs to one capability of a child (app/child_capabilities.h).
enum class ChildOperation {
    Print,                  // TPrintable: the setup's, the view's or the sheet's own printing
    EditTraces,             // TGraphView
    ZoomIn,                 // TGraphView: SetZoom(true)
    ZoomOut,                // TGraphView: SetZoom(false)
    ToggleCursor,           // TGraphView
    CopyToClipboard,        // TGraphView
    ShowDensityCurve,       // TCurveSource: the density or CPF curve
    EditEventsFilter,       // TEventsFilter
    SaveSheetAs,            // TSavableSheet
    ToggleFailedIntervals,  // TFailedIntervalsView
    StartValues,            // TValuesSource: the main window opens a values sheet on its block
};

// The operation a command calls on a child of `kind`; nothing where the command does not
// apply (it then does nothing).
std::optional<ChildOperation> RouteCommand(Command command, TViewKind kind);

// The kinds of the table, which "Close" acts on; any other kind is left open.
bool IsClosableViewKind(TViewKind kind);
// The child window of a kind ("voltage", "analysis report"); "" for a kind not in the table.
const char* ViewKindCaption(TViewKind kind);

// Menu states; TViewKind::None means no active child.
struct FileMenuState {
    bool saveSetup = false;
    bool saveSetupAs = false;
    bool print = false;
    bool operator==(const FileMenuState&) const = default;
};
FileMenuState FileMenuFor(TViewKind activeKind, bool setupModified);

struct ViewMenuState {
    bool settings = false;
    bool copyToClipboard = false;
    bool operator==(const ViewMenuState&) const = default;
};
ViewMenuState ViewMenuFor(TViewKind activeKind);

struct AnalysisMenuState {
    bool failedIntervals = false;
    bool barReport = false;
    bool saveSheetAs = false;
    bool operator==(const AnalysisMenuState&) const = default;
};
AnalysisMenuState AnalysisMenuFor(TViewKind activeKind, bool reportHasFailedIntervals);

// The event number the Go To button takes: the spin box's value clamped to its range, first to
// the maximum, then to the minimum.
int ClampEventNumber(int value, int minimum, int maximum);
