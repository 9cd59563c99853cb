// Routing and menu-enabling tables over every view kind, stated row by row.
#include "app/command_routing.h"

#include <gtest/gtest.h>

namespace {
using Op = ChildOperation;
using Kind = TViewKind;
constexpr std::optional<Op> _ = std::nullopt;
constexpr Command kCommands[] = {Command::Print, Command::Settings, Command::ZoomIn, Command::ZoomOut,
                                 Command::MeasureCursor, Command::Curve, Command::CopyToClipboard,
                                 Command::SaveSheetAs, Command::FailedIntervals, Command::ShowValues};

struct RoutingRow {
    TViewKind kind;
    // Print, Settings, Zoom In, Zoom Out, Measure Cursor, Curve, Copy, Save Sheet As, Failed Intervals, Show Values
    std::optional<Op> ops[10];
};
const Op P = Op::Print, T = Op::EditTraces, I = Op::ZoomIn, O = Op::ZoomOut, C = Op::ToggleCursor,
         D = Op::ShowDensityCurve, K = Op::CopyToClipboard, S = Op::SaveSheetAs, E = Op::EditEventsFilter,
         F = Op::ToggleFailedIntervals, V = Op::StartValues;
const RoutingRow kRouting[] = {
    {Kind::None, {_, _, _, _, _, _, _, _, _, _}},
    {Kind::Setup, {P, _, _, _, _, _, _, _, _, _}},
    {Kind::Voltage, {P, T, I, O, C, D, K, _, _, V}},
    {Kind::Frequency, {P, T, I, O, C, D, K, _, _, V}},
    {Kind::Unbalance, {P, T, I, O, C, D, K, _, _, V}},
    {Kind::VoltageHarmonics, {P, T, I, O, C, D, K, _, _, V}},
    {Kind::Flicker, {P, T, I, O, C, D, K, _, _, V}},
    {Kind::EventsList, {P, E, _, _, _, _, _, S, _, _}},
    {Kind::Powers, {P, T, I, O, C, _, K, _, _, V}},
    {Kind::Samples, {P, T, I, O, C, _, K, _, _, V}},
    {Kind::CurrentHarmonics, {P, T, I, O, C, _, K, _, _, V}},
    {Kind::Energy, {P, T, I, O, C, _, K, _, _, V}},
    {Kind::ValuesSheet, {P, _, _, _, _, _, _, S, _, _}},
    {Kind::AnalysisReport, {P, _, _, _, _, _, _, S, F, _}},
    {Kind::SummaryReport, {P, _, _, _, _, _, _, S, _, _}},
    {Kind::Sheet, {P, _, _, _, _, _, _, S, _, _}},
    {static_cast<Kind>(5), {_, _, _, _, _, _, _, _, _, _}},  // a kind no window carries
    {static_cast<Kind>(21), {_, _, _, _, _, _, _, _, _, _}},
};

struct MenuRow {
    TViewKind kind;
    ViewMenuState view;
    AnalysisMenuState analysis;  // for a report with failed intervals
};
const MenuRow kMenus[] = {
    {Kind::None, {false, false}, {false, false, false}},
    {Kind::Setup, {false, false}, {false, false, false}},
    {Kind::Voltage, {true, true}, {false, false, false}},
    {Kind::Flicker, {true, true}, {false, false, false}},
    {Kind::EventsList, {true, false}, {false, false, true}},
    {Kind::Powers, {true, true}, {false, false, false}},
    {Kind::Samples, {false, false}, {false, false, false}},  // the waveform view: on the toolbar only
    {Kind::CurrentHarmonics, {true, true}, {false, false, false}},
    {Kind::Energy, {true, true}, {false, false, false}},
    {Kind::ValuesSheet, {false, false}, {false, false, true}},
    {Kind::AnalysisReport, {false, false}, {true, true, true}},
    {Kind::SummaryReport, {false, false}, {false, false, true}},
    {Kind::Sheet, {false, false}, {false, false, true}},
    {static_cast<Kind>(5), {false, false}, {false, false, false}},
};
}  // namespace

TEST(CommandRouting, EveryCommandForEveryViewKind)
{
    for (const RoutingRow& row : kRouting)
        for (int c = 0; c < 10; ++c)
            EXPECT_EQ(RouteCommand(kCommands[c], row.kind), row.ops[c])
                << "command " << c << ", kind " << static_cast<int>(row.kind) << " " << ViewKindCaption(row.kind);
}

TEST(CommandRouting, MeasureViewsAreKindTenPlusTheMeasure)
{
    EXPECT_EQ(MeasureViewKind(1), Kind::Voltage);
    EXPECT_EQ(MeasureViewKind(6), Kind::EventsList);
    EXPECT_EQ(MeasureViewKind(8), Kind::Samples);
    EXPECT_EQ(MeasureViewKind(10), Kind::Energy);
    EXPECT_EQ(MeasureOfViewKind(Kind::Voltage), 1);
    EXPECT_EQ(MeasureOfViewKind(Kind::Energy), 10);
    for (TViewKind other : {Kind::None, Kind::Setup, Kind::ValuesSheet, Kind::Sheet}) EXPECT_EQ(MeasureOfViewKind(other), 0);
}

TEST(CommandRouting, CloseActsOnEveryKindAWindowCarries)
{
    for (int k : {1, 11, 15, 16, 18, 20, 25, 26, 27, 28}) EXPECT_TRUE(IsClosableViewKind(static_cast<Kind>(k))) << k;
    for (int k : {0, 2, 5, 10, 21, 24, 29}) EXPECT_FALSE(IsClosableViewKind(static_cast<Kind>(k))) << k;
    EXPECT_STREQ(ViewKindCaption(Kind::AnalysisReport), "analysis report");
    EXPECT_STREQ(ViewKindCaption(static_cast<Kind>(5)), "");
}

TEST(CommandRouting, ViewAndAnalysisMenusForEveryKind)
{
    for (const MenuRow& row : kMenus) {
        EXPECT_EQ(ViewMenuFor(row.kind), row.view) << static_cast<int>(row.kind);
        EXPECT_EQ(AnalysisMenuFor(row.kind, true), row.analysis) << static_cast<int>(row.kind);
    }
    // A report whose every measure passed has no failed intervals to show.
    EXPECT_EQ(AnalysisMenuFor(Kind::AnalysisReport, false), (AnalysisMenuState{false, true, true}));
}

TEST(CommandRouting, FileMenuOffersPrintForAnyChildAndSavingForTheSetupEditor)
{
    EXPECT_EQ(FileMenuFor(Kind::None, false), (FileMenuState{false, false, false}));
    EXPECT_EQ(FileMenuFor(Kind::Voltage, true), (FileMenuState{false, false, true}));
    EXPECT_EQ(FileMenuFor(static_cast<Kind>(5), false), (FileMenuState{false, false, true}));
    EXPECT_EQ(FileMenuFor(Kind::Setup, false), (FileMenuState{false, true, true}));
    EXPECT_EQ(FileMenuFor(Kind::Setup, true), (FileMenuState{true, true, true}));
}

TEST(CommandRouting, EventNumberIsClampedToTheSpinRange)
{
    EXPECT_EQ(ClampEventNumber(0, 1, 40), 1);
    EXPECT_EQ(ClampEventNumber(41, 1, 40), 40);
    EXPECT_EQ(ClampEventNumber(7, 1, 40), 7);
    EXPECT_EQ(ClampEventNumber(5, 1, 0), 1);  // an empty range: the minimum wins
}
