// Building the summary report's sheet: header, table head and measure blocks.
#include "summary/summary_sheet.h"

#include <array>
#include <cmath>
#include <functional>
#include <optional>
#include <vector>

#include "analysis/report_texts.h"
#include "platform/file_io.h"
#include "platform/text_encoding.h"
#include "survey/number_text.h"
#include "survey/records.h"

namespace {
// One decimal with a sign, on the statistics rows.
constexpr std::string_view kStatisticsFormat = "+0.0;-0.0";
constexpr int kLabelCol = 2, kLimitCol = 4, kUnitCol = 5, kFirstValueCol = 6, kFirstPercentileCol = 9, kLastCol = 11;
// Alignment codes: centred, centred across the selection; vertically centred.
constexpr int kCentre = 3, kCentreAcross = 7, kMiddle = 2;

constexpr std::array<std::string_view, 6> kMeasureListNames = {"", "Voltage", "Frequency", "Unbalance", "Harmonics",
                                                               "Flicker"};

void Bold10(TF1Book& book, int row1, int col1, int row2, int col2)
{
    book.SetSelection(row1, col1, row2, col2);
    book.SetFont("Arial", 10, true);
}

void Outline(TF1Book& book, int row1, int col1, int row2, int col2)
{
    book.SetSelection(row1, col1, row2, col2);
    book.SetBorder(1, 0, 0, 0, 0);
}

void Align(TF1Book& book, int row1, int col1, int row2, int col2, int horizontal)
{
    book.SetSelection(row1, col1, row2, col2);
    book.SetAlignment(horizontal, false, kMiddle, 0);
}

std::string Signed(char sign, float limit)
{
    return std::isfinite(limit) ? sign + FormatFixed(limit, 2) : std::string(kNoValueText);
}

void WriteHeader(TF1Book& book, const TSummaryFile& summary)
{
    const TSurveySelection& survey = summary.Survey;
    const TSummaryParams& params = summary.Params;
    book.SetTableName(DisplayText(survey.Name));
    book.AllowAutoFill = book.AllowDelete = book.AllowDesigner = book.AllowFillRange = false;
    book.AllowInCellEditing = book.AllowMoveRange = false;
    book.AllowSelections = true;
    book.ShowGridLines = book.ShowColHeading = book.ShowRowHeading = false;
    book.SetNumSheets(1);
    book.SetSheet(1);

    book.SetColumnWidth(1, 400);
    book.SetColumnWidths(2, 5, 2400, false);
    book.SetColumnWidths(6, 11, 2000, false);
    book.SetColumnWidth(12, 400);
    book.SetRowHeight(2, 400);
    book.SetRowHeight(4, 400);

    auto line = [&book](int row, std::string_view label, const std::string& value) {
        book.SetCellText(row, kLabelCol, std::string(label));
        if (!value.empty()) book.SetCellText(row, 5, value);
    };
    line(2, kSummaryProductLine, "");
    line(4, "Survey Summary", "");
    line(6, "Name:", DisplayText(survey.Name));
    line(7, "Description:", DisplayText(survey.Description));
    line(8, "Site:", DisplayText(survey.Site));
    line(9, "Operator:", DisplayText(survey.Operator));
    line(11, "Start date:", DateAndMinuteOrNoValue(survey.Start));
    line(12, "Stop date:", DateAndMinuteOrNoValue(survey.Stop));
    line(13, "Limit Percentile:", std::to_string(params.SignedPercentile()) + "%");
    line(14, "Limit Values File:", DisplayText(ExtractFileName(params.LimitsFileName)));
    if (survey.File(MeasureVoltage).Selected)
        line(15, "Nominal Value [Un]:", FixedOrNoValue(survey.File(MeasureVoltage).NominalValue(), 2, "V"));

    book.SetCellText(10, 9, "Records");
    book.SetCellText(10, 11, "Period");
    int row = 11;
    for (int m = MeasureVoltage; m <= MeasureFlicker; ++m) {
        const TMeasureFileInfo& info = survey.File(m);
        if (!info.Selected) continue;
        // The frequency file's period is counted in seconds.
        const std::int32_t minutes = m == MeasureFrequency ? info.Rate / 60 : info.Rate;
        book.SetCellText(row, 7, std::string(kMeasureListNames[static_cast<std::size_t>(m)]));
        book.SetCellText(row, 9, std::to_string(info.RecordCount));
        book.SetCellText(row, 11, std::to_string(minutes) + " min.");
        ++row;
    }
    book.SetSelection(2, 2, 4, 6);
    book.SetFont("Arial", 12, true);
    Bold10(book, 6, 2, 16, 11);
}

void WriteTableHead(TF1Book& book, int percentile)
{
    book.SetCellText(17, kLabelCol, "Parameter");
    book.SetCellText(17, kFirstValueCol, "Maximum Value");
    book.SetCellText(17, kFirstPercentileCol, "Value " + std::to_string(percentile) + "%");
    book.SetCellText(18, kLimitCol, "Limit");
    book.SetCellText(18, kUnitCol, "Units");
    for (int p = 0; p < 3; ++p) {
        const std::string phase = "L" + std::to_string(p + 1);
        book.SetCellText(18, kFirstValueCol + p, phase);
        book.SetCellText(18, kFirstPercentileCol + p, phase);
    }
    Bold10(book, 17, 2, 18, 12);
    Align(book, 17, 2, 18, 12, kCentre);
    for (auto [col1, col2] : {std::pair{2, 5}, std::pair{6, 8}, std::pair{9, 11}}) {
        Align(book, 17, col1, 17, col2, kCentreAcross);
        Outline(book, 17, col1, 17, col2);
    }
    Outline(book, 18, 2, 18, 3);
    book.SetSelection(18, 4, 18, 11);
    book.SetBorder(1, 1, 1, 1, 1);
}

// What goes into one cell of a block row: a value and whether it lies beyond its limit.
struct TBlockValue {
    int Col;
    double Value;
    bool Exceeded;
};

// One row of a block below its title.
struct TBlockRow {
    std::string Label;
    std::string Limit;
    std::string_view Unit;
    std::vector<TBlockValue> Values;
    bool Statistics = false;  // shown with one signed decimal
};

void MarkExceeded(TF1Book& book, int row, int col)
{
    book.SetSelection(row, col, row, col);
    book.SetFont("Arial", 10, true, false, false, false, kExceededTextColour);
    book.SetPattern(1, kExceededFillColour, kExceededFillColour);
}

// Writes a block at row R (a thin spacer row, the title row, then the rows) and returns the
// row after it.
int WriteBlock(TF1Book& book, int R, std::string_view title, const std::vector<TBlockRow>& rows)
{
    const int h = static_cast<int>(rows.size()) + 1;
    book.SetRowHeight(R, 30);
    Outline(book, R, 2, R + 1, 11);
    Bold10(book, R, 2, R + 1, 2);
    Align(book, R, 4, R + h, 11, kCentre);
    Bold10(book, R, 6, R + h, 11);
    Outline(book, R + 1, 2, R + h, 3);
    Outline(book, R + 1, 4, R + h, 4);
    Outline(book, R + 1, 5, R + h, 5);
    Outline(book, R + 1, 6, R + h, 8);
    Outline(book, R + 1, 9, R + h, 11);
    book.SetCellText(R + 1, kLabelCol, std::string(title));
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TBlockRow& line = rows[i];
        const int row = R + 2 + static_cast<int>(i);
        if (line.Statistics) {
            book.SetSelection(row, kFirstValueCol, row, kLastCol);
            book.SetNumberFormat(std::string(kStatisticsFormat));
        }
        book.SetCellText(row, kLabelCol, line.Label);
        book.SetCellText(row, kLimitCol, line.Limit);
        book.SetCellText(row, kUnitCol, std::string(line.Unit));
        for (const TBlockValue& v : line.Values) {
            // A value without a number to show (a damaged file's NaN or infinity) is shown as
            // the analysis report shows it.
            if (std::isfinite(v.Value))
                book.SetCellNumber(row, v.Col, v.Value);
            else
                book.SetCellText(row, v.Col, std::string(kNoValueText));
            if (v.Exceeded) MarkExceeded(book, row, v.Col);
        }
    }
    return R + h + 1;
}

// Maxima (or minima) in columns 6 to 8 and percentile values in 9 to 11, per phase.
template <typename Beyond>
std::vector<TBlockValue> PhaseValues(const TPhaseFloats& extreme, const TPhaseFloats& percentile, Beyond beyond)
{
    std::vector<TBlockValue> values;
    for (std::size_t p = 0; p < 3; ++p) values.push_back({kFirstValueCol + static_cast<int>(p), extreme[p], beyond(extreme[p])});
    for (std::size_t p = 0; p < 3; ++p)
        values.push_back({kFirstPercentileCol + static_cast<int>(p), percentile[p], beyond(percentile[p])});
    return values;
}

std::vector<TBlockValue> PhaseCounts(const TPhaseCounts32& counts, std::int16_t maximum)
{
    std::vector<TBlockValue> values;
    for (std::size_t p = 0; p < 3; ++p)
        values.push_back({kFirstValueCol + static_cast<int>(p), static_cast<double>(counts[p]), counts[p] > maximum});
    return values;
}

TBlockRow EventsRow(std::string label, std::int16_t maximum, std::vector<TBlockValue> values)
{
    return {std::move(label), std::to_string(maximum), "number", std::move(values)};
}

auto Above(float limit) { return [limit](float v) { return v > limit; }; }
auto Below(float limit) { return [limit](float v) { return v < limit; }; }

int WriteVoltage(TF1Book& book, int R, const TSummaryResults& r, const TLimitsRecord& l)
{
    return WriteBlock(book, R, "Voltage",
                      {{"High", Signed('+', l.VHigh), "%[Un]", PhaseValues(r.VoltageMax, r.VoltageHighPct, Above(l.VHigh)), true},
                       {"Low", Signed('-', l.VLow), "%[Un]", PhaseValues(r.VoltageMin, r.VoltageLowPct, Below(-l.VLow)), true},
                       EventsRow("Rapid Changes", l.VRapid, PhaseCounts(r.EventCounts[SummaryRapidChanges], l.VRapid)),
                       EventsRow("Events Over", l.VOver, PhaseCounts(r.EventCounts[SummaryOverVoltages], l.VOver)),
                       EventsRow("Events Under", l.VUnder, PhaseCounts(r.EventCounts[SummaryUnderVoltages], l.VUnder)),
                       EventsRow("Events Interruption", l.VDepth,
                                 PhaseCounts(r.EventCounts[SummaryInterruptions], l.VDepth))});
}

int WriteHarmonics(TF1Book& book, int R, const TSummaryResults& r, const TSummaryParams& params)
{
    const TLimitsRecord& l = params.Limits;
    std::vector<TBlockRow> rows;
    for (std::size_t o = 0; o < static_cast<std::size_t>(kSummaryHarmonicOrders); ++o) {
        if (!params.HarmonicSelected[o]) continue;
        rows.push_back({HarmonicLabel(static_cast<int>(o)), Signed('+', l.HHigh[o]), "%",
                        PhaseValues(r.HarmonicMax[o], r.HarmonicHighPct[o], Above(l.HHigh[o])), true});
    }
    rows.push_back(EventsRow("Events", l.HOver, PhaseCounts(r.EventCounts[SummaryOverHarmonics], l.HOver)));
    return WriteBlock(book, R, "Harmonics", rows);
}

int WriteFlicker(TF1Book& book, int R, const TSummaryResults& r, const TLimitsRecord& l)
{
    return WriteBlock(book, R, "Flicker",
                      {{"Plt", Signed('+', l.FlkHigh), "Plt", PhaseValues(r.FlickerMax, r.FlickerHighPct, Above(l.FlkHigh)), true},
                       EventsRow("Events", l.FlkOver, PhaseCounts(r.EventCounts[SummaryOverFlicker], l.FlkOver))});
}

// Single-value rows: the value in column 7 and, where given, its percentile value in column 10.
std::vector<TBlockValue> SingleValues(float value, std::optional<float> percentile, const std::function<bool(float)>& beyond)
{
    std::vector<TBlockValue> values{{kFirstValueCol + 1, value, beyond(value)}};
    if (percentile) values.push_back({kFirstPercentileCol + 1, *percentile, beyond(*percentile)});
    return values;
}

std::vector<TBlockValue> SingleCount(std::int32_t count, std::int16_t maximum)
{
    return {{kFirstValueCol + 1, static_cast<double>(count), count > maximum}};
}

int WriteUnbalance(TF1Book& book, int R, const TSummaryResults& r, const TLimitsRecord& l)
{
    return WriteBlock(book, R, "Unbalance",
                      {{"Unbalance", Signed('+', l.UnbHigh), "%", SingleValues(r.UnbalanceMax, r.UnbalanceHighPct, Above(l.UnbHigh)), true},
                       EventsRow("Events", l.UnbOver, SingleCount(r.EventCounts[SummaryOverUnbalance][0], l.UnbOver))});
}

int WriteFrequency(TF1Book& book, int R, const TSummaryResults& r, const TLimitsRecord& l, int percentile)
{
    // The first part shows the summary's percentile values, the second the whole range.
    R = WriteBlock(
        book, R, "Frequency " + std::to_string(percentile) + "%",
        {{"High", Signed('+', l.HzHigh1), "%", SingleValues(r.FrequencyMax, r.FrequencyHighPct, Above(l.HzHigh1)), true},
         {"Low", Signed('-', l.HzLow1), "%", SingleValues(r.FrequencyMin, r.FrequencyLowPct, Below(-l.HzLow1)), true},
         EventsRow("Events Over", l.HzOver, SingleCount(r.EventCounts[SummaryOverFrequencies][0], l.HzOver)),
         EventsRow("Events Under", l.HzUnder, SingleCount(r.EventCounts[SummaryUnderFrequencies][0], l.HzUnder))});
    return WriteBlock(book, R, "Frequency 100%",
                      {{"High", Signed('+', l.HzHigh2), "%", SingleValues(r.FrequencyMax, std::nullopt, Above(l.HzHigh2)), true},
                       {"Low", Signed('-', l.HzLow2), "%", SingleValues(r.FrequencyMin, std::nullopt, Below(-l.HzLow2)), true}});
}

void WriteBlocks(TF1Book& book, const TSummaryFile& summary)
{
    const TSurveySelection& survey = summary.Survey;
    const TSummaryResults& r = summary.Results;
    const TLimitsRecord& limits = summary.Params.Limits;
    int R = kSummaryFirstBlockRow;
    if (survey.File(MeasureVoltage).Selected) R = WriteVoltage(book, R, r, limits);
    if (survey.File(MeasureVoltageHarmonics).Selected) R = WriteHarmonics(book, R, r, summary.Params);
    if (survey.File(MeasureFlicker).Selected) R = WriteFlicker(book, R, r, limits);
    if (survey.File(MeasureUnbalance).Selected) R = WriteUnbalance(book, R, r, limits);
    if (survey.File(MeasureFrequency).Selected) R = WriteFrequency(book, R, r, limits, summary.Params.SignedPercentile());
    book.SetCol(1);
    book.SetRow(1);
    book.SetMaxRow(book.LastRow() + 2);
    book.SetMaxCol(book.LastCol());
}
}  // namespace

void FillSummarySheet(TF1Book& book, const TSummaryFile& summary)
{
    book.Reset();
    WriteHeader(book, summary);
    WriteTableHead(book, summary.Params.SignedPercentile());
    WriteBlocks(book, summary);
}
