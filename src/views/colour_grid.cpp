// The colour grid: four rows of four Palette16 colours.
#include "views/colour_grid.h"

#include "survey/trace_colours.h"

#include <QDrag>
#include <QDragEnterEvent>
#include <QMimeData>
#include <QMouseEvent>
#include <QPainter>

namespace {
constexpr int kColumns = 4;
constexpr int kCell = 18;

QColor ToQColor(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }
}  // namespace

TColorGrid::TColorGrid(QWidget* parent) : QWidget(parent)
{
    setToolTip("Drag on Traces to change color");
    setAcceptDrops(true);
    setFixedSize(sizeHint());
}

QSize TColorGrid::sizeHint() const { return {kColumns * kCell + 1, kColumns * kCell + 1}; }

void TColorGrid::SetForegroundIndex(int index)
{
    if (index < 0 || index >= static_cast<int>(Palette16.size())) return;
    foregroundIndex_ = index;
    update();
}

int TColorGrid::CellAt(QPoint p) const
{
    const int col = p.x() / kCell, row = p.y() / kCell;
    if (p.x() < 0 || p.y() < 0 || col >= kColumns || row >= kColumns) return -1;
    return row * kColumns + col;
}

void TColorGrid::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    for (int i = 0; i < static_cast<int>(Palette16.size()); ++i) {
        const QRect cell((i % kColumns) * kCell, (i / kColumns) * kCell, kCell, kCell);
        painter.fillRect(cell.adjusted(1, 1, -1, -1), ToQColor(Palette16[static_cast<std::size_t>(i)]));
        painter.setPen(i == foregroundIndex_ ? Qt::black : Qt::gray);
        painter.drawRect(cell.adjusted(0, 0, -1, -1));
        if (i == foregroundIndex_) {
            painter.setPen(Qt::white);
            painter.drawRect(cell.adjusted(2, 2, -3, -3));
        }
    }
}

void TColorGrid::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) return;
    const int cell = CellAt(event->position().toPoint());
    if (cell >= 0) SetForegroundIndex(cell);
    ColourDragArmed = true;
}

void TColorGrid::mouseMoveEvent(QMouseEvent*)
{
    if (!ColourDragArmed) return;
    ColourDragArmed = false;
    auto* drag = new QDrag(this);
    auto* mime = new QMimeData;
    mime->setData(kColourMimeType, QByteArray::number(foregroundIndex_));
    drag->setMimeData(mime);
    drag->exec(Qt::CopyAction);
    emit DragEnded();
}

void TColorGrid::mouseReleaseEvent(QMouseEvent*) { ColourDragArmed = false; }

// Dropping on the grid itself ends the drag without a change.
void TColorGrid::dragEnterEvent(QDragEnterEvent* event)
{
    if (event->mimeData()->hasFormat(kColourMimeType)) event->acceptProposedAction();
}

void TColorGrid::dropEvent(QDropEvent* event) { event->acceptProposedAction(); }
