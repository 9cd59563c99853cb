// TSheetWindow: the base of the spreadsheet child windows (the analysis report, the sheet
// window): the grid that fills the window, the main window's Print and Save Sheet As, the
// printer settings kept from one print to the next, and the command state a sheet publishes.
// Each window states its own print settings and names the file it shows in its caption.
#pragma once

#include "app/child_form.h"
#include "sheet/save_sheet_as.h"

#include <cstdint>
#include <string>
#include <string_view>

class SheetGridView;

// The product line of the printed header of the sheet and summary windows, and of the summary's
// first row.
inline constexpr std::string_view kSheetPrintProductLine = "Tarn - Zidevid Phase Monitor";

class TSheetWindow : public TChildForm, public TPrintable, public TSavableSheet {
    Q_OBJECT
public:
    // A window of `clientSize`, whose save dialog has `saveTitle`; it publishes Print and Save
    // Sheet As on.
    TSheetWindow(TViewKind kind, const TChildContext& context, QSize clientSize, const std::string& saveTitle,
                 QWidget* parent);

    // The size the window opens with; the Window menu's cascade gives it back this size (the
    // grid's own hint would shrink the window to a thumbnail).
    QSize sizeHint() const override { return openingSize_; }

    // Sets the window's print settings, then prints the book after the print dialog.
    virtual void PrintSheet() = 0;
    void Print() override { PrintSheet(); }
    // Save Sheet As; the window then names the file written.
    void SaveSheetAs() override;

    SheetGridView* Grid;
    SaveSheetDialog SaveDlg;
    // The printer settings of the last print (0 before the first).
    std::int64_t PrintDevMode = 0;

protected:
    // A panel of the window's own above the grid (the events list's header).
    void AddHeaderPanel(QWidget* panel);
    // Prints with the book's print settings and the kept printer settings, keeps the settings
    // used, and puts the active cell back at the top left.
    void PrintBookKeepingSettings();
    // The print settings of a sheet printed under the product line: sheet 1 in colour without
    // grid lines, down then across, "printed on" date and time below the product line at the
    // top left, "Page n/m" at the foot, a top margin of one inch.
    void SetProductPrintSettings();
    virtual void SheetSaved(const std::string& path) = 0;
    // The command state every sheet window publishes: Print and Save Sheet As.
    static TCommandState SheetCommandState();

private:
    QSize openingSize_;
};
