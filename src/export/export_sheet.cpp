// Layout and formatting shared by every exported workbook.
#include "export/export_sheet.h"

#include "platform/date_time.h"
#include "platform/text_encoding.h"
#include "survey/text_tables.h"

namespace {
constexpr int kLabelColumn = 2, kValueColumn = 4, kFirstInfoRow = 4;
constexpr std::uint32_t kSilver = 0xC0C0C0;

std::string IntervalText(TDateTime t) { return FormatShortDate(t) + " " + FormatDateTimePattern(t, "hh:mm"); }
}  // namespace

void WriteSheetHeader(TF1Book& book, const TSurveySelection& selection, int measure, std::int64_t totalRecords)
{
    book.Reset();
    book.SetTableName(selection.File(measure).FileName);
    book.SetNumSheets(1);
    book.SetSheet(1);
    book.ClearRange(-1, -1, 0, 0, 1);
    book.SetCellText(2, kLabelColumn, std::string(kExportProductLine));
    const char* labels[] = {"Survey:",           "Description:", "Site:",     "Operator:",
                            "Exported measures:", "Start date:",  "Stop date:", "Records:"};
    // The survey's texts are stored bytes: UTF-8 when valid, else Windows-1252.
    const std::string values[] = {DisplayText(selection.Name),      DisplayText(selection.Description),
                                  DisplayText(selection.Site),      DisplayText(selection.Operator),
                                  std::string(MeasureName(measure)), IntervalText(selection.Start),
                                  IntervalText(selection.Stop),      std::to_string(totalRecords)};
    for (int i = 0; i < 8; ++i) {
        book.SetCellText(kFirstInfoRow + i, kLabelColumn, labels[i]);
        book.SetCellText(kFirstInfoRow + i, kValueColumn, values[i]);
    }
}

void WriteColumnTitles(TF1Book& book, const std::vector<std::string>& titles)
{
    book.SetCellText(kExportTitleRow, kExportDateColumn, "Date");
    int col = kExportDateColumn;
    for (const std::string& title : titles) book.SetCellText(kExportTitleRow, ++col, title);
}

void FormatSheet(TF1Book& book, int rows, int valueColumns)
{
    const int lastRow = kExportTitleRow + rows;
    const int lastCol = kExportDateColumn + valueColumns;
    book.SetRowHeight(2, 400);
    book.SetRowHeight(kExportTitleRow, 400);
    book.SetColumnWidth(1, 800);
    book.SetSelection(2, 2, 2, 4);
    book.SetFont("Arial", 12, true);
    book.SetSelection(3, 2, 11, 4);
    book.SetFont("Arial", 10, true);
    book.SetSelection(kExportTitleRow, kExportDateColumn, lastRow, lastCol);
    book.SetBorder(2, 1, 1, 1, 1);
    book.SetAlignment(4, false, 2, 0);
    book.SetSelection(kExportTitleRow, kExportDateColumn, kExportTitleRow, lastCol);
    book.SetPattern(1, kSilver, kSilver);
    book.SetFont("Arial", 10, true);
    book.SetBorder(2, -1, -1, -1, -1);
    book.SetAlignment(3, false, 2, 0);
    book.AutoFitColumns(kExportTitleRow, kExportDateColumn, lastRow, lastCol, true);
    book.SetCol(1);
    book.SetRow(1);
}
