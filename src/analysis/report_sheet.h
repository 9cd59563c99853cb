// The analysis report's sheet, built from a read report file on the template (report_template.h):
// the survey, the parameters, the limits and the results of every analysed measure, the blocks
// of the others removed, and below them the failed intervals; and the switch between those two
// parts. Plain functions over the book: the report window applies them, tests call them.
#pragma once

#include "analysis/report_file.h"
#include "sheet/sheet_book.h"

#include <string>

// What a window keeps of a filled sheet.
struct TReportSheetParts {
    bool AllPassed = true;   // no analysed measure failed: there are no failed intervals
    int FirstFailedRow = 1;  // the row after the summary part
};

// A measure is in the report when its survey slot is selected and its summary was stored; the
// others are treated as not analysed.
bool ReportHasMeasure(const TAnalysisReport& report, int measure);
bool ReportAllPassed(const TAnalysisReport& report);

// Fills `book`, which holds the template (or is empty when the template could not be read:
// the values then stand where the labels would be), and lists the failed intervals below the
// summary part; leaves the book showing the summary part. Rows of measures not in the report
// and of harmonic orders not analysed are removed, each later block moving up with them.
// "***" stands for a value that does not exist: a phase a single-phase survey lacks, the second
// voltage limits of an old report, a share of records when none were analysed.
TReportSheetParts FillReportSheet(TF1Book& book, const TAnalysisReport& report);
// Lists the failed intervals of every failed measure from the row after `firstFailedRow` on.
void AddFailedIntervals(TF1Book& book, const TAnalysisReport& report, int firstFailedRow);

// Shows the failed intervals (scrolled to them) or the summary part (the sheet ends after it).
void ShowReportPart(TF1Book& book, bool failedIntervals, int firstFailedRow);
// The report prints without header or footer, in colour, down the rows first.
void SetReportPrintSettings(TF1Book& book);
