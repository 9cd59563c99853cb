// The table of view kinds, and the routing and menu enabling derived from it.
#include "app/command_routing.h"

namespace {
using Op = ChildOperation;
using K = TViewKind;

// What each command calls on a child of one kind; a command left empty does not apply.
struct TKindRoutes {
    std::optional<Op> Print{}, Settings{}, ZoomIn{}, ZoomOut{}, MeasureCursor{}, Curve{}, CopyToClipboard{},
        SaveSheetAs{}, FailedIntervals{}, ShowValues{};

    std::optional<Op> Of(Command command) const
    {
        switch (command) {
        case Command::Print: return Print;
        case Command::Settings: return Settings;
        case Command::ZoomIn: return ZoomIn;
        case Command::ZoomOut: return ZoomOut;
        case Command::MeasureCursor: return MeasureCursor;
        case Command::Curve: return Curve;
        case Command::CopyToClipboard: return CopyToClipboard;
        case Command::SaveSheetAs: return SaveSheetAs;
        case Command::FailedIntervals: return FailedIntervals;
        case Command::ShowValues: return ShowValues;
        }
        return std::nullopt;
    }
};

// The menu items a kind enables when its menu drops down.
struct TKindMenus {
    bool Settings = false, CopyToClipboard = false;  // View menu
    bool SaveSheetAs = false;                        // Analysis menu
    bool ReportCommands = false;                     // Analysis menu: Show Failed Intervals, Show Bar Report
    bool SetupCommands = false;                      // File menu: Save Setup, Save Setup As
};

struct TViewKindRow {
    TViewKind Kind;
    const char* Caption;
    TKindRoutes Routes;
    TKindMenus Menus;
};

// The graph commands of the trend views and the waveform view.
constexpr TKindRoutes kGraphRoutes{.Print = Op::Print,
                                   .Settings = Op::EditTraces,
                                   .ZoomIn = Op::ZoomIn,
                                   .ZoomOut = Op::ZoomOut,
                                   .MeasureCursor = Op::ToggleCursor,
                                   .CopyToClipboard = Op::CopyToClipboard,
                                   .ShowValues = Op::StartValues};
// The trend views whose records carry a density or CPF curve (kinds 11 to 15).
constexpr TKindRoutes kCurveRoutes = [] {
    TKindRoutes routes = kGraphRoutes;
    routes.Curve = Op::ShowDensityCurve;
    return routes;
}();
constexpr TKindRoutes kSheetRoutes{.Print = Op::Print, .SaveSheetAs = Op::SaveSheetAs};
constexpr TKindRoutes kEventsListRoutes = [] {
    TKindRoutes routes = kSheetRoutes;
    routes.Settings = Op::EditEventsFilter;
    return routes;
}();
constexpr TKindRoutes kReportRoutes = [] {
    TKindRoutes routes = kSheetRoutes;
    routes.FailedIntervals = Op::ToggleFailedIntervals;
    return routes;
}();

constexpr TKindMenus kTrendMenus{.Settings = true, .CopyToClipboard = true};
constexpr TKindMenus kSheetMenus{.SaveSheetAs = true};

// Every kind a child window carries. The setup editor's commands stay disabled, but its
// routes are kept for when they are not.
constexpr TViewKindRow kViewKinds[] = {
    {K::Setup, "setup editor", {.Print = Op::Print}, {.SetupCommands = true}},
    {K::Voltage, "voltage", kCurveRoutes, kTrendMenus},
    {K::Frequency, "frequency", kCurveRoutes, kTrendMenus},
    {K::Unbalance, "unbalance", kCurveRoutes, kTrendMenus},
    {K::VoltageHarmonics, "voltage harmonics", kCurveRoutes, kTrendMenus},
    {K::Flicker, "flicker", kCurveRoutes, kTrendMenus},
    {K::EventsList, "events list", kEventsListRoutes, {.Settings = true, .SaveSheetAs = true}},
    {K::Powers, "powers and currents", kGraphRoutes, kTrendMenus},
    // The waveform view offers settings and copy on the toolbar only.
    {K::Samples, "voltage samples", kGraphRoutes, {}},
    {K::CurrentHarmonics, "current harmonics", kGraphRoutes, kTrendMenus},
    {K::Energy, "energy", kGraphRoutes, kTrendMenus},
    {K::ValuesSheet, "values sheet", kSheetRoutes, kSheetMenus},
    {K::AnalysisReport, "analysis report", kReportRoutes, {.SaveSheetAs = true, .ReportCommands = true}},
    {K::SummaryReport, "survey summary", kSheetRoutes, kSheetMenus},
    {K::Sheet, "sheet", kSheetRoutes, kSheetMenus},
};

const TViewKindRow* FindKind(TViewKind kind)
{
    for (const TViewKindRow& row : kViewKinds)
        if (row.Kind == kind) return &row;
    return nullptr;
}
}  // namespace

std::optional<ChildOperation> RouteCommand(Command command, TViewKind kind)
{
    const TViewKindRow* row = FindKind(kind);
    return row ? row->Routes.Of(command) : std::nullopt;
}

bool IsClosableViewKind(TViewKind kind) { return FindKind(kind) != nullptr; }

const char* ViewKindCaption(TViewKind kind)
{
    const TViewKindRow* row = FindKind(kind);
    return row ? row->Caption : "";
}

FileMenuState FileMenuFor(TViewKind kind, bool setupModified)
{
    const TViewKindRow* row = FindKind(kind);
    FileMenuState state;
    if (row && row->Menus.SetupCommands) {
        state.saveSetup = setupModified;
        state.saveSetupAs = true;
    }
    state.print = kind != TViewKind::None;
    return state;
}

ViewMenuState ViewMenuFor(TViewKind kind)
{
    const TViewKindRow* row = FindKind(kind);
    if (!row) return {};
    return {row->Menus.Settings, row->Menus.CopyToClipboard};
}

AnalysisMenuState AnalysisMenuFor(TViewKind kind, bool reportHasFailedIntervals)
{
    const TViewKindRow* row = FindKind(kind);
    if (!row) return {};
    AnalysisMenuState state;
    state.saveSheetAs = row->Menus.SaveSheetAs;
    state.barReport = row->Menus.ReportCommands;
    state.failedIntervals = row->Menus.ReportCommands && reportHasFailedIntervals;
    return state;
}

int ClampEventNumber(int value, int minimum, int maximum)
{
    if (value > maximum) value = maximum;
    if (value < minimum) value = minimum;
    return value;
}
