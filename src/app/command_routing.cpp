// Command routing and menu enabling tables.
#include "app/command_routing.h"

std::optional<ChildOperation> RouteCommand(Command command, int kind)
{
    using Op = ChildOperation;
    const bool trend = IsTrendViewKind(kind);
    const bool curveKind = kind >= 11 && kind <= 15;  // density or CPF curve
    const bool sheetKind = kind == kEventsListKind || kind == kValuesKind || kind == kAnalysisReportKind ||
                           kind == kSummaryReportKind || kind == kSheetKind;
    switch (command) {
    case Command::Print:
        if (kind == kSetupKind) return Op::PrintSetup;
        if (trend || kind == kWaveformKind) return Op::PrintView;
        if (sheetKind) return Op::PrintSheet;
        return std::nullopt;
    case Command::Settings:
        if (trend || kind == kWaveformKind) return Op::EditTraces;
        if (kind == kEventsListKind) return Op::EditEventsFilter;
        return std::nullopt;
    case Command::ZoomIn:
        if (trend || kind == kWaveformKind) return Op::ZoomIn;
        return std::nullopt;
    case Command::ZoomOut:
        if (trend || kind == kWaveformKind) return Op::ZoomOut;
        return std::nullopt;
    case Command::MeasureCursor:
        if (trend || kind == kWaveformKind) return Op::ToggleCursor;
        return std::nullopt;
    case Command::Curve:
        if (curveKind) return Op::ShowDensityCurve;
        return std::nullopt;
    case Command::CopyToClipboard:
        if (trend || kind == kWaveformKind) return Op::CopyToClipboard;
        return std::nullopt;
    case Command::SaveSheetAs:
        if (sheetKind) return Op::SaveSheetAs;
        return std::nullopt;
    case Command::FailedIntervals:
        if (kind == kAnalysisReportKind) return Op::ToggleFailedIntervals;
        return std::nullopt;
    case Command::ShowValues:
        if (trend || kind == kWaveformKind) return Op::StartValues;
        return std::nullopt;
    }
    return std::nullopt;
}

FileMenuState FileMenuFor(int kind, bool setupModified)
{
    FileMenuState state;
    if (kind == kSetupKind) {
        state.saveSetup = setupModified;
        state.saveSetupAs = true;
    }
    state.print = kind != 0;
    return state;
}

ViewMenuState ViewMenuFor(int kind)
{
    ViewMenuState state;
    if (IsTrendViewKind(kind)) state.settings = state.copyToClipboard = true;
    if (kind == kEventsListKind) state.settings = true;
    // The waveform view offers both on the toolbar only.
    return state;
}

AnalysisMenuState AnalysisMenuFor(int kind, bool reportHasNoFailedIntervals)
{
    AnalysisMenuState state;
    if (kind == kEventsListKind || kind == kValuesKind || kind == kSummaryReportKind || kind == kSheetKind)
        state.saveSheetAs = true;
    if (kind == kAnalysisReportKind) {
        state.saveSheetAs = state.barReport = true;
        state.failedIntervals = !reportHasNoFailedIntervals;
    }
    return state;
}

int ClampEventNumber(int value, int minimum, int maximum)
{
    if (value > maximum) value = maximum;
    if (value < minimum) value = minimum;
    return value;
}
