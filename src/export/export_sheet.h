// What every exported workbook shares: the title line and the survey information block (rows 2
// to 11), the column-title row (13, data rows from 14) and the sheet's formatting once the rows
// are in. Used by the exporter for the measure and events workbooks.
#pragma once

#include "sheet/sheet_book.h"
#include "survey/records.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The product line of the exported workbooks' first row, and of the values sheets' first row
// and printed footer.
inline constexpr std::string_view kExportProductLine = "Tarn - Zidevid Phase Monitor";

constexpr int kExportTitleRow = 13;
constexpr int kExportFirstDataRow = 14;
constexpr int kExportDateColumn = 2;
// The most records (events: rows) one workbook takes.
constexpr int kExportRecordLimit = 16000;
inline constexpr const char* kExportTruncatedMessage = "File to export is too long. Truncated at 16000 records.";

// Starts an empty one-sheet book for measure `measure`: the title line, the eight labels and
// their values (the interval as short date + " hh:mm", the record count of the interval).
void WriteSheetHeader(TF1Book& book, const TSurveySelection& selection, int measure, std::int64_t totalRecords);
// "Date" in column 2 of row 13, then one title per value column.
void WriteColumnTitles(TF1Book& book, const std::vector<std::string>& titles);
// Fonts, borders, the silver title row and fitted columns of the table of `rows` data rows.
void FormatSheet(TF1Book& book, int rows, int valueColumns);
