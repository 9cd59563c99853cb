// Painting, mouse and corner dragging of the graph control.
#include "graph/zr_graph.h"

#include "graph/qpainter_canvas.h"

#include <QCursor>
#include <QMouseEvent>
#include <QPainter>

namespace {

TShiftState ShiftOf(const QMouseEvent* event)
{
    TShiftState shift = 0;
    const Qt::KeyboardModifiers keys = event->modifiers();
    if (keys & Qt::ShiftModifier) shift |= ssShift;
    if (keys & Qt::AltModifier) shift |= ssAlt;
    if (keys & Qt::ControlModifier) shift |= ssCtrl;
    const Qt::MouseButtons buttons = event->buttons();
    if (buttons & Qt::LeftButton) shift |= ssLeft;
    if (buttons & Qt::RightButton) shift |= ssRight;
    if (buttons & Qt::MiddleButton) shift |= ssMiddle;
    return shift;
}

TMouseButton ButtonOf(const QMouseEvent* event)
{
    switch (event->button()) {
    case Qt::RightButton: return TMouseButton::mbRight;
    case Qt::MiddleButton: return TMouseButton::mbMiddle;
    default: return TMouseButton::mbLeft;
    }
}

} // namespace

TzrGraph::TzrGraph(QWidget* parent) : QWidget(parent)
{
    SetHost(this);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    resize(200, 200);
    SetSize(200, 200);
}

void TzrGraph::ShowBand(int left, int top, int right, int bottom)
{
    band_ = QRect(QPoint(left, top), QPoint(right, bottom)).normalized();
    update();
}

void TzrGraph::HideBand()
{
    band_ = QRect();
    update();
}

void TzrGraph::RenderPicture()
{
    // A hidden widget gets no resize events: take the size it has now.
    if (Width() != width() || Height() != height()) SetSize(width(), height());
    const qreal ratio = devicePixelRatioF();
    if (picture_.size() != size() * ratio) {
        picture_ = QImage(size() * ratio, QImage::Format_RGB32);
        picture_.setDevicePixelRatio(ratio);
    }
    QPainter painter(&picture_);
    QPainterCanvas canvas(painter);
    Draw(canvas);
    pictureStale_ = false;
}

void TzrGraph::DrawBand(QPainter& painter) const
{
    if (!band_.isValid()) return;
    // White in difference mode inverts, so the band shows on any colour.
    painter.save();
    painter.setCompositionMode(QPainter::CompositionMode_Difference);
    painter.setPen(QPen(Qt::white, 0));
    painter.setBrush(QBrush(Qt::white, Qt::BDiagPattern));
    painter.drawRect(band_.adjusted(0, 0, -1, -1));
    painter.restore();
}

QImage TzrGraph::Picture()
{
    if (pictureStale_ || picture_.size() != size() * devicePixelRatioF()) RenderPicture();
    QImage image = picture_.copy();
    QPainter painter(&image);
    QPainterCanvas canvas(painter);
    DrawOverlay(canvas);
    DrawBand(painter);
    return image;
}

void TzrGraph::paintEvent(QPaintEvent*)
{
    if (pictureStale_ || picture_.size() != size() * devicePixelRatioF()) RenderPicture();
    QPainter painter(this);
    painter.drawImage(0, 0, picture_);
    QPainterCanvas canvas(painter);
    DrawOverlay(canvas);
    DrawBand(painter);
}

void TzrGraph::resizeEvent(QResizeEvent*)
{
    pictureStale_ = true;
    SetSize(width(), height());
}

void TzrGraph::mousePressEvent(QMouseEvent* event)
{
    const QPoint p = event->position().toPoint();
    MouseDown(ButtonOf(event), ShiftOf(event), p.x(), p.y());
}

void TzrGraph::mouseMoveEvent(QMouseEvent* event)
{
    if (cornerDrag_ != CornerDrag::None) {
        const QPoint delta = event->globalPosition().toPoint() - dragOrigin_;
        if (cornerDrag_ == CornerDrag::Size)
            resize(std::max(40, dragGeometry_.width() + delta.x()), std::max(40, dragGeometry_.height() + delta.y()));
        else
            move(dragGeometry_.topLeft() + delta);
        return;
    }
    const QPoint p = event->position().toPoint();
    MouseMove(ShiftOf(event), p.x(), p.y());
}

void TzrGraph::mouseReleaseEvent(QMouseEvent* event)
{
    // A corner drag swallows its button-up, as the window system's own sizing does.
    if (cornerDrag_ != CornerDrag::None) {
        cornerDrag_ = CornerDrag::None;
        unsetCursor();
        return;
    }
    const QPoint p = event->position().toPoint();
    MouseUp(ButtonOf(event), ShiftOf(event), p.x(), p.y());
}

void TzrGraph::mouseDoubleClickEvent(QMouseEvent*) { DblClick(); }

void TzrGraph::GraphPictureChanged()
{
    pictureStale_ = true;
    update();
}

void TzrGraph::GraphOverlayChanged() { update(); }

void TzrGraph::SetScreenCursor(TCursorShape shape)
{
    if (cornerDrag_ != CornerDrag::None) return; // the drag shows its own shape until release
    switch (shape) {
    case TCursorShape::crDefault: unsetCursor(); break;
    case TCursorShape::crCross: setCursor(Qt::CrossCursor); break;
    case TCursorShape::crSizeNWSE: setCursor(Qt::SizeFDiagCursor); break;
    case TCursorShape::crSizeAll: setCursor(Qt::SizeAllCursor); break;
    }
}

void TzrGraph::ReleaseMouseCapture()
{
    // Qt grabs the mouse only for the press under way; the corner drag keeps it until release.
}

void TzrGraph::BeginSizeFromCorner()
{
    cornerDrag_ = CornerDrag::Size;
    dragOrigin_ = QCursor::pos();
    dragGeometry_ = geometry();
    setCursor(Qt::SizeFDiagCursor);
}

void TzrGraph::BeginMoveByCorner()
{
    cornerDrag_ = CornerDrag::Move;
    dragOrigin_ = QCursor::pos();
    dragGeometry_ = geometry();
    setCursor(Qt::SizeAllCursor);
}
