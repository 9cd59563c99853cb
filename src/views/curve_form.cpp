// The density and CPF curve window.
#include "views/curve_form.h"

#include "platform/date_format.h"
#include "platform/messages.h"
#include "platform/qt_print.h"
#include "platform/date_time.h"
#include "survey/text_tables.h"
#include "views/harmonic_layout.h"
#include "views/trend_reading.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QGraphicsSimpleTextItem>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QPainter>
#include <QPrinter>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>

namespace {
QToolButton* Button(QWidget* parent, const QString& text, const QString& hint)
{
    auto* b = new QToolButton(parent);
    b->setText(text);
    b->setToolTip(hint);
    return b;
}

constexpr int kFootHeight = 48;
}  // namespace

TCurveForm::TCurveForm(QWidget* parent) : QDialog(parent)
{
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(450, 300);
    auto* main = new QVBoxLayout(this);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    auto* top = new QWidget(this);
    top->setFixedHeight(40);
    auto* row = new QHBoxLayout(top);
    BtnMinLeft = Button(top, "<<", "Expand left scale");
    BtnMinLeft->setEnabled(false);
    BtnMaxLeft = Button(top, ">>", "Compress left scale");
    row->addWidget(BtnMinLeft);
    row->addWidget(BtnMaxLeft);
    row->addStretch();
    for (int p = 0; p < 3; ++p) {
        QToolButton* b = Button(top, QString("L%1").arg(p + 1), "");
        b->setCheckable(true);
        b->setAutoExclusive(true);
        BtnPhase[static_cast<std::size_t>(p)] = b;
        row->addWidget(b);
        connect(b, &QToolButton::clicked, this, [this, p] { BtnPhaseClick(p); });
    }
    BtnPhase[0]->setChecked(true);
    CBoxHarm = new QComboBox(top);
    CBoxHarm->hide();
    row->addWidget(CBoxHarm);
    connect(CBoxHarm, &QComboBox::activated, this, &TCurveForm::CBoxHarmChange);
    BtnPrint = Button(top, "Print", "Print");
    row->addWidget(BtnPrint);
    row->addStretch();
    BtnMinRight = Button(top, "<<", "Compress right scale");
    BtnMaxRight = Button(top, ">>", "Expand right scale");
    BtnMaxRight->setEnabled(false);
    row->addWidget(BtnMinRight);
    row->addWidget(BtnMaxRight);
    main->addWidget(top);

    chart_ = new QChart;
    chart_->legend()->hide();
    upper_ = new QLineSeries;
    area_ = new QAreaSeries(upper_);
    area_->setColor(QColor(255, 255, 0));
    area_->setBorderColor(QColor(255, 255, 0));
    area_->setPen(Qt::NoPen);
    chart_->addSeries(area_);
    axisY_ = new QValueAxis;
    axisX_ = new QValueAxis;
    axisLogX_ = new QLogValueAxis;
    axisLogX_->setBase(10);
    axisLogX_->setLabelFormat("%g");
    QFont small("Arial");
    small.setPointSize(7);
    for (QAbstractAxis* axis : std::initializer_list<QAbstractAxis*>{axisY_, axisX_, axisLogX_}) axis->setLabelsFont(small);
    chart_->addAxis(axisY_, Qt::AlignLeft);
    area_->attachAxis(axisY_);
    chart_->setMargins(QMargins(4, 4, 4, kFootHeight));
    // The foot lines belong to the chart's scene, so the printed chart carries them.
    for (std::size_t i = 0; i < footItems_.size(); ++i) {
        footItems_[i] = new QGraphicsSimpleTextItem(chart_);
        footItems_[i]->setFont(small);
    }
    Graph = new QChartView(chart_, this);
    Graph->setRenderHint(QPainter::Antialiasing);
    main->addWidget(Graph, 1);
    Msg = new QLabel("Data Not Available", this);
    QFont big = Msg->font();
    big.setPixelSize(24);
    Msg->setFont(big);
    Msg->setAlignment(Qt::AlignCenter);
    Msg->hide();
    main->addWidget(Msg, 1);

    connect(BtnMinLeft, &QToolButton::clicked, this, &TCurveForm::BtnMinLeftClick);
    connect(BtnMaxLeft, &QToolButton::clicked, this, &TCurveForm::BtnMaxLeftClick);
    connect(BtnMinRight, &QToolButton::clicked, this, &TCurveForm::BtnMinRightClick);
    connect(BtnMaxRight, &QToolButton::clicked, this, &TCurveForm::BtnMaxRightClick);
    connect(BtnPrint, &QToolButton::clicked, this, &TCurveForm::BtnPrintClick);
    connect(chart_, &QChart::plotAreaChanged, this, [this](const QRectF&) {
        for (std::size_t i = 0; i < footItems_.size(); ++i)
            footItems_[i]->setPos(6, chart_->size().height() - kFootHeight + 4 + 14 * static_cast<double>(i));
    });
}

TCurveForm::~TCurveForm() = default;

void TCurveForm::SetFootLine(int line, const QString& text)
{
    foot_[static_cast<std::size_t>(line)] = text;
    footItems_[static_cast<std::size_t>(line)]->setText(text);
}

void TCurveForm::SetCurveHeader(const TMeasureFileInfo& info, int measure, bool threePhase, double recordTime)
{
    FileInfo = info;
    Measure = measure;
    ThreePhase = threePhase;
    BtnPhase[1]->setEnabled(threePhase);
    BtnPhase[2]->setEnabled(threePhase);
    SetFootLine(0, ("Survey File: " + QString::fromStdString(info.FileName)).left(255));
    SetFootLine(1, QString("Channel: L%1").arg(Phase + 1));
    SetFootLine(2, "Date: " + QString::fromStdString(FormatDateTimePattern(recordTime, RunDateFormats().shortDate + " hh:mm")));
}

void TCurveForm::SetHarmonics(const std::vector<TTrendBlock>& curveBlocks)
{
    curveBlocks_ = curveBlocks;
    CBoxHarm->clear();
    for (const TTrendBlock& block : curveBlocks_) CBoxHarm->addItem(QString::fromStdString(block.OrderName));
    CBoxHarm->setCurrentIndex(curveBlocks_.empty() ? -1 : 0);
    CBoxHarm->show();
}

void TCurveForm::ShowCurve(TCurveMode mode, std::int64_t offset, std::int32_t stride, const TCurveRange& range)
{
    CurveOffset = offset;
    CurveStride = stride;
    CpfMode = mode == TCurveMode::Cpf;
    HarmonicMode = mode == TCurveMode::HarmonicDensity;
    setWindowTitle(CpfMode ? "CPF Curve" : "Density Curve");
    range_ = range;
    SetupChart();
    ShowPhaseCurve();
    UpdateScaleButtons();
}

void TCurveForm::ShowDensity(std::int64_t offset, std::int32_t stride, int classCount, int firstValue, float classWidth)
{
    ShowCurve(TCurveMode::Density, offset, stride, FullCurveRange(classCount, firstValue, classWidth));
}

void TCurveForm::ShowHarmonicDensity(std::int64_t recordPos, int classCount, int firstValue, float classWidth)
{
    ShowCurve(TCurveMode::HarmonicDensity, recordPos, 0, FullCurveRange(classCount, firstValue, classWidth));
}

void TCurveForm::ShowCpf(std::int64_t offset, std::int32_t stride, int count)
{
    ShowCurve(TCurveMode::Cpf, offset, stride, FullCurveRange(count, 0, 1.0));
    // No scale steps along the CPF levels: all four buttons stay off.
    for (QToolButton* b : {BtnMinLeft, BtnMaxLeft, BtnMinRight, BtnMaxRight}) b->setEnabled(false);
}

void TCurveForm::ReadCurve(std::int64_t position)
{
    density_ = {};
    cpf_.clear();
    TDataFile F;
    if (!ReopenTrendDataFile(F, FileInfo, Measure)) return;
    if (CpfMode) {
        if (auto values = ReadCpfBlock(F, position, range_.ClassCount)) cpf_ = std::move(*values);
    } else if (auto block = ReadDensityBlock(F, position, range_.ClassCount)) {
        density_ = std::move(*block);
    }
}

void TCurveForm::SetupChart()
{
    chart_->setTitle(windowTitle());
    for (QAbstractAxis* axis : chart_->axes(Qt::Horizontal)) {
        area_->detachAxis(axis);
        chart_->removeAxis(axis);
    }
    if (CpfMode) {
        axisY_->setTitleText("CPF %");
        chart_->addAxis(axisLogX_, Qt::AlignBottom);
        area_->attachAxis(axisLogX_);
    } else {
        axisY_->setTitleText("Samples %");
        axisX_->setLabelFormat("%.3g%%");
        chart_->addAxis(axisX_, Qt::AlignBottom);
        area_->attachAxis(axisX_);
    }
}

bool TCurveForm::Plot()
{
    points_ = CpfMode ? CpfPoints(cpf_, range_) : DensityPoints(density_, range_);
    upper_->clear();
    if (points_.empty()) return false;
    double maxY = 0;
    for (const TCurvePoint& p : points_) {
        upper_->append(p.X, p.Y);
        maxY = std::max(maxY, p.Y);
    }
    axisY_->setRange(0, maxY > 0 ? maxY * 1.05 : 1);
    axisY_->applyNiceNumbers();
    if (CpfMode) {
        // A shade below 0.01: the axis takes its first label's power as log(min) / log(10),
        // which for 0.01 falls just above -2 and would start the labels at 0.1.
        axisLogX_->setRange(0.01 * (1 - 1e-9), points_.back().X);
    } else {
        const TCurveAxis axis = DensityCurveAxis(points_.front().X, points_.back().X);
        axisX_->setRange(axis.Min, axis.Max);
        axisX_->setTickType(QValueAxis::TicksDynamic);
        axisX_->setTickAnchor(0);
        axisX_->setTickInterval(axis.TickInterval);
    }
    return true;
}

void TCurveForm::ShowNotAvailable(bool notAvailable)
{
    Graph->setEnabled(!notAvailable);
    Graph->setVisible(!notAvailable);
    Msg->setVisible(notAvailable);
}

bool TCurveForm::NotAvailable() const { return Msg->isVisibleTo(const_cast<TCurveForm*>(this)); }

void TCurveForm::ShowPhaseCurve()
{
    if (HarmonicMode) {
        const int chosen = CBoxHarm->currentIndex();
        if (chosen < 0 || chosen >= static_cast<int>(curveBlocks_.size())) {
            density_ = {};
        } else {
            ReadCurve(CurveOffset + HarmonicCurveTotalAt(curveBlocks_[static_cast<std::size_t>(chosen)], Phase));
        }
    } else {
        ReadCurve(CurveOffset + static_cast<std::int64_t>(Phase) * CurveStride);
    }
    ShowNotAvailable(!Plot());
}

void TCurveForm::BtnPhaseClick(int phase)
{
    if (phase > 0 && !ThreePhase) return;
    Phase = phase;
    BtnPhase[static_cast<std::size_t>(phase)]->setChecked(true);
    SetFootLine(1, QString("Channel: L%1").arg(Phase + 1));
    ShowPhaseCurve();
}

void TCurveForm::CBoxHarmChange()
{
    if (HarmonicMode) ShowPhaseCurve();
}

void TCurveForm::UpdateScaleButtons()
{
    if (CpfMode) return;
    BtnMinLeft->setEnabled(range_.CanExpandLeft());
    BtnMaxLeft->setEnabled(range_.CanCompress());
    BtnMinRight->setEnabled(range_.CanCompress());
    BtnMaxRight->setEnabled(range_.CanExpandRight());
}

void TCurveForm::ScalePressed(void (TCurveRange::*change)(), QToolButton* pressed, bool compress)
{
    if (CpfMode) return;
    (range_.*change)();
    UpdateScaleButtons();
    ShowNotAvailable(false);
    if (!Plot()) {
        ShowNotAvailable(true);
        if (compress) pressed->setEnabled(false);
    }
}

void TCurveForm::BtnMinLeftClick() { ScalePressed(&TCurveRange::ExpandLeft, BtnMinLeft, false); }
void TCurveForm::BtnMaxLeftClick() { ScalePressed(&TCurveRange::CompressLeft, BtnMaxLeft, true); }
void TCurveForm::BtnMinRightClick() { ScalePressed(&TCurveRange::CompressRight, BtnMinRight, true); }
void TCurveForm::BtnMaxRightClick() { ScalePressed(&TCurveRange::ExpandRight, BtnMaxRight, false); }

void TCurveForm::BtnPrintClick()
{
    const std::optional<PrintChoice> choice = AskPrint();
    if (!choice) return;
    QPrinter printer(QPrinter::HighResolution);
    ConfigurePrinter(printer, *choice);
    printer.setDocName(windowTitle());
    QPainter painter;
    if (!painter.begin(&printer)) return;
    const int pageWidth = printer.pageLayout().paintRectPixels(printer.resolution()).width();
    // The page rectangle's 200-pixel margins are counted at 600 dots per inch.
    const double unit = printer.resolution() / 600.0;
    const int margin = static_cast<int>(200 * unit);
    const QRect target(QPoint(margin, margin), QPoint(pageWidth - margin, static_cast<int>((pageWidth - 1) / 1.73)));
    Graph->render(&painter, target);
    painter.end();
}
