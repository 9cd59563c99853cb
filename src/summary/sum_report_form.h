// TSumReportForm: the survey summary report, an MDI child (view kind 27) showing the sheet built
// from "summary.tmp", which it reads and deletes when it opens; it prints and saves as every
// sheet window does. Here the summary's windows are registered with the main window.
#pragma once

#include "sheet/sheet_window.h"
#include "summary/summary_file.h"

#include <string>

class TWindowRegistry;

class TSumReportForm : public TSheetWindow {
    Q_OBJECT
public:
    explicit TSumReportForm(const TChildContext& context, QWidget* parent = nullptr);

    // Reads and deletes the summary file and builds the sheet; false (with a message) when the
    // file is missing or short, and the window should close.
    bool LoadSummaryReport(const std::string& path);
    void PrintSheet() override;

    const TSummaryFile& Summary() const { return Summary_; }

protected:
    void SheetSaved(const std::string& path) override;

private:
    TSummaryFile Summary_;
};

// A report window loaded from DataDir's "summary.tmp"; null when it cannot be read (its message
// shown), so no window opens.
TChildForm* CreateSummaryReport(const TChildContext& context, QWidget* parent);
// The summary's windows on the main window's registry: the wizard and the engine of the
// Create Survey Summary road, and the report as the summary-report document window.
void RegisterSummaryWindows(TWindowRegistry& registry);
