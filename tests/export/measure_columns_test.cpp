// The columns a choice takes of what a first record holds, as a table of every value the records
// hold needs them (the values sheet's choice), and the rows of a table written from its own origin.
#include "export/measure_columns.h"
#include "export/measure_rows.h"
#include "fixtures/data_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "survey/data_file.h"

#include <gtest/gtest.h>

namespace {
std::vector<std::string> Titles(const TMeasureColumns& columns)
{
    std::vector<std::string> titles;
    for (const TValueColumn& c : columns.Columns) titles.push_back(c.Title);
    return titles;
}
}  // namespace

TEST(MeasureColumns, EveryHeldValueLeavesOutWhatTheRecordsLack)
{
    HarmonicsRecordFields voltage{.wiring = 1, .blocks = {{.flags = 4, .order = 0}, {.flags = 2, .order = 3}}};
    CurrentHarmonicsRecordFields current{.wiring = 1, .blocks = {{.flags = 0, .index = 0}, {.flags = 2, .index = 4}}};
    struct Case {
        const char* what;
        int measure;
        Bytes record;
        std::vector<std::uint16_t> harmonics;
        std::vector<std::string> titles;
    };
    const Case cases[] = {
        {"single-phase voltage with flags 2 and 8", 1, TrendRecord(1, {.wiring = 1, .flags = 2 | 8}), {},
         {"L1 - Minimum", "L1 - Average", "L1 - Maximum", "L1 - Min Percentile 95%", "L1 - Max Percentile 95%"}},
        {"unbalance: one block, no phase, whatever the wiring", 3, TrendRecord(3, {.flags = 16}), {},
         {"Min Percentile 99%", "Max Percentile 99%"}},
        {"each harmonic by its own block's flags, in the order asked", 4, HarmonicsRecord(voltage), {3, 0},
         {"3rd - L1 - Minimum", "3rd - L1 - Average", "3rd - L1 - Maximum", "Thd - L1 - Min Percentile 90%",
          "Thd - L1 - Max Percentile 90%"}},
        {"a current block without flag 2 holds nothing", 9, CurrentHarmonicsRecord(current), {0, 4},
         {"3rd - L1 - Minimum(%)", "3rd - L1 - Minimum(A)", "3rd - L1 - Average(%)", "3rd - L1 - Average(A)",
          "3rd - L1 - Maximum(%)", "3rd - L1 - Maximum(A)"}},
        {"the short flicker set", 5, FlickerRecord({.wiring = 1, .mode = 1}), {}, {"L1 - Pst", "L1 - Plt"}},
        {"single-phase currents after the powers", 7, PowerRecord({.wiring = 1, .flags = 2 | 16}), {},
         {"Min. Active Power", "Avg. Active Power", "Max. Active Power", "L1 - Min. Current", "L1 - Avg. Current",
          "L1 - Max. Current"}},
        {"energy totals without per-phase values", 10, EnergyRecord({}), {},
         {"Active Energy Received", "Active Energy Delivered ", "Reactive Energy Q1", "Reactive Energy Q2",
          "Reactive Energy Q3", "Reactive Energy Q4", "Apparent Energy Tot.", "Apparent Energy Q1", "Apparent Energy Q2",
          "Apparent Energy Q3", "Apparent Energy Q4"}},
    };
    for (const Case& c : cases) {
        const auto columns = MeasureValueColumns(c.measure, c.record, TColumnChoice::Everything(c.harmonics));
        ASSERT_TRUE(columns) << c.what;
        EXPECT_EQ(Titles(*columns), c.titles) << c.what;
        for (const TValueColumn& column : columns->Columns) EXPECT_TRUE(column.Offset) << c.what << ": " << column.Title;
    }
}

TEST(MeasureColumns, ATableMayWordItsTitlesFromTheNameAndPhase)
{
    const auto columns = MeasureValueColumns(10, EnergyRecord({.perPhase = 0}), TColumnChoice::Everything());
    ASSERT_TRUE(columns);
    ASSERT_EQ(columns->Columns.size(), 17u);
    const TValueColumn& total = columns->Columns[1];
    const TValueColumn& deliveredL1 = columns->Columns[14];
    EXPECT_EQ(total.Name, "Active Energy Delivered ");
    EXPECT_EQ(total.Phase, -1);
    EXPECT_EQ(deliveredL1.Title, "L1 - Active Energy Delivered ");
    EXPECT_EQ(deliveredL1.Name, "Active Energy Delivered ");
    EXPECT_EQ(deliveredL1.Phase, 0);
    EXPECT_EQ(deliveredL1.Offset, 74u);
}

TEST(RecordRows, RowsStartAtTheTablesOrigin)
{
    TempProgDir dir;
    std::vector<Bytes> records;
    for (int i = 0; i < 3; ++i)
        records.push_back(TrendRecord(1, {.time = {2024, 3, 15, 10, 10 * i}, .wiring = 1,
                                          .phases = {{.values = {1.0f + i, 2.0f + i, 3.0f + i}}}}));
    TDataFile file;
    ASSERT_EQ(file.Open(WriteDataFile(dir / "o.vme", records), MeasureVoltage), DataFileFault::None);
    TColumnChoice averages;
    averages.Items[1] = averages.Phases[0] = true;
    auto columns = MeasureValueColumns(MeasureVoltage, records[0], averages);
    ASSERT_TRUE(columns);
    // Records 1 and 2, from row 3 with the date in column 4.
    TRecordRows rows(file, 1, 2, std::move(*columns), {3, 4});
    TF1Book book;
    TRowCounters counters;
    while (rows.Step(book, counters) == RowsStep::More) {
    }
    EXPECT_EQ(counters.RowsWritten, 2);
    EXPECT_EQ(book.CellText(3, 4), "15/03/2024 10:10");
    EXPECT_EQ(book.CellText(3, 5), "3.00");
    EXPECT_EQ(book.CellText(4, 4), "15/03/2024 10:20");
    EXPECT_EQ(book.CellText(4, 5), "4.00");
    EXPECT_EQ(book.LastRow(), 4);
    EXPECT_EQ(book.LastCol(), 5);
}
