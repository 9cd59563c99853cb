// The report template's labels, by row of the 178-row layout, and the book built from them.
#include "analysis/report_template.h"

#include "analysis/analysis_records.h"
#include "survey/number_text.h"
#include "survey/records.h"

#include <span>
#include <string>

namespace {
enum class LineKind { Label, Heading, BlockTitle, Title, Subtitle };

// One text of the template: its row (within a block: counted from the row before the block),
// its column and its look.
struct TemplateLine {
    int row;
    int col;
    std::string_view text;
    LineKind kind = LineKind::Label;
};

constexpr int kLabel = ReportCols::Label;
constexpr LineKind kHeading = LineKind::Heading, kBlockTitle = LineKind::BlockTitle;

constexpr TemplateLine kHead[] = {
    {ReportRows::Title, kLabel, "Tarn - Zidevid Phase Monitor", LineKind::Title},
    {ReportRows::Subtitle, kLabel, "Compliance Analysis Report", LineKind::Subtitle},
    {ReportRows::SurveyName, kLabel, "Survey:"},
    {ReportRows::Description, kLabel, "Description:"},
    {ReportRows::Site, kLabel, "Site:"},
    {ReportRows::Operator, kLabel, "Operator:"},
    {ReportRows::Start, kLabel, "Start:"},
    {ReportRows::Stop, kLabel, "Stop:"},
    {ReportRows::WindowDays, kLabel, "Window duration:"},
    {ReportRows::Period, kLabel, "Observation period:"},
    {ReportRows::Nominal, kLabel, "Nominal voltage:"},
    {ReportRows::Verdict, kLabel, "Overall result:", kHeading},
};

// Voltage and frequency judge two limits each: the same lines of limits.
constexpr TemplateLine kTwoLimits[] = {
    {3, kLabel, "Records in the data file:"},
    {4, kLabel, "Limit 1, below nominal by:"},
    {5, kLabel, "Limit 1, above nominal by:"},
    {6, kLabel, "Limit 1, records within at least:"},
    {7, kLabel, "Limit 2, below nominal by:"},
    {8, kLabel, "Limit 2, above nominal by:"},
    {9, kLabel, "Limit 2, records within at least:"},
    {11, kLabel, "Records analysed:"},
};

constexpr TemplateLine kVoltage[] = {
    {1, kLabel, "Voltage", kBlockTitle},
    {12, kLabel, "Limit 1, records outside, L1:"},
    {13, kLabel, "Limit 1, records outside, L2:"},
    {14, kLabel, "Limit 1, records outside, L3:"},
    {15, kLabel, "Limit 2, records outside, L1:"},
    {16, kLabel, "Limit 2, records outside, L2:"},
    {17, kLabel, "Limit 2, records outside, L3:"},
    {18, kLabel, "Result:", kHeading},
};

constexpr TemplateLine kFrequency[] = {
    {1, kLabel, "Frequency", kBlockTitle},
    {12, kLabel, "Limit 1, records outside:"},
    {13, kLabel, "Limit 2, records outside:"},
    {14, kLabel, "Result:", kHeading},
};

constexpr TemplateLine kUnbalance[] = {
    {1, kLabel, "Unbalance", kBlockTitle},
    {3, kLabel, "Records in the data file:"},
    {4, kLabel, "Unbalance at most:"},
    {5, kLabel, "Records within at least:"},
    {7, kLabel, "Records analysed:"},
    {8, kLabel, "Records outside:"},
    {9, kLabel, "Result:", kHeading},
};

// The harmonic block's fixed lines; its two tables are laid out by order below.
constexpr TemplateLine kHarmonics[] = {
    {1, kLabel, "Voltage Harmonics", kBlockTitle},
    {3, kLabel, "Records in the data file:"},
    {45, kLabel, "Records analysed:"},
    {46, kLabel, "Records outside", kHeading},
    {46, ReportCols::L1, "L1", kHeading},
    {46, ReportCols::L2, "L2", kHeading},
    {46, ReportCols::L3, "L3", kHeading},
    {87, kLabel, "Result:", kHeading},
};

constexpr TemplateLine kFlicker[] = {
    {1, kLabel, "Flicker", kBlockTitle},
    {3, kLabel, "Records in the data file:"},
    {4, kLabel, "Plt at most:"},
    {5, kLabel, "Records within at least:"},
    {7, kLabel, "Records analysed:"},
    {8, kLabel, "Records outside, L1:"},
    {9, kLabel, "Records outside, L2:"},
    {10, kLabel, "Records outside, L3:"},
    {11, kLabel, "Result:", kHeading},
};

// The events block's fixed lines; its maxima and totals are laid out by category below.
constexpr TemplateLine kEvents[] = {
    {1, kLabel, "Events", kBlockTitle},
    {3, kLabel, "Records in the data file:"},
    {14, kLabel, "Events counted:"},
    {15, kLabel, "Events by category", kHeading},
    {15, ReportCols::L1, "L1", kHeading},
    {15, ReportCols::L2, "L2", kHeading},
    {15, ReportCols::L3, "L3", kHeading},
    {25, kLabel, "Result:", kHeading},
};

void Put(TF1Book& book, int row, int col, const std::string& text, LineKind kind)
{
    book.SetCellText(row, col, text);
    book.SetSelection(row, col, row, col);
    switch (kind) {
    case LineKind::Label: book.SetFont("Arial", 10, false); break;
    case LineKind::Heading: book.SetFont("Arial", 10, true); break;
    case LineKind::Title: book.SetFont("Arial", 14, true); break;
    case LineKind::Subtitle:
    case LineKind::BlockTitle:
        book.SetFont("Arial", kind == LineKind::Subtitle ? 12 : 11, true);
        // Room above the title, which follows the verdict of the block before.
        book.SetRowHeight(row, 440);
        // A rule under the title across the values.
        book.SetSelection(row, ReportCols::Label, row, ReportCols::L3);
        book.SetBorder(-1, -1, -1, -1, 1);
        break;
    }
}

void PutLines(TF1Book& book, int before, std::span<const TemplateLine> lines)
{
    for (const TemplateLine& line : lines) Put(book, before + line.row, line.col, std::string(line.text), line.kind);
}

// The two tables of the harmonic block: the limit and the percentile of each order, then the
// records outside per phase.
void PutHarmonicTables(TF1Book& book, int before)
{
    for (int i = 0; i < kHarmonicTableRows; ++i) {
        const std::string order = HarmonicLabel(HarmonicTableOrder(i));
        const int limitRow = before + kHarmonicLimitsFrom + i;
        Put(book, limitRow, kLabel, order + " at most:", LineKind::Label);
        Put(book, limitRow, ReportCols::L2, "percentile:", LineKind::Label);
        Put(book, before + kHarmonicResultsFrom + i, kLabel, order + ":", LineKind::Label);
    }
}

void PutEventTables(TF1Book& book, int before)
{
    for (std::size_t i = 0; i < kReportEventCategoryRows.size(); ++i) {
        const std::string name(AnalysisEventCategoryNames[static_cast<std::size_t>(kReportEventCategoryRows[i])]);
        const int row = static_cast<int>(i);
        Put(book, before + kEventMaximaFrom + row, kLabel, "Max. " + name + ":", LineKind::Label);
        Put(book, before + kEventTotalsFrom + row, kLabel, name + ":", LineKind::Label);
    }
}
}  // namespace

TF1Book ReportTemplateBook()
{
    TF1Book book;
    book.SetSheetName(1, "Report");
    // Widths in 1/256 of a digit: narrow margins, wide labels, then the value columns.
    constexpr int kWidths[] = {400, 3000, 3300, 3300, 2600, 2000, 2600, 2000, 2600, 400};
    for (int col = 1; col <= ReportCols::Last; ++col) book.SetColumnWidth(col, kWidths[col - 1]);
    book.SetRowHeight(ReportRows::Title, 400);

    PutLines(book, 0, kHead);
    const std::span<const TemplateLine> blocks[] = {kVoltage, kFrequency, kUnbalance, kHarmonics, kFlicker, kEvents};
    int before = ReportRows::Verdict;
    for (int measure = 1; measure <= kAnalysisMeasures; ++measure) {
        PutLines(book, before, blocks[measure - 1]);
        if (measure == MeasureVoltage || measure == MeasureFrequency) PutLines(book, before, kTwoLimits);
        if (measure == MeasureVoltageHarmonics) PutHarmonicTables(book, before);
        if (measure == MeasureEvents) PutEventTables(book, before);
        before += kReportBlockRows[static_cast<std::size_t>(measure)];
    }
    book.SetSelection(1, 1, 1, 1);
    return book;
}
