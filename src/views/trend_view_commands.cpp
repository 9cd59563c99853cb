// The trend view's interactive commands: rubber-band zoom and zoom out, the measuring cursor
// by click and by key, the density curve of the cursor record, the clipboard and printing.
#include "views/trend_view_form.h"

#include "graph/zr_graph.h"
#include "platform/date_format.h"
#include "platform/repeated_message_filter.h"
#include "survey/record_search.h"
#include "views/curve_form.h"
#include "views/harmonic_layout.h"
#include "views/trend_buttons.h"
#include "views/trend_cursor.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

TTrendButtons TTrendViewForm::Buttons() const
{
    return TrendButtons({AnyTrace_, CursorOn_, ZoomMode_, Zoomed_, HasCurve()});
}

void TTrendViewForm::PublishButtons()
{
    const TTrendButtons b = Buttons();
    TCommandState state;
    state.Traces = state.Values = state.CopyToClipboard = state.Print = true;
    state.ZoomIn = {b.ZoomInEnabled, b.ZoomInDown};
    state.ZoomOut = b.ZoomOutEnabled;
    state.MeasureCursor = {b.MeasEnabled, b.MeasDown};
    state.Curve = b.CurveEnabled;
    PublishCommandState(state);
}

void TTrendViewForm::ShowZoomLabels(bool shown)
{
    for (QWidget* w : std::initializer_list<QWidget*>{LabelZoomIni, LabelZoomEnd, LabelZoomCurIni, LabelZoomCurEnd,
                                                      LabelRecordsZoom, ImageZoom, BevelZoom})
        w->setVisible(shown);
}

void TTrendViewForm::UpdateZoomButtons()
{
    PublishButtons();
    ShowZoomLabels(Buttons().ZoomLabelsShown);
}

void TTrendViewForm::UpdateCursorButtons() { PublishButtons(); }

void TTrendViewForm::SetZoom(bool zoomIn)
{
    TRepeatedMessageFilter oneMessage;
    if (zoomIn) {
        ZoomMode_ = !ZoomMode_;
    } else {
        ZoomWindow_ = FullWindow_;
        Zoomed_ = false;
        SetupAxes();
        LoadAndPlot();
    }
    UpdateZoomButtons();
    UpdateCursorButtons();
}

void TTrendViewForm::ChartMouseDown(TMouseButton button, int x, int y)
{
    if (button != TMouseButton::mbLeft) return;
    if (ZoomMode_) {
        if (!Banding) {
            Banding = true;
            DrawZoomBand(x, y, 1);
        }
        return;
    }
    if (!CursorOn_ || !Chart->InPlotArea(x, y)) return;
    const int s = Chart->FirstVisibleSeries();
    if (s == 0) return;
    std::uint32_t id = 0;
    double px = 0, py = 0;
    if (!Chart->FindNearestPoint(s, x, id, px, py)) return;
    CursorPoint_ = {static_cast<std::int32_t>(id), px, py};
    CurveTime_ = px;
    ShowCursorValues(id);
}

// The time and the six value labels for the cursor record `id`; a series without that point
// keeps its label.
void TTrendViewForm::ShowCursorValues(std::uint32_t id)
{
    LabelCursTime->setText(Q(FormatDateTimePattern(CursorPoint_.X, Period().CursorTimePattern)));
    for (int k = 1; k <= kTraceCount; ++k) {
        const TTraceEntry& e = Values.Traces.Entries[static_cast<std::size_t>(k - 1)];
        if (e.Item <= 0) continue;
        std::uint32_t pointId = id;
        double x = 0, y = 0, z = 0;
        if (!Chart->GetPoint(k, pointId, x, y, z)) continue;
        CursorLabels[static_cast<std::size_t>(k - 1)]->setText(Q(Member.CursorText(Member, Scale_, e, y)));
    }
}

void TTrendViewForm::ChartMouseMove(int x, int y)
{
    const bool inside = Chart->InPlotArea(x, y);
    if (ZoomMode_) Chart->setCursor(inside ? Qt::SizeHorCursor : Qt::ArrowCursor);
    else if (CursorOn_) Chart->setCursor(inside ? Qt::CrossCursor : Qt::ArrowCursor);
    if (Banding && inside) DrawZoomBand(x, y, 2);
}

void TTrendViewForm::ChartMouseUp(int x, int y)
{
    if (!Banding) return;
    DrawZoomBand(x, y, 3);
    Banding = false;
    Chart->setCursor(Qt::ArrowCursor);
}

void TTrendViewForm::ChartDblClick()
{
    if (AnyTrace_) ToggleCursor();
}

void TTrendViewForm::DrawZoomBand(int x, int y, int phase)
{
    const int left = Chart->Dimensions.LeftMargin();
    const int right = Chart->Width() - Chart->Dimensions.RightMargin();
    const int column = std::clamp(x, left + 1, right - 1);
    const int top = Chart->Dimensions.TopMargin();
    const int bottom = Chart->Height() - Chart->Dimensions.BottomMargin();
    if (phase == 1) {
        BandStart = BandEnd = column;
    } else if (phase == 2 || Chart->InPlotArea(column, y)) {
        BandEnd = column;
    }
    Chart->ShowBand(std::min(BandStart, BandEnd), top, std::max(BandStart, BandEnd), bottom);
    if (phase != 3) return;
    TRepeatedMessageFilter oneMessage;
    if (BandEnd != BandStart) {
        const TRecordWindow before = ZoomWindow_;
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ApplyZoom();
        QApplication::restoreOverrideCursor();
        if (!(ZoomWindow_ == before)) {
            Zoomed_ = true;
            ZoomMode_ = false;
            BandStart = BandEnd = 0;
            Chart->HideBand();
            SetupAxes();
            LoadAndPlot();
            UpdateZoomButtons();
            UpdateCursorButtons();
            return;
        }
    }
    // No width, or narrower than one record: the zoom stays armed and nothing changes.
    BandStart = BandEnd = 0;
    Chart->HideBand();
}

void TTrendViewForm::ApplyZoom()
{
    const int s = Chart->FirstVisibleSeries();
    if (s == 0) return;
    std::uint32_t id = 0;
    double t1 = 0, t2 = 0, y = 0;
    // The band's columns in time order, whichever way it was dragged.
    if (!Chart->FindNearestPoint(s, std::min(BandStart, BandEnd), id, t1, y)) return;
    if (!Chart->FindNearestPoint(s, std::max(BandStart, BandEnd), id, t2, y)) return;
    if (t1 >= t2) return;
    TDataFile F;
    if (!OpenTrendDataFile(F, Values.FileInfo, Member.Measure)) return;
    TRecordWindow w;
    w.FirstTime = t1;
    w.FirstPos = static_cast<std::uint32_t>(FindRecordAtTime(F, Values.FileInfo, t1));
    w.LastTime = t2;
    w.LastPos = static_cast<std::uint32_t>(FindRecordAtTime(F, Values.FileInfo, t2));
    if (w.FirstPos < w.LastPos) ZoomWindow_ = w;
}

void TTrendViewForm::ToggleCursor()
{
    CursorOn_ = !CursorOn_;
    Chart->SetXCursor(CursorOn_);
    UpdateZoomButtons();
    UpdateCursorButtons();
    LabelCursTime->clear();
    for (QLabel* l : CursorLabels) l->clear();
    UpdateLegend();
}

void TTrendViewForm::keyPressEvent(QKeyEvent* event)
{
    FormKeyDown(event->key(), event->modifiers());
    TChildForm::keyPressEvent(event);
}

void TTrendViewForm::FormKeyDown(int key, Qt::KeyboardModifiers shift)
{
    if (key != Qt::Key_Left && key != Qt::Key_Right) return;
    if (shift & (Qt::ShiftModifier | Qt::AltModifier)) return;
    if (!CursorOn_ || CursorPoint_.Id == 0) return;
    const int s = Chart->FirstVisibleSeries();
    if (s == 0) return;
    const int step = CursorKeyStep(key == Qt::Key_Right, CursorPoint_.X, ZoomWindow_, FullWindow_);
    if (step == 0) return;
    const std::int32_t id = CursorPoint_.Id + step;
    if (id <= 0) return;
    std::uint32_t pointId = static_cast<std::uint32_t>(id);
    double x = 0, y = 0, z = 0;
    // The cursor is written only where the series has a point of that id.
    if (!Chart->GetPoint(s, pointId, x, y, z)) return;
    Chart->CursorX = Chart->XToPixel(x);
    Chart->DrawXCursor();
    CursorPoint_ = {id, x, y};
    CurveTime_ = x;
    ShowCursorValues(static_cast<std::uint32_t>(id));
}

void TTrendViewForm::ShowDensityCurve()
{
    const TCurveClasses& classes = Member.Curve;
    if (!CursorOn_ || !HasCurve() || classes.Kind == TCurveKind::None) return;
    TDataFile F;
    if (!OpenTrendDataFile(F, Values.FileInfo, Member.Measure)) return;
    const std::int64_t record = FindRecordAtTime(F, Values.FileInfo, CurveTime_);
    F.Close();
    TCurveForm curve(this);
    // The record shown is the one at CurveTime, the cursor's record (before the cursor was
    // first placed, the interval's first record), in every member.
    curve.SetCurveHeader(Values.FileInfo, Member.Measure, Layout_.ThreePhase, CurveTime_);
    const TTrendColumns& c = Layout_.Columns;
    switch (classes.Kind) {
    case TCurveKind::Density:
        curve.ShowDensity(record + c.CurveOffset, c.PhaseStride, classes.Count, classes.FirstValue, classes.ClassWidth);
        break;
    case TCurveKind::HarmonicDensity:
        curve.SetHarmonics(HarmonicCurveBlocks(Layout_));
        curve.ShowHarmonicDensity(record, classes.Count, classes.FirstValue, classes.ClassWidth);
        break;
    case TCurveKind::Cpf: curve.ShowCpf(record + c.CurveOffset, c.PhaseStride, classes.Count); break;
    case TCurveKind::None: return;
    }
    curve.exec();
}

void TTrendViewForm::CopyToClipboard() { QApplication::clipboard()->setImage(Frame.CopiedPicture()); }

void TTrendViewForm::PrintView()
{
    // The graph prints on white, as its picture.
    Frame.Print([this](bool printed) { Chart->SetColor(printed ? clWhite : clSilver); },
                {{Chart, [this] { return Chart->Picture(); }}});
}
