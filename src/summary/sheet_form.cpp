// The sheet window: loading a saved sheet read-only, printing with its header and footer, saving.
#include "summary/sheet_form.h"

#include "app/window_registry.h"
#include "sheet/sheet_grid_view.h"

#include <algorithm>

namespace {
QString Caption(const std::string& path) { return QString::fromStdString("Sheet file - " + path); }
}  // namespace

TSheetForm::TSheetForm(const TChildContext& context, QWidget* parent)
    : TSheetWindow(TViewKind::Sheet, context, QSize(680, 400), "Save Sheet As", parent)
{
    // A saved sheet is offered as Excel 5.0 again, whatever type was chosen last.
    SaveDlg.alwaysProposeExcel = true;
}

bool TSheetForm::LoadSheetFile(const std::string& path)
{
    TF1Book& book = Grid->Book();
    if (!book.ReadFile(path)) return false;
    book.AllowAutoFill = book.AllowDelete = book.AllowDesigner = book.AllowFillRange = false;
    book.AllowInCellEditing = book.AllowMoveRange = false;
    book.AllowSelections = true;
    book.ShowGridLines = false;
    // The scroll limits hold for every sheet, so they take the longest and widest of them.
    int lastRow = 0, lastCol = 0;
    for (int s = 1; s <= book.NumSheets(); ++s) {
        lastRow = std::max(lastRow, book.SheetAt(s).LastRow());
        lastCol = std::max(lastCol, book.SheetAt(s).LastCol());
    }
    book.SetMaxRow(lastRow + 2);
    book.SetMaxCol(lastCol);
    book.SetRow(1);
    book.SetCol(1);
    book.SetTopRow(1);
    book.SetLeftCol(1);
    Grid->Refresh();
    setWindowTitle(Caption(path));
    return true;
}

void TSheetForm::PrintSheet()
{
    SetProductPrintSettings();
    PrintBookKeepingSettings();
}

void TSheetForm::SheetSaved(const std::string& path) { setWindowTitle(Caption(path)); }

TChildForm* OpenSheetWindow(const TChildContext& context, QWidget* parent, const std::string& path)
{
    auto* form = new TSheetForm(context, parent);
    if (form->LoadSheetFile(path)) return form;
    delete form;
    return nullptr;
}

void RegisterSheetWindow(TWindowRegistry& registry) { registry.RegisterDocumentWindow(TViewKind::Sheet, OpenSheetWindow); }
