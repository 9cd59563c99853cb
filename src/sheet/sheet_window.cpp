// The spreadsheet windows' shared frame: grid, print with kept printer settings, Save Sheet As.
#include "sheet/sheet_window.h"

#include "sheet/sheet_grid_view.h"

#include <QVBoxLayout>

TSheetWindow::TSheetWindow(TViewKind kind, const TChildContext& context, QSize clientSize,
                           const std::string& saveTitle, QWidget* parent)
    : TChildForm(kind, context, parent), SaveDlg(MakeSaveSheetDialog(saveTitle)), openingSize_(clientSize)
{
    resize(clientSize);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Grid = new SheetGridView(this);
    layout->addWidget(Grid);
    PublishCommandState(SheetCommandState());
}

void TSheetWindow::AddHeaderPanel(QWidget* panel)
{
    if (auto* column = qobject_cast<QVBoxLayout*>(layout())) column->insertWidget(0, panel);
}

TCommandState TSheetWindow::SheetCommandState()
{
    TCommandState state;
    state.Print = true;
    state.SaveSheetAs = true;
    return state;
}

void TSheetWindow::PrintBookKeepingSettings()
{
    TF1Book& book = Grid->Book();
    if (PrintDevMode != 0) book.SetPrintDevMode(PrintDevMode);
    if (Grid->PrintBook(true)) PrintDevMode = book.PrintDevMode();
    book.SetRow(1);
    book.SetCol(1);
    Grid->Refresh();
}

void TSheetWindow::SetProductPrintSettings()
{
    TF1Book& book = Grid->Book();
    book.SetSheet(1);
    book.SetPrintNoColor(false);
    book.SetPrintGridLines(false);
    book.SetPrintHeader("&L" + std::string(kSheetPrintProductLine) + "\rprinted on &D &T");
    book.SetPrintFooter("Page &P/&N");
    book.SetPrintTopMargin(1.0);
    book.SetPrintLeftToRight(false);
}

void TSheetWindow::SaveSheetAs()
{
    if (auto path = ::SaveSheetAs(Grid->Book(), SaveDlg)) SheetSaved(*path);
}
