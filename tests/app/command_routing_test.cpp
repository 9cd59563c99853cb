// Routing and menu-enabling tables over every view kind.
#include "app/command_routing.h"

#include <gtest/gtest.h>
#include <map>

namespace {
using Op = ChildOperation;
const int kKinds[] = {0, 1, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 25, 26, 27, 28, 5};

std::optional<Op> Expected(Command c, int k)
{
    bool trend = (k >= 11 && k <= 15) || k == 17 || k == 19 || k == 20;
    bool sheet = k == 16 || k == 25 || k == 26 || k == 27 || k == 28;
    switch (c) {
    case Command::Print: return k == 1 ? Op::PrintSetup : (trend || k == 18) ? Op::PrintView : sheet ? std::optional(Op::PrintSheet) : std::nullopt;
    case Command::Settings: return (trend || k == 18) ? Op::EditTraces : k == 16 ? std::optional(Op::EditEventsFilter) : std::nullopt;
    case Command::ZoomIn: return (trend || k == 18) ? std::optional(Op::ZoomIn) : std::nullopt;
    case Command::ZoomOut: return (trend || k == 18) ? std::optional(Op::ZoomOut) : std::nullopt;
    case Command::MeasureCursor: return (trend || k == 18) ? std::optional(Op::ToggleCursor) : std::nullopt;
    case Command::Curve: return (k >= 11 && k <= 15) ? std::optional(Op::ShowDensityCurve) : std::nullopt;
    case Command::CopyToClipboard: return (trend || k == 18) ? std::optional(Op::CopyToClipboard) : std::nullopt;
    case Command::SaveSheetAs: return sheet ? std::optional(Op::SaveSheetAs) : std::nullopt;
    case Command::FailedIntervals: return k == 26 ? std::optional(Op::ToggleFailedIntervals) : std::nullopt;
    case Command::ShowValues: return (trend || k == 18) ? std::optional(Op::StartValues) : std::nullopt;
    }
    return std::nullopt;
}
}  // namespace

TEST(CommandRouting, EveryCommandForEveryViewKind)
{
    for (Command c : {Command::Print, Command::Settings, Command::ZoomIn, Command::ZoomOut, Command::MeasureCursor,
                      Command::Curve, Command::CopyToClipboard, Command::SaveSheetAs, Command::FailedIntervals,
                      Command::ShowValues})
        for (int k : kKinds) EXPECT_EQ(RouteCommand(c, k), Expected(c, k)) << "command " << int(c) << " kind " << k;
}

TEST(CommandRouting, ViewMenuOffersFilterForEventsListAndNothingForWaveforms)
{
    EXPECT_TRUE(ViewMenuFor(16).settings);
    EXPECT_FALSE(ViewMenuFor(16).copyToClipboard);
    EXPECT_FALSE(ViewMenuFor(18).settings);
    EXPECT_FALSE(ViewMenuFor(18).copyToClipboard);
    EXPECT_TRUE(ViewMenuFor(20).copyToClipboard);
    EXPECT_FALSE(ViewMenuFor(0).settings);
}

TEST(CommandRouting, FileAndAnalysisMenus)
{
    EXPECT_FALSE(FileMenuFor(0, false).print);
    EXPECT_TRUE(FileMenuFor(11, false).print);
    EXPECT_FALSE(FileMenuFor(11, true).saveSetup);
    EXPECT_TRUE(FileMenuFor(1, true).saveSetup);
    EXPECT_FALSE(FileMenuFor(1, false).saveSetup);
    EXPECT_TRUE(FileMenuFor(1, false).saveSetupAs);

    for (int k : {16, 25, 27, 28}) {
        EXPECT_TRUE(AnalysisMenuFor(k, false).saveSheetAs) << k;
        EXPECT_FALSE(AnalysisMenuFor(k, false).barReport) << k;
    }
    EXPECT_TRUE(AnalysisMenuFor(26, false).failedIntervals);
    EXPECT_FALSE(AnalysisMenuFor(26, true).failedIntervals);
    EXPECT_TRUE(AnalysisMenuFor(26, true).barReport);
    EXPECT_FALSE(AnalysisMenuFor(11, false).saveSheetAs);
}

TEST(CommandRouting, EventNumberIsClampedToTheSpinRange)
{
    EXPECT_EQ(ClampEventNumber(0, 1, 40), 1);
    EXPECT_EQ(ClampEventNumber(41, 1, 40), 40);
    EXPECT_EQ(ClampEventNumber(7, 1, 40), 7);
    EXPECT_EQ(ClampEventNumber(5, 1, 0), 1);  // an empty range: the minimum wins
}
