// What the user does on the graph: the nearest point to a column, the measuring cursor, the
// Shift-drag zoom band with its return to the saved ranges, and moving or sizing the control
// by its corners.
#include "graph/graph_engine.h"

#include <algorithm>
#include <cstdlib>

bool GraphEngine::FindNearestPoint(int index, int pixelX, std::uint32_t& id, double& x, double& y)
{
    const double target = PixelToX(pixelX);
    const TSeries& series = GetSeries(index);
    const auto xs = series.Xs();
    if (xs.empty() || !(target >= XAxis.Min() && target <= XAxis.Max())) return false; // NaN too

    std::size_t found = 0;
    if (target > xs.front()) {
        const auto it = std::lower_bound(xs.begin(), xs.end(), target);
        const auto k = static_cast<std::size_t>(it - xs.begin());
        if (k == xs.size()) found = k - 1;
        else if (xs[k] == target) found = k;
        else found = (xs[k - 1] + xs[k]) / 2 < target ? k : k - 1;
    }
    id = series.IdAt(found);
    x = xs[found];
    y = series.Y(found);
    return true;
}

void GraphEngine::DrawXCursor()
{
    const int first = FirstVisibleSeries();
    if (state_ != LayoutState::Valid) {
        // The picture is the impossible-range caption: no pixels to place a line by.
        cursorLineShown_ = false;
    } else if (first == 0) {
        CursorX = 0;
        CursorY = 0;
        cursorLineShown_ = false;
    } else {
        std::uint32_t id = 0;
        double x = 0, y = 0;
        // Nothing to snap to (no points, or the column lies outside the X range after a zoom):
        // the line is hidden and the column is kept for a later paint.
        cursorLineShown_ = FindNearestPoint(first, CursorX, id, x, y);
        if (cursorLineShown_) {
            CursorX = XToPixel(x);
            cursorLineColumn_ = CursorX;
            cursorLineX_ = x;
        }
    }
    if (host_) host_->GraphOverlayChanged();
}

void GraphEngine::DrawOverlay(TGraphCanvas& canvas) const
{
    if (cursorLineShown_) {
        const int column = cursorLineColumn_, top = YToPixel(YAxis.Max());
        canvas.SetPen(clBlack, psSolid, 1, color_);
        canvas.SetBrush(color_, true);
        canvas.MoveTo(column, YToPixel(YAxis.Min()));
        canvas.LineTo(column, top);
        // On the first or last point the line lies on the plot's frame; a head pointing down at
        // it from the margin above the plot shows the cursor there as anywhere else.
        const int size = std::min(CursorHeadSize, top - 1);
        if (size >= 2) {
            canvas.SetBrush(clBlack, true);
            const TGraphPixel head[] = {{column - size, top - 1 - size}, {column + size, top - 1 - size}, {column, top - 1}};
            canvas.Polygon(head);
            canvas.SetBrush(color_, true);
        }
    }
    if (zooming_ && !zoomRect_.Empty()) {
        canvas.SetPen(clBlack, psDot, 1, clWhite);
        canvas.SetBrush(color_, false);
        canvas.Rectangle(zoomRect_.Left, zoomRect_.Top, zoomRect_.Right, zoomRect_.Bottom);
    }
}

void GraphEngine::SaveZoomState()
{
    const auto axes = Axes();
    for (std::size_t i = 0; i < axes.size(); ++i) saved_[i] = {axes[i]->AutoSizing(), axes[i]->Min(), axes[i]->Max()};
}

void GraphEngine::ApplyZoomBand(int x, int y)
{
    const int left = std::min(zoomStart_.X, x), right = std::max(zoomStart_.X, x);
    const int upper = std::min(zoomStart_.Y, y), lower = std::max(zoomStart_.Y, y);
    const double xMin = PixelToX(left), xMax = PixelToX(right);
    const double yMin = PixelToY(lower), yMax = PixelToY(upper);
    const double y2Min = PixelToY2(lower), y2Max = PixelToY2(upper);
    SetPlotting(false);
    XAxis.SetMin(xMin);
    XAxis.SetMax(xMax);
    YAxis.SetMin(yMin);
    YAxis.SetMax(yMax);
    YAxis_Second.SetMin(y2Min);
    YAxis_Second.SetMax(y2Max);
    SetPlotting(true);
}

void GraphEngine::RestoreZoomState()
{
    zoomed_ = false;
    SetPlotting(false);
    const auto axes = Axes();
    for (std::size_t i = 0; i < axes.size(); ++i) {
        axes[i]->SetAutoSizing(saved_[i].AutoSizing);
        if (!saved_[i].AutoSizing) {
            axes[i]->SetMin(saved_[i].Min);
            axes[i]->SetMax(saved_[i].Max);
        }
    }
    SetPlotting(true);
}

void GraphEngine::MouseDown(TMouseButton button, TShiftState shift, int x, int y)
{
    if (button == TMouseButton::mbLeft && (shift & ssShift)) {
        zooming_ = true;
        zoomStart_ = {x, y};
        if (host_) host_->SetScreenCursor(TCursorShape::crCross);
        // A second zoom keeps the state from before the first.
        if (!zoomed_) {
            SaveZoomState();
            zoomed_ = true;
        }
    } else if (button == TMouseButton::mbLeft) {
        const bool bottomRight = width_ - x < Dimensions.RightMargin() && height_ - y < Dimensions.BottomMargin();
        const bool topLeft = x < Dimensions.LeftMargin() && y < Dimensions.TopMargin();
        if (dragAllowed_ && bottomRight) {
            if (host_) {
                host_->SetScreenCursor(TCursorShape::crSizeNWSE);
                host_->ReleaseMouseCapture();
                host_->BeginSizeFromCorner();
                host_->SetScreenCursor(TCursorShape::crDefault);
            }
        } else if (dragAllowed_ && topLeft) {
            if (host_) {
                host_->SetScreenCursor(TCursorShape::crSizeAll);
                host_->ReleaseMouseCapture();
                host_->BeginMoveByCorner();
                host_->SetScreenCursor(TCursorShape::crDefault);
            }
        }
        if (xCursor_ && InPlotArea(x, y)) {
            CursorX = x;
            CursorY = y;
            DrawXCursor();
        }
    }
    if (OnMouseDown) OnMouseDown(button, shift, x, y);
}

void GraphEngine::MouseMove(TShiftState shift, int x, int y)
{
    if (zooming_) {
        zoomRect_ = {std::min(zoomStart_.X, x), std::min(zoomStart_.Y, y), std::max(zoomStart_.X, x),
                     std::max(zoomStart_.Y, y)};
        if (host_) host_->GraphOverlayChanged();
    }
    if (OnMouseMove) OnMouseMove(shift, x, y);
}

void GraphEngine::MouseUp(TMouseButton button, TShiftState shift, int x, int y)
{
    if (zooming_) {
        zoomRect_ = {};
        zooming_ = false;
        if (host_) {
            host_->ReleaseMouseCapture();
            host_->SetScreenCursor(TCursorShape::crDefault);
            host_->GraphOverlayChanged();
        }
        // A click or a band of 4 pixels or less either way returns to the saved ranges.
        if (std::abs(x - zoomStart_.X) > 4 && std::abs(y - zoomStart_.Y) > 4) ApplyZoomBand(x, y);
        else RestoreZoomState();
    }
    if (OnMouseUp) OnMouseUp(button, shift, x, y);
}

void GraphEngine::DblClick()
{
    if (OnDblClick) OnDblClick();
}
