// The analysis report's template "template.xls": the rows of its 178-row layout, which the report
// fill relies on, and the book of our own labels laid out on them. The build writes the book to
// "template.xls" beside the executable (make_report_template.cpp); the report window reads that
// file and fills it (report_sheet.h).
#pragma once

#include "sheet/sheet_book.h"

#include <array>
#include <string_view>

// Rows of the head, and the columns of the values.
namespace ReportRows {
constexpr int Title = 1, Subtitle = 2;
constexpr int SurveyName = 4, Description = 5, Site = 6, Operator = 7, Start = 8, Stop = 9;
constexpr int WindowDays = 11, Period = 12, Nominal = 13;
constexpr int Verdict = 14;  // the overall verdict; the voltage block follows it
}  // namespace ReportRows

namespace ReportCols {
constexpr int Label = 2, Value = 5, L1 = 5, L2 = 7, L3 = 9, Percentile = 8;
constexpr int Last = 10;  // the narrow right margin
}  // namespace ReportCols

// Rows of each measure's block (voltage to events, index 0 unused), from the row after the
// previous verdict row to its own verdict row, with every harmonic order present.
constexpr std::array<int, 7> kReportBlockRows = {0, 18, 14, 9, 87, 11, 25};
constexpr int kReportTemplateRows = 178;

// The two harmonic tables hold one row per order THD, 2, 3, ..., 40 (the fundamental has none),
// the limits from the block's row 4 on, the results from its row 47 on.
constexpr int kHarmonicTableRows = 40;
constexpr int kHarmonicLastOrder = 40;
constexpr int kHarmonicLimitsFrom = 4, kHarmonicResultsFrom = 47;
// The harmonic order of a table row (0 to 39): THD (0), then 2 to 40.
constexpr int HarmonicTableOrder(int index) { return index == 0 ? 0 : index + 1; }

// The events block's rows of maxima (from its row 4) and of totals (from its row 16) list the
// analysis categories in this order.
constexpr std::array<int, 9> kReportEventCategoryRows = {0, 1, 2, 8, 3, 4, 5, 6, 7};
constexpr int kEventMaximaFrom = 4, kEventTotalsFrom = 16;

// The template's book: one sheet of the 178 rows with their labels, headings and widths.
TF1Book ReportTemplateBook();
