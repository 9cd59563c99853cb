// The grid window of a book: cells with their formats, row and column headings and grid lines as
// the book sets them, sheet tabs, selection by mouse and keys, and the double-click and
// selection-change events the sheet windows bind. The book is read-only here.
#pragma once

#include "sheet/sheet_book.h"

#include <QWidget>

class QTabBar;
class SheetCanvas;

class SheetGridView : public QWidget {
    Q_OBJECT
public:
    explicit SheetGridView(QWidget* parent = nullptr);
    ~SheetGridView() override;

    TF1Book& Book() { return book_; }
    const TF1Book& Book() const { return book_; }
    // Shows the book as it now stands (scroll limits, tabs, position); call after changing it.
    void Refresh();
    // Prints the book (after the print dialog when `showDialog`); see sheet_print.h.
    bool PrintBook(bool showDialog);

signals:
    void cellDoubleClicked(int row, int col);
    void selectionChanged();

private:
    TF1Book book_;
    SheetCanvas* canvas_;
    QTabBar* tabs_;
};
