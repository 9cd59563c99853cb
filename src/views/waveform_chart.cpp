// The waveform chart: series, axes and their labels, conversions, and the mouse handed to its
// helpers.
#include "views/waveform_chart.h"

#include "views/chart_cursor_line.h"
#include "views/chart_panner.h"
#include "views/chart_zoomer.h"

#include <QCategoryAxis>
#include <QChart>
#include <QLineSeries>
#include <QMouseEvent>

#include <cmath>

namespace {
QColor ToQColor(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

TValueRange RangeOf(const QCategoryAxis* axis) { return {axis->min(), axis->max()}; }

void ApplyLabels(QCategoryAxis* axis, const std::vector<TAxisLabel>& labels)
{
    for (const QString& label : axis->categoriesLabels()) axis->remove(label);
    axis->setStartValue(axis->min());
    for (const TAxisLabel& l : labels) axis->append(QString::fromStdString(l.Text), l.Value);
}

QCategoryAxis* NewAxis(const QFont& font)
{
    auto* axis = new QCategoryAxis;
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    axis->setLabelsFont(font);
    axis->setTitleFont(font);
    axis->setGridLineColor(QColor(220, 220, 220));
    axis->setLinePenColor(Qt::black);
    return axis;
}
}  // namespace

TWaveformChart::TWaveformChart(QWidget* parent) : QChartView(parent)
{
    chart_ = new QChart;
    chart_->legend()->hide();
    chart_->setMargins(QMargins(2, 6, 2, 2));
    chart_->setBackgroundRoundness(0);
    SetPrinted(false);
    chart_->setPlotAreaBackgroundBrush(Qt::white);
    chart_->setPlotAreaBackgroundVisible(true);
    QFont font("Arial");
    font.setPixelSize(10);
    bottom_ = NewAxis(font);
    left_ = NewAxis(font);
    right_ = NewAxis(font);
    right_->setGridLineVisible(false);
    chart_->addAxis(bottom_, Qt::AlignBottom);
    chart_->addAxis(left_, Qt::AlignLeft);
    chart_->addAxis(right_, Qt::AlignRight);
    for (QLineSeries*& s : series_) {
        s = new QLineSeries;
        chart_->addSeries(s);
        s->attachAxis(bottom_);
        s->attachAxis(left_);
        s->setVisible(false);
    }
    setChart(chart_);
    setRubberBand(QChartView::NoRubberBand);
    setRenderHint(QPainter::Antialiasing, false);
    setFocusPolicy(Qt::NoFocus);

    zoomer_ = std::make_unique<TChartZoomer>(*this);
    panner_ = std::make_unique<TChartPanner>(*this);
    cursor_ = std::make_unique<TChartCursorLine>(*this);

    for (QCategoryAxis* axis : {bottom_, left_, right_})
        connect(axis, &QValueAxis::rangeChanged, this, [this] {
            Relabel();
            cursor_->Update();
        });
    connect(chart_, &QChart::plotAreaChanged, this, [this] { cursor_->Update(); });
    SetRanges({{-1, 1}, {-350, 350}, {-5, 5}});
}

TWaveformChart::~TWaveformChart() = default;

void TWaveformChart::SetTrace(int k, std::span<const double> values, double x0, double dx, std::uint32_t colour,
                              WaveformAxis axis)
{
    QLineSeries* s = series_.at(static_cast<std::size_t>(k - 1));
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        if (std::isfinite(values[i])) points.append({x0 + static_cast<double>(i) * dx, values[i]});
    QCategoryAxis* wanted = axis == WaveformAxis::Right ? right_ : left_;
    QCategoryAxis* other = axis == WaveformAxis::Right ? left_ : right_;
    if (s->attachedAxes().contains(other)) {
        s->detachAxis(other);
        s->attachAxis(wanted);
    }
    QPen pen(ToQColor(colour));
    pen.setWidth(1);
    s->setPen(pen);
    s->replace(points);
    s->setVisible(true);
}

void TWaveformChart::ClearTrace(int k)
{
    QLineSeries* s = series_.at(static_cast<std::size_t>(k - 1));
    s->clear();
    s->setVisible(false);
}

bool TWaveformChart::TraceShown(int k) const { return series_.at(static_cast<std::size_t>(k - 1))->isVisible(); }

QList<QPointF> TWaveformChart::TracePoints(int k) const { return series_.at(static_cast<std::size_t>(k - 1))->points(); }

TZoomLevel TWaveformChart::Ranges() const { return {RangeOf(bottom_), RangeOf(left_), RangeOf(right_)}; }

void TWaveformChart::SetRanges(const TZoomLevel& ranges)
{
    relabelling_ = true;  // one relabelling for the three axes
    bottom_->setRange(ranges.X.Min, ranges.X.Max);
    left_->setRange(ranges.Left.Min, ranges.Left.Max);
    right_->setRange(ranges.Right.Min, ranges.Right.Max);
    relabelling_ = false;
    Relabel();
    cursor_->Update();
}

void TWaveformChart::SetAxisTitles(bool volts, const std::string& leftTitle, const std::string& rightTitle)
{
    voltsRule_ = volts;
    leftTitle_ = QString::fromStdString(leftTitle);
    right_->setTitleText(QString::fromStdString(rightTitle));
    Relabel();
}

void TWaveformChart::SetPrinted(bool printed)
{
    chart_->setBackgroundBrush(printed ? QColor(Qt::white) : QColor(192, 192, 192));  // silver, as the trend graphs
}

QString TWaveformChart::LeftTitle() const { return left_->titleText(); }
QString TWaveformChart::RightTitle() const { return right_->titleText(); }
QStringList TWaveformChart::LeftLabels() const { return left_->categoriesLabels(); }
QStringList TWaveformChart::BottomLabels() const { return bottom_->categoriesLabels(); }

void TWaveformChart::Relabel()
{
    if (relabelling_) return;
    relabelling_ = true;
    // The left title and its labels are decided together, so they always name the same unit.
    TAxisUnit unit{1, leftTitle_.toStdString()};
    if (voltsRule_) unit = VoltAxisUnit(RangeOf(left_));
    left_->setTitleText(QString::fromStdString(unit.Title));
    ApplyLabels(left_, AxisLabels(RangeOf(left_), unit.Divisor, 8));
    ApplyLabels(right_, AxisLabels(RangeOf(right_), 1, 8));
    ApplyLabels(bottom_, AxisLabels(RangeOf(bottom_), 1, 10));
    relabelling_ = false;
}

QRectF TWaveformChart::PlotArea() const { return chart_->mapRectToScene(chart_->plotArea()); }

double TWaveformChart::XOfPixel(double px) const
{
    const QRectF plot = PlotArea();
    const TValueRange x = RangeOf(bottom_);
    return plot.width() > 0 ? x.Min + (px - plot.left()) / plot.width() * (x.Max - x.Min) : x.Min;
}

double TWaveformChart::PixelOfX(double x) const
{
    const QRectF plot = PlotArea();
    const TValueRange r = RangeOf(bottom_);
    return r.Max > r.Min ? plot.left() + (x - r.Min) / (r.Max - r.Min) * plot.width() : plot.left();
}

TZoomLevel TWaveformChart::RangesOfPixels(const QRectF& rect) const
{
    const QRectF plot = PlotArea();
    auto vertical = [&](const TValueRange& r, double py) {
        return plot.height() > 0 ? r.Max - (py - plot.top()) / plot.height() * (r.Max - r.Min) : r.Min;
    };
    const TZoomLevel now = Ranges();
    return {{XOfPixel(rect.left()), XOfPixel(rect.right())},
            {vertical(now.Left, rect.bottom()), vertical(now.Left, rect.top())},
            {vertical(now.Right, rect.bottom()), vertical(now.Right, rect.top())}};
}

void TWaveformChart::mousePressEvent(QMouseEvent* event)
{
    // Panning, zooming and the cursor all take the left button.
    if (event->button() != Qt::LeftButton) return;
    const QPoint at = event->position().toPoint();
    if (panner_->Press(at) || zoomer_->Press(at)) return;
    if (PlotArea().contains(at) && OnPress) OnPress(XOfPixel(at.x()));
}

void TWaveformChart::mouseMoveEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (panner_->Move(at) || zoomer_->Move(at)) return;
    QChartView::mouseMoveEvent(event);
}

void TWaveformChart::mouseReleaseEvent(QMouseEvent* event)
{
    const QPoint at = event->position().toPoint();
    if (panner_->Release(at) || zoomer_->Release(at)) return;
    QChartView::mouseReleaseEvent(event);
}

void TWaveformChart::mouseDoubleClickEvent(QMouseEvent* event)
{
    if (event->button() == Qt::LeftButton && OnDoubleClick) OnDoubleClick();
}

// The wheel would scroll the view's scene, not the chart's ranges.
void TWaveformChart::wheelEvent(QWheelEvent* event) { event->ignore(); }
