// Grid window: a scrolled canvas that paints the visible cells through the shared cell painter,
// the headings and the selection, with a tab bar for the sheets below it.
#include "sheet/sheet_grid_view.h"

#include "sheet/biff5_writer.h"
#include "sheet/sheet_painter.h"
#include "sheet/sheet_print.h"
#include "sheet/sheet_units.h"

#include <QAbstractScrollArea>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QTabBar>
#include <QVBoxLayout>
#include <algorithm>
#include <optional>

class SheetCanvas : public QAbstractScrollArea {
public:
    explicit SheetCanvas(SheetGridView* view) : QAbstractScrollArea(view), view_(view)
    {
        setFocusPolicy(Qt::StrongFocus);
        viewport()->setBackgroundRole(QPalette::Base);
        connect(verticalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
            Book().SetTopRow(v);
            viewport()->update();
        });
        connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, [this](int v) {
            Book().SetLeftCol(v);
            viewport()->update();
        });
    }

    TF1Book& Book() { return view_->Book(); }

    double HeadingWidth() { return Book().ShowRowHeading ? 40 : 0; }
    double HeadingHeight() { return Book().ShowColHeading ? 20 : 0; }

    // The cells that fit into the viewport from the scroll position on.
    CellRange Visible()
    {
        TF1Book& b = Book();
        const Worksheet& s = b.SheetAt(b.Sheet());
        CellRange r{b.TopRow(), b.LeftCol(), b.TopRow(), b.LeftCol()};
        double x = HeadingWidth() + sheet_units::ColumnPixels(s.ColumnWidth(r.col1));
        while (x < viewport()->width() && r.col2 < b.MaxCol()) x += sheet_units::ColumnPixels(s.ColumnWidth(++r.col2));
        double y = HeadingHeight() + sheet_units::RowPixels(s.RowHeight(r.row1));
        while (y < viewport()->height() && r.row2 < b.MaxRow()) y += sheet_units::RowPixels(s.RowHeight(++r.row2));
        return r;
    }

    std::optional<std::pair<int, int>> CellAtPoint(QPointF p)
    {
        if (p.x() < HeadingWidth() || p.y() < HeadingHeight()) return std::nullopt;
        CellRange v = Visible();
        SheetLayout layout(Book().SheetAt(Book().Sheet()), v, QPointF(HeadingWidth(), HeadingHeight()));
        auto col = std::upper_bound(layout.x.begin(), layout.x.end(), p.x()) - layout.x.begin();
        auto row = std::upper_bound(layout.y.begin(), layout.y.end(), p.y()) - layout.y.begin();
        if (col < 1 || row < 1 || col >= static_cast<long>(layout.x.size()) || row >= static_cast<long>(layout.y.size()))
            return std::nullopt;
        return std::make_pair(v.row1 + static_cast<int>(row) - 1, v.col1 + static_cast<int>(col) - 1);
    }

    // The scroll position that shows the last row (column) of the scrollable area at the
    // bottom (right) of the viewport, the viewport filled with the rows (columns) before it.
    template <typename Pixels>
    static int LastScrollPosition(int last, double room, Pixels pixels)
    {
        int first = last;
        room -= pixels(first);
        while (first > 1 && room >= pixels(first - 1)) room -= pixels(--first);
        return first;
    }
    int LastTopRow()
    {
        const Worksheet& s = Book().SheetAt(Book().Sheet());
        return LastScrollPosition(Book().MaxRow(), viewport()->height() - HeadingHeight(),
                                  [&s](int row) { return sheet_units::RowPixels(s.RowHeight(row)); });
    }
    int LastLeftCol()
    {
        const Worksheet& s = Book().SheetAt(Book().Sheet());
        return LastScrollPosition(Book().MaxCol(), viewport()->width() - HeadingWidth(),
                                  [&s](int col) { return sheet_units::ColumnPixels(s.ColumnWidth(col)); });
    }

    void UpdateScrollBars()
    {
        TF1Book& b = Book();
        CellRange v = Visible();
        QSignalBlocker blockV(verticalScrollBar()), blockH(horizontalScrollBar());
        // Scrolled to its end the view shows the last page, never only the last row; a window
        // may still have put its top row further down (a report's failed intervals).
        verticalScrollBar()->setRange(1, std::max(LastTopRow(), b.TopRow()));
        verticalScrollBar()->setPageStep(std::max(1, v.row2 - v.row1));
        verticalScrollBar()->setValue(b.TopRow());
        horizontalScrollBar()->setRange(1, std::max(LastLeftCol(), b.LeftCol()));
        horizontalScrollBar()->setPageStep(std::max(1, v.col2 - v.col1));
        horizontalScrollBar()->setValue(b.LeftCol());
    }

    // Selects from the anchor to (row, col); the active cell stays at the anchor.
    void Select(int anchorRow, int anchorCol, int row, int col)
    {
        TF1Book& b = Book();
        if (!b.AllowSelections) return;
        row = std::clamp(row, 1, b.MaxRow());
        col = std::clamp(col, 1, b.MaxCol());
        Worksheet& s = b.SheetAt(b.Sheet());
        CellRange before = s.selection;
        s.selection = {std::min(anchorRow, row), std::min(anchorCol, col), std::max(anchorRow, row), std::max(anchorCol, col)};
        s.activeRow = anchorRow;
        s.activeCol = anchorCol;
        viewport()->update();
        if (!(before == s.selection)) emit view_->selectionChanged();
    }

    void ScrollTo(int row, int col)
    {
        TF1Book& b = Book();
        CellRange v = Visible();
        if (row < v.row1) b.SetTopRow(row);
        else if (row >= v.row2) b.SetTopRow(b.TopRow() + row - v.row2 + 1);
        if (col < v.col1) b.SetLeftCol(col);
        else if (col >= v.col2) b.SetLeftCol(b.LeftCol() + col - v.col2 + 1);
        UpdateScrollBars();
    }

protected:
    void paintEvent(QPaintEvent*) override
    {
        TF1Book& b = Book();
        QPainter p(viewport());
        p.fillRect(viewport()->rect(), Qt::white);
        CellRange v = Visible();
        QPointF origin(HeadingWidth(), HeadingHeight());
        SheetPaintOptions options;
        options.gridLines = b.ShowGridLines;
        PaintSheetCells(p, b, b.Sheet(), v, origin, options);
        const Worksheet& s = b.SheetAt(b.Sheet());
        SheetLayout layout(s, v, origin);
        auto edgeX = [&](int c) { return layout.x[static_cast<std::size_t>(std::clamp(c - v.col1, 0, v.col2 - v.col1 + 1))]; };
        auto edgeY = [&](int r) { return layout.y[static_cast<std::size_t>(std::clamp(r - v.row1, 0, v.row2 - v.row1 + 1))]; };
        // Selection and active cell.
        const CellRange& sel = s.selection;
        QRectF selected(QPointF(edgeX(sel.col1), edgeY(sel.row1)), QPointF(edgeX(sel.col2 + 1), edgeY(sel.row2 + 1)));
        if (selected.width() > 0 && selected.height() > 0) {
            p.fillRect(selected, QColor(0, 90, 200, 40));
            QRectF active(QPointF(edgeX(s.activeCol), edgeY(s.activeRow)), QPointF(edgeX(s.activeCol + 1), edgeY(s.activeRow + 1)));
            p.setPen(QPen(Qt::black, 2));
            p.setBrush(Qt::NoBrush);
            if (active.width() > 0 && active.height() > 0) p.drawRect(active);
        }
        // Headings.
        p.setFont(QFont("Arial", 8));
        QColor face(0xE8, 0xE8, 0xE8);
        p.setPen(QColor(0x90, 0x90, 0x90));
        if (HeadingHeight() > 0) {
            p.fillRect(QRectF(0, 0, viewport()->width(), HeadingHeight()), face);
            for (int c = v.col1; c <= v.col2; ++c) {
                QRectF r(QPointF(edgeX(c), 0), QPointF(edgeX(c + 1), HeadingHeight()));
                p.drawRect(r);
                std::string ref = CellReference(1, c);
                p.drawText(r, Qt::AlignCenter, QString::fromStdString(ref.substr(0, ref.size() - 1)));
            }
        }
        if (HeadingWidth() > 0) {
            p.fillRect(QRectF(0, 0, HeadingWidth(), viewport()->height()), face);
            for (int r = v.row1; r <= v.row2; ++r) {
                QRectF rect(QPointF(0, edgeY(r)), QPointF(HeadingWidth(), edgeY(r + 1)));
                p.drawRect(rect);
                p.drawText(rect, Qt::AlignCenter, QString::number(r));
            }
        }
    }

    void resizeEvent(QResizeEvent* e) override
    {
        QAbstractScrollArea::resizeEvent(e);
        UpdateScrollBars();
    }

    void mousePressEvent(QMouseEvent* e) override
    {
        auto cell = CellAtPoint(e->position());
        if (!cell || e->button() != Qt::LeftButton) return;
        TF1Book& b = Book();
        if (e->modifiers() & Qt::ShiftModifier) Select(b.Row(), b.Col(), cell->first, cell->second);
        else Select(cell->first, cell->second, cell->first, cell->second);
        dragging_ = true;
    }

    void mouseMoveEvent(QMouseEvent* e) override
    {
        if (!dragging_) return;
        if (auto cell = CellAtPoint(e->position())) Select(Book().Row(), Book().Col(), cell->first, cell->second);
    }

    void mouseReleaseEvent(QMouseEvent*) override { dragging_ = false; }

    void mouseDoubleClickEvent(QMouseEvent* e) override
    {
        if (auto cell = CellAtPoint(e->position())) emit view_->cellDoubleClicked(cell->first, cell->second);
    }

    void keyPressEvent(QKeyEvent* e) override
    {
        TF1Book& b = Book();
        const CellRange& sel = b.SheetAt(b.Sheet()).selection;
        bool extend = e->modifiers() & Qt::ShiftModifier;
        // The moving corner: the selection's far corner from the active cell.
        int row = extend ? (sel.row1 == b.Row() ? sel.row2 : sel.row1) : b.Row();
        int col = extend ? (sel.col1 == b.Col() ? sel.col2 : sel.col1) : b.Col();
        int page = std::max(1, Visible().row2 - Visible().row1);
        switch (e->key()) {
        case Qt::Key_Up: --row; break;
        case Qt::Key_Down: ++row; break;
        case Qt::Key_Left: --col; break;
        case Qt::Key_Right: ++col; break;
        case Qt::Key_PageUp: row -= page; break;
        case Qt::Key_PageDown: row += page; break;
        case Qt::Key_Home: col = 1; if (e->modifiers() & Qt::ControlModifier) row = 1; break;
        default: QAbstractScrollArea::keyPressEvent(e); return;
        }
        row = std::clamp(row, 1, b.MaxRow());
        col = std::clamp(col, 1, b.MaxCol());
        if (extend) Select(b.Row(), b.Col(), row, col);
        else Select(row, col, row, col);
        ScrollTo(row, col);
    }

private:
    SheetGridView* view_;
    bool dragging_ = false;
};

SheetGridView::SheetGridView(QWidget* parent) : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    canvas_ = new SheetCanvas(this);
    tabs_ = new QTabBar(this);
    tabs_->setShape(QTabBar::RoundedSouth);
    tabs_->setDrawBase(false);
    layout->addWidget(canvas_, 1);
    layout->addWidget(tabs_);
    connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
        if (index < 0 || index + 1 == book_.Sheet()) return;
        book_.SetSheet(index + 1);
        Refresh();
    });
    Refresh();
}

SheetGridView::~SheetGridView() = default;

void SheetGridView::Refresh()
{
    {
        QSignalBlocker block(tabs_);
        while (tabs_->count() > book_.NumSheets()) tabs_->removeTab(tabs_->count() - 1);
        while (tabs_->count() < book_.NumSheets()) tabs_->addTab(QString());
        for (int s = 1; s <= book_.NumSheets(); ++s) tabs_->setTabText(s - 1, QString::fromStdString(book_.SheetName(s)));
        tabs_->setCurrentIndex(book_.Sheet() - 1);
        tabs_->setVisible(book_.NumSheets() > 1);
    }
    canvas_->UpdateScrollBars();
    canvas_->viewport()->update();
}

bool SheetGridView::PrintBook(bool showDialog) { return ::PrintBook(book_, showDialog); }
