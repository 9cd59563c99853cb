// TSheetForm: the sheet window (view kind 28), an MDI child showing a saved spreadsheet file
// (Excel 5.0, or any file the book reads) locked against editing, to print it and save it
// again as Excel 5.0 or text. Registered as the sheet document window.
#pragma once

#include "sheet/sheet_window.h"

#include <string>

class TWindowRegistry;

class TSheetForm : public TSheetWindow {
    Q_OBJECT
public:
    explicit TSheetForm(const TChildContext& context, QWidget* parent = nullptr);

    // Reads the file into the grid, locks it, limits the scrolling to its used part and shows
    // its top left; false, after the book's message, for a file it cannot read.
    bool LoadSheetFile(const std::string& path);
    void PrintSheet() override;

protected:
    void SheetSaved(const std::string& path) override;
};

// A sheet window on a file; null (after the message) when the file cannot be read.
TChildForm* OpenSheetWindow(const TChildContext& context, QWidget* parent, const std::string& path);
void RegisterSheetWindow(TWindowRegistry& registry);
