// TzrGraph, the program's XY graph control: the graph engine on a Qt widget. The picture is
// painted once per change into a cached image; the measuring cursor line, the Shift-drag zoom
// rectangle and a caller's hatched band are drawn over it, so moving them never repaints the
// series.
#pragma once

#include "graph/graph_engine.h"

#include <QImage>
#include <QPoint>
#include <QRect>
#include <QWidget>

class TzrGraph : public QWidget, public GraphEngine, private TGraphHost {
    Q_OBJECT
public:
    explicit TzrGraph(QWidget* parent = nullptr);

    // A hatched band over the picture, drawn inverting what lies under it (the trend views'
    // zoom band, in pixels of the control); HideBand removes it.
    void ShowBand(int left, int top, int right, int bottom);
    void HideBand();
    bool BandShown() const { return band_.isValid(); }

    // The graph's picture with its overlays, as on the screen (printing, clipboard).
    QImage Picture();

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    // TGraphHost
    void GraphPictureChanged() override;
    void GraphOverlayChanged() override;
    void SetScreenCursor(TCursorShape shape) override;
    void ReleaseMouseCapture() override;
    void BeginSizeFromCorner() override;
    void BeginMoveByCorner() override;

    void RenderPicture();
    void DrawBand(QPainter& painter) const;

    enum class CornerDrag { None, Size, Move };

    QImage picture_;
    bool pictureStale_ = true;
    QRect band_;
    CornerDrag cornerDrag_ = CornerDrag::None;
    QPoint dragOrigin_;
    QRect dragGeometry_;
};
