// TAnReportForm: the analysis report window (view kind 26), an MDI child showing a report file
// as the filled template, with the failed intervals below the summary. It serves the main
// window's Print, Save Sheet As and Show Failed Intervals, enables Show Bar Report, and names
// its file as the report the bar report opens. Registered as the analysis-report document
// window; the sheet itself is built by report_sheet.h.
#pragma once

#include "analysis/report_file.h"
#include "analysis/report_sheet.h"
#include "sheet/sheet_window.h"

#include <string>

class TWindowRegistry;

class TAnReportForm : public TSheetWindow, public TFailedIntervalsView {
    Q_OBJECT
public:
    explicit TAnReportForm(const TChildContext& context, QWidget* parent = nullptr);

    // Reads the report file and fills the sheet; false, after its message, for a file that is
    // missing or no sound report (the window is then not shown).
    bool LoadReport(const std::string& fileName);
    // Fills the sheet from the report read: the template "template.xls" of the program folder,
    // or, when it is missing or unreadable (said once), the values alone.
    void FillReportSheet();
    // Switches between the summary and the failed intervals; only when some measure failed.
    void ToggleFailedIntervals() override;
    void PrintSheet() override;

    const std::string& FileName() const { return FileName_; }
    const TAnalysisReport& Report() const { return Report_; }
    bool AllPassed() const { return Parts.AllPassed; }
    bool FailedView() const { return FailedView_; }
    int FirstFailedRow() const { return Parts.FirstFailedRow; }

protected:
    void SheetSaved(const std::string& path) override;

private:
    void PublishReportState();

    std::string FileName_;
    TAnalysisReport Report_;
    TReportSheetParts Parts;
    bool FailedView_ = false;
};

// A report window on a report file; null (after the message) when the file cannot be shown.
TChildForm* OpenAnalysisReport(const TChildContext& context, QWidget* parent, const std::string& path);
void RegisterAnalysisReportWindow(TWindowRegistry& registry);
