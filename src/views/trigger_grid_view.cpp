// The trigger grid's drawing and hints.
#include "views/trigger_grid_view.h"

#include <QApplication>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace {
constexpr int kNameWidth = 80;  // the row names' column
constexpr int kCellWidth = 30;
constexpr int kRowHeight = 16;
constexpr int kShownCells = 3;
constexpr int kShownRows = static_cast<int>(TriggerRowNames.size());

QColor ToQColor(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
}  // namespace

TTriggerGridView::TTriggerGridView(QWidget* parent) : QWidget(parent)
{
    setFixedSize(sizeHint());
    setMouseTracking(true);
}

QSize TTriggerGridView::sizeHint() const { return {kNameWidth + kShownCells * kCellWidth + 1, kShownRows * kRowHeight + 1}; }

void TTriggerGridView::SetGrid(const TTriggerGrid& grid)
{
    grid_ = grid;
    update();
}

QRect TTriggerGridView::CellRect(int row, int cell) const
{
    return {kNameWidth + cell * kCellWidth, row * kRowHeight, kCellWidth, kRowHeight};
}

QString TTriggerGridView::HintAt(QPoint at) const
{
    for (int r = 0; r < kShownRows; ++r)
        for (int c = 0; c < kShownCells; ++c)
            if (CellRect(r, c).contains(at))
                return QString::fromStdString(grid_[static_cast<std::size_t>(r)].Cells[static_cast<std::size_t>(c)].Hint);
    return {};
}

void TTriggerGridView::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setFont(font());
    for (int r = 0; r < kShownRows; ++r) {
        const QRect name(0, r * kRowHeight, kNameWidth, kRowHeight);
        p.fillRect(name, palette().color(QPalette::Button));
        p.setPen(palette().color(QPalette::ButtonText));
        p.drawText(name.adjusted(3, 0, 0, 0), Qt::AlignVCenter | Qt::AlignLeft, TriggerRowNames[static_cast<std::size_t>(r)]);
        for (int c = 0; c < kShownCells; ++c) {
            const TTriggerCell& cell = grid_[static_cast<std::size_t>(r)].Cells[static_cast<std::size_t>(c)];
            const QRect box = CellRect(r, c);
            p.fillRect(box, cell.Hatched ? QColor(Qt::white) : ToQColor(cell.Colour));
            if (cell.Hatched) p.fillRect(box, QBrush(Qt::black, Qt::BDiagPattern));
        }
    }
    p.setPen(QColor(128, 128, 128));
    for (int r = 0; r <= kShownRows; ++r) p.drawLine(0, r * kRowHeight, width() - 1, r * kRowHeight);
    p.drawLine(0, 0, 0, height() - 1);
    for (int c = 0; c <= kShownCells; ++c)
        p.drawLine(kNameWidth + c * kCellWidth, 0, kNameWidth + c * kCellWidth, height() - 1);
}

bool TTriggerGridView::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        const QString hint = HintAt(help->pos());
        if (hint.isEmpty()) QToolTip::hideText();
        else QToolTip::showText(help->globalPos(), hint, this);
        return true;
    }
    return QWidget::event(event);
}

// A click on the grid leaves no control focused.
void TTriggerGridView::mouseReleaseEvent(QMouseEvent*)
{
    if (QWidget* focused = QApplication::focusWidget()) focused->clearFocus();
}
