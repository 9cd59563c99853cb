// The export tests' survey, exporter run and independent workbook checks.
#include "export_run.h"

#include "../sheet/xlrd_check.h"
#include "platform/file_io.h"
#include "survey/measure_file_info.h"

#include <charconv>
#include <gtest/gtest.h>

ExportRun::ExportRun()
{
    CreateFolder(dir / "out");
    selection.Name = "feeder.orv";
    selection.Description = "Feeder 3";
    selection.Site = "Substation";
    selection.Operator = "A. Engineer";
}

void ExportRun::Add(int measure, const std::string& dataFile)
{
    TMeasureFileInfo& slot = selection.File(measure);
    EXPECT_TRUE(ReadMeasureFileInfo(dataFile, measure, slot)) << dataFile;
    slot.Selected = true;
    params.Measure(measure).OutputPath = Workbook(measure);
}

void ExportRun::SetInterval(double startMinute, double stopMinute)
{
    selection.Start = startMinute;
    selection.Stop = stopMinute + kStopMinuteExtraDays;
}

void ExportRun::SetFormat(ExportFormat format)
{
    params.Format = format;
    for (int k = 1; k <= kMeasureSlots; ++k)
        if (!params.Measure(k).OutputPath.empty()) params.Measure(k).OutputPath = Workbook(k);
}

std::string ExportRun::Workbook(int measure) const
{
    return ExportOutputPath(dir / "out", "x", measure, params.Format);
}

std::unique_ptr<TExporter> ExportRun::Run(int maxSteps)
{
    auto exporter = std::make_unique<TExporter>(selection, params);
    for (int i = 0; i < maxSteps && exporter->Step(); ++i) {
    }
    EXPECT_TRUE(exporter->Finished());
    return exporter;
}

namespace {
std::optional<double> Number(const std::string& text)
{
    if (text.empty() || text.find_first_not_of("-0123456789.") != std::string::npos) return std::nullopt;
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
    return value;
}
}  // namespace

std::vector<std::vector<std::string>> TextWorkbookCells(const std::string& path)
{
    std::vector<std::vector<std::string>> rows;
    const auto bytes = ReadWholeFile(path);
    if (!bytes) return rows;
    const std::string text(bytes->begin(), bytes->end());
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find("\r\n", start);
        if (end == std::string::npos) end = text.size();
        std::vector<std::string> cells;
        std::size_t cell = start;
        while (true) {
            const std::size_t tab = text.find('\t', cell);
            if (tab == std::string::npos || tab > end) {
                cells.push_back(text.substr(cell, end - cell));
                break;
            }
            cells.push_back(text.substr(cell, tab - cell));
            cell = tab + 1;
        }
        rows.push_back(std::move(cells));
        start = end + 2;
    }
    return rows;
}

void ExpectCells(const std::string& path, ExportFormat format, const std::vector<ExpectedCell>& cells)
{
    if (format == ExportText) {
        const auto rows = TextWorkbookCells(path);
        for (const ExpectedCell& c : cells) {
            const auto r = static_cast<std::size_t>(c.row - 1), k = static_cast<std::size_t>(c.col - 1);
            const std::string shown = r < rows.size() && k < rows[r].size() ? rows[r][k] : "";
            EXPECT_EQ(shown, c.text) << path << " row " << c.row << " column " << c.col;
        }
        return;
    }
    const XlrdDump x = CheckWithXlrd(path);
    for (const ExpectedCell& c : cells) {
        const std::string key = "cell.1." + std::to_string(c.row) + "." + std::to_string(c.col);
        const std::string where = path + " row " + std::to_string(c.row) + " column " + std::to_string(c.col);
        const std::string got = x.Has(key) ? x[key] : "b:";
        if (c.text.empty()) {
            EXPECT_EQ(got, "b:") << where;
        } else if (auto number = Number(c.text); number && !c.literal) {
            ASSERT_EQ(got.substr(0, 2), "n:") << where << ": " << got;
            EXPECT_EQ(Number(got.substr(2)).value_or(-1e300), *number) << where << ": " << got;
        } else {
            EXPECT_EQ(got, "t:" + c.text) << where;
        }
    }
}

std::vector<ExpectedCell> HeaderCells(const std::string& measureName, const std::string& start, const std::string& stop,
                                      int records)
{
    return {{2, 2, "Tarn - Zidevid Phase Monitor"},
            {4, 2, "Survey:"},
            {4, 4, "feeder.orv"},
            {5, 2, "Description:"},
            {5, 4, "Feeder 3"},
            {6, 2, "Site:"},
            {6, 4, "Substation"},
            {7, 2, "Operator:"},
            {7, 4, "A. Engineer"},
            {8, 2, "Exported measures:"},
            {8, 4, measureName},
            {9, 2, "Start date:"},
            {9, 4, start},
            {10, 2, "Stop date:"},
            {10, 4, stop},
            {11, 2, "Records:"},
            {11, 4, std::to_string(records), true}};
}

std::vector<ExpectedCell> TitleCells(const std::vector<std::string>& titles)
{
    std::vector<ExpectedCell> cells = {{13, 2, "Date"}};
    for (std::size_t i = 0; i < titles.size(); ++i) cells.push_back({13, 3 + static_cast<int>(i), titles[i]});
    return cells;
}
