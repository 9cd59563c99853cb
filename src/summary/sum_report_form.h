// TSumReportForm: the survey summary report, an MDI child (view kind 27) showing the sheet built
// from "summary.tmp", which it reads and deletes when it opens. It serves the main window's
// Print and Save Sheet As. Here the summary's windows are registered with the main window.
#pragma once

#include "app/child_form.h"
#include "sheet/save_sheet_as.h"
#include "summary/summary_file.h"

#include <string>

class SheetGridView;
class TWindowRegistry;

class TSumReportForm : public TChildForm, public TPrintable, public TSavableSheet {
    Q_OBJECT
public:
    explicit TSumReportForm(QWidget* parent = nullptr);

    // Reads and deletes the summary file and builds the sheet; false (with a message) when the
    // file is missing or short, and the window should close.
    bool LoadSummaryReport(const std::string& path);

    void PrintSheet();
    void Print() override { PrintSheet(); }
    void SaveSheetAs() override;

    const TSummaryFile& Summary() const { return Summary_; }

    SheetGridView* Grid;
    SaveSheetDialog SaveDlg;

private:
    TSummaryFile Summary_;
};

// A report window loaded from DataDir's "summary.tmp"; null when it cannot be read (its message
// shown), so no window opens.
TChildForm* CreateSummaryReport(QWidget* parent);
// The summary's windows on the main window's registry: the wizard and the engine of the
// Create Survey Summary road, and the report as the summary-report document window.
void RegisterSummaryWindows(TWindowRegistry& registry);
