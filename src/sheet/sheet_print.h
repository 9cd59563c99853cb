// Printing of a book through QPrinter with our own pagination: every sheet's print range cut into
// pages inside the margins, the header and footer codes on every page, grid lines and colours as
// the print settings say.
#pragma once

#include "sheet/sheet_book.h"

#include <QSizeF>
#include <vector>

class QPainter;

struct PrintedPage {
    int sheet;
    CellRange cells;
};

// Pages of the whole book on paper of `paper` size (sheet pixels, 1/96 inch); only the print
// area when the current sheet has one.
std::vector<PrintedPage> BookPages(const TF1Book& book, QSizeF paper);

// Paints page `index` of `pages` (painter in sheet pixels, origin at the paper's corner).
void PaintBookPage(QPainter& painter, const TF1Book& book, QSizeF paper, const std::vector<PrintedPage>& pages,
                   std::size_t index);

// Prints the book, after the print dialog when `showDialog` (without it, to the printer of the
// kept settings or the default one). Keeps the settings used in the book's PrintDevMode.
// False when cancelled or when printing failed (with a message).
bool PrintBook(TF1Book& book, bool showDialog);
