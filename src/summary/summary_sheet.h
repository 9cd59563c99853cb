// The survey summary report's sheet, built from a read "summary.tmp": a header block with the
// survey's texts, interval, parameters and measure list, a table head, then one block per
// summarised measure (voltage, voltage harmonics, flicker, unbalance, frequency) with its values
// per phase, limits, units and event counts, every value beyond its limit white on red. Used
// by the summary report window; tested without a window.
#pragma once

#include <string_view>

#include "sheet/sheet_book.h"
#include "summary/summary_file.h"

// The sheet's first line.
inline constexpr std::string_view kSummaryProductLine = "Tarn - Zidevid Phase Monitor";
// Font and fill of a value beyond its limit.
constexpr std::uint32_t kExceededTextColour = 0xFFFFFF;
constexpr std::uint32_t kExceededFillColour = 0x0000FF;
// The sheet's first block row.
constexpr int kSummaryFirstBlockRow = 19;

// Replaces the book's content with the summary report of `summary`.
void FillSummarySheet(TF1Book& book, const TSummaryFile& summary);
