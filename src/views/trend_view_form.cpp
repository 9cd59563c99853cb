// The trend-view frame: controls, creation, the head, the axes, loading and plotting, the
// legend, the traces command and the toolbar duties.
#include "views/trend_view_form.h"

#include "graph/zr_graph.h"
#include "platform/date_format.h"
#include "platform/repeated_message_filter.h"
#include "views/path_shortening.h"
#include "views/trace_settings.h"

#include <QApplication>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPainter>
#include <QScrollArea>
#include <QTimer>
#include <QVBoxLayout>

namespace {
constexpr int kLegendWidth = 190;  // the legend's width in a view of its opening size

QString Q(const std::string& s) { return QString::fromStdString(s); }
QColor ToQColor(std::uint32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// The small magnifying glass beside the zoom labels.
QPixmap MagnifierPicture()
{
    QPixmap picture(16, 16);
    picture.fill(Qt::transparent);
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(10, 10), QPointF(14.5, 14.5));
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(200, 230, 255));
    p.drawEllipse(QRectF(1.5, 1.5, 9, 9));
    return picture;
}

std::string FormatStamp(TDateTime t, const std::string& pattern) { return FormatDateTimePattern(t, pattern); }
}  // namespace

TTrendViewForm::TTrendViewForm(CreationKey key, const TTrendMember& member, QWidget* parent)
    : TChildForm(MeasureViewKind(member.Measure), key.Context, parent), Frame(*this, member.MeasureLabel), Member(member)
{
    if (Member.PrintLine) Frame.PrintLine = Member.PrintLine;
    BuildControls();
}

TTrendViewForm::~TTrendViewForm() = default;

void TTrendViewForm::BuildControls()
{
    setFocusPolicy(Qt::StrongFocus);
    QHBoxLayout* body = Frame.PlaceHeader();
    Chart = new TzrGraph(this);
    Chart->SetColor(clSilver);
    Chart->Appearance.SetBackgroundColor(clWhite);
    TGraphFont font;
    font.Name = "Arial";
    font.Height = -9;
    Chart->SetFont(font);
    Chart->XAxis.SetLabelFont(font);
    Chart->YAxis.SetLabelFont(font);
    Chart->XAxis.SetTitleFont(font);
    Chart->YAxis.SetTitleFont(font);
    Chart->Appearance.SetShowGraphTitle(false);
    Chart->Dimensions.SetLeftMargin(50);
    Chart->Dimensions.SetTopMargin(15);
    Chart->Dimensions.SetYAxisTitleOffset(12);
    Chart->SetDragAllowed(false);
    if (Member.SecondAxis) {
        Chart->YAxis_Second.SetLabelFont(font);
        Chart->YAxis_Second.SetTitleFont(font);
    }
    if (Member.RightMargin > 0) Chart->Dimensions.SetRightMargin(Member.RightMargin);
    if (!Member.ErrorCaption.empty()) Chart->Appearance.SetErrorCaption(Member.ErrorCaption);
    if (Member.XCursorAtStart) Chart->SetXCursor(true);
    Chart->OnMouseDown = [this](TMouseButton b, TShiftState, int x, int y) { ChartMouseDown(b, x, y); };
    Chart->OnMouseMove = [this](TShiftState, int x, int y) { ChartMouseMove(x, y); };
    Chart->OnMouseUp = [this](TMouseButton, TShiftState, int x, int y) { ChartMouseUp(x, y); };
    Chart->OnDblClick = [this] { ChartDblClick(); };
    body->addWidget(Chart, 1);
    ImageToPrint = new QLabel(this);
    ImageToPrint->hide();
    body->addWidget(ImageToPrint, 1);

    PanelLegend = NewLegendPanel(this, kLegendWidth);
    // The rows keep their height in a short window (tiled views): the legend is cut at its
    // foot, and the wheel scrolls it, instead of squeezing its rows into each other.
    auto* frame = new QVBoxLayout(PanelLegend);
    frame->setContentsMargins(0, 0, 0, 0);
    auto* clip = new QScrollArea(PanelLegend);
    clip->setFrameShape(QFrame::NoFrame);
    clip->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    clip->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    clip->setWidgetResizable(true);
    frame->addWidget(clip);
    auto* rows = new QWidget;
    auto* legend = new QGridLayout(rows);
    legend->setContentsMargins(6, 4, 6, 4);
    legend->setVerticalSpacing(4);
    PanelTitle = new QLabel(" Traces:", PanelLegend);
    PanelTitle->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    legend->addWidget(PanelTitle, 0, 0, 1, 2);
    LabelTime = AddPanelLabel(PanelLegend, legend, "Curs Time:", 1, 0);
    LabelCursTime = AddPanelLabel(PanelLegend, legend, "", 1, 1);
    LabelCursTime->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // Each trace's row across the legend: the value takes the width its text needs and the
    // name the rest, wrapping onto a second line rather than running into the value (shortened
    // on one line when a narrow view narrows the legend).
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        auto* row = new QHBoxLayout;
        row->setSpacing(6);
        LegendLabels[k] = new TElidedLabel(PanelLegend);
        LegendLabels[k]->setTextInteractionFlags(Qt::NoTextInteraction);
        LegendLabels[k]->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        LegendLabels[k]->SetWrapped(true);
        LegendLabels[k]->SetElideMode(Qt::ElideRight);  // the phase leads the name
        LegendLabels[k]->SetFullText("none");
        CursorLabels[k] = new QLabel("", PanelLegend);
        CursorLabels[k]->setAlignment(Qt::AlignRight | Qt::AlignTop);
        row->addWidget(LegendLabels[k], 1);
        row->addWidget(CursorLabels[k], 0);
        legend->addLayout(row, 2 + static_cast<int>(k), 0, 1, 2);
    }
    BevelZoom = new QFrame(PanelLegend);
    BevelZoom->setFrameStyle(QFrame::HLine | QFrame::Sunken);
    legend->addWidget(BevelZoom, 8, 0, 1, 2);
    LabelZoomIni = AddPanelLabel(PanelLegend, legend, "Zoom start date: ", 9, 0);
    LabelZoomCurIni = AddPanelLabel(PanelLegend, legend, "", 9, 1);
    LabelZoomEnd = AddPanelLabel(PanelLegend, legend, "Zoom stop date: ", 10, 0);
    LabelZoomCurEnd = AddPanelLabel(PanelLegend, legend, "", 10, 1);
    LabelRecordsZoom = AddPanelLabel(PanelLegend, legend, "Records:  ", 11, 0);
    ImageZoom = AddPanelLabel(PanelLegend, legend, "", 11, 1);
    ImageZoom->setFixedSize(16, 16);
    ImageZoom->setPixmap(MagnifierPicture());
    legend->setRowStretch(12, 1);
    legend->setColumnStretch(0, 1);
    legend->addWidget(Frame.PanelInfo, 13, 0, 1, 2);
    Frame.WhiteOnPage = {PanelLegend};
    clip->setWidget(rows);
    PanelLegend->installEventFilter(this);
    rows->installEventFilter(this);
    for (QLabel* l : PanelLegend->findChildren<QLabel*>()) l->installEventFilter(this);
    body->addWidget(PanelLegend);
}

void TTrendViewForm::FormCreate()
{
    resize(620, 400);
    const TSurveySelection& selection = Context().Selection();
    Frame.ShowSurvey(selection, Values.InfoPrint);
    Values.SurveyName = selection.Name;
    Values.FileInfo = selection.File(Member.Measure);
    FormResize();

    Values.Traces = NewTraceSettings(Member);
    DecideScale(NoHighest());
    TRepeatedMessageFilter oneMessage;
    if (!ReadDataHeader()) {
        OpenFailed_ = true;
        return;
    }
    SetupAxes();
    OpenFailed_ = !LoadAndPlot();
    UpdateLegend();
    UpdateZoomButtons();
    UpdateCursorButtons();
}

bool TTrendViewForm::ReadDataHeader()
{
    const TSurveySelection& selection = Context().Selection();
    TTrendOpening opening = OpenTrendHead(Values.FileInfo, Member, selection.Start, selection.Stop);
    if (opening.Fault != TrendOpenFault::None) return false;
    TTrendHead& head = opening.Head;
    Layout_ = std::move(head.Layout);
    FullWindow_ = head.FullWindow;
    ZoomWindow_ = FullWindow_;
    Values.PeriodRecords = head.PeriodRecords;
    Values.Traces.RecordTime = FullWindow_.LastTime;
    if (Layout_.AxesHeld) {
        Values.Traces.Axis1Shown = (*Layout_.AxesHeld)[0];
        Values.Traces.Axis2Shown = (*Layout_.AxesHeld)[1];
    }
    CurveTime_ = FullWindow_.FirstTime;

    const TTrendPeriod period = Period();
    const std::string stamp = RunDateFormats().shortDate + period.HeadTimePattern;
    QLabel *start = Frame.LabelIni, *stop = Frame.LabelEnd, *records = Frame.LabelNRec;
    start->setText(start->text() + Q(FormatStamp(FullWindow_.FirstTime, stamp)));
    stop->setText(stop->text() + Q(FormatStamp(FullWindow_.LastTime, stamp)));
    records->setText(records->text() + QString::number(Values.PeriodRecords) + Q(period.RateText));
    Values.InfoPrint.StartLine = start->text().toStdString();
    Values.InfoPrint.StopLine = stop->text().toStdString();
    Values.InfoPrint.RecordsLine = records->text().toStdString();
    return true;
}

void TTrendViewForm::ConfigureTraceSeries()
{
    for (int k = 1; k <= kTraceCount; ++k) {
        const TTraceEntry& e = Values.Traces.Entries[static_cast<std::size_t>(k - 1)];
        Chart->ConfigureSeries(k, e.Item != 0, true, false, 0.0, e.AxisIndex == 2 ? &Chart->YAxis_Second : &Chart->YAxis);
        Chart->SetSeriesLine(k, true, e.Colour, psSolid);
        Chart->SetSeriesPoints(k, false, 1, 1, true, e.Colour);
        Chart->GetSeries(k).MaxPoints = 0;  // a year of one-minute records is a normal window
    }
}

void TTrendViewForm::DecideScale(const std::array<double, kTraceCount>& highest)
{
    Scale_ = Member.Scale(Member, {Values.Traces, highest, Scale_.Kept});
}

void TTrendViewForm::ApplyYAxis()
{
    const std::array<TAxis*, 2> axes = {&Chart->YAxis, &Chart->YAxis_Second};
    const std::array<bool, 2> shown = {Values.Traces.Axis1Shown, Values.Traces.Axis2Shown};
    for (std::size_t a = 0; a < axes.size(); ++a) {
        if (a == 1 && !Member.SecondAxis) break;
        TAxis& axis = *axes[a];
        const TYAxisScale& scale = Scale_.Axes[a];
        if (Member.Axes[a].FollowsShownFlag) {
            axis.SetShowAxis(shown[a]);
            axis.SetShowLabel(shown[a]);
            axis.SetShowTitle(shown[a]);
        }
        axis.SetTitle(scale.Title);
        axis.SetMin(scale.Min);
        axis.SetMax(scale.Max);
        axis.SetStepSize(scale.Step);
        axis.SetAutoSizing(scale.Auto);
        axis.SetAutoStepping(scale.Auto);
    }
}

void TTrendViewForm::SetupAxes()
{
    const TTimeRange x = XAxisRange(ZoomWindow_, Period().GapSeconds);
    const int i = TimeTickIndex(SpanMinutes(x.Min, x.Max));
    Chart->SetPlotting(false);
    ConfigureTraceSeries();
    ApplyYAxis();
    Chart->XAxis.SetShowAsTime(true);
    Chart->XAxis.SetTitle(std::string(TimeAxisTitles[static_cast<std::size_t>(i)]));
    Chart->XAxis.SetDateTimeFormat(i >= 5 ? "mmm dd" : "hh:nn");
    Chart->XAxis.SetDateTickType(static_cast<Dateticks>(i));
    Chart->XAxis.SetMin(x.Min);
    Chart->XAxis.SetMax(x.Max);
    Chart->SetPlotting(true);
}

bool TTrendViewForm::LoadAndPlot()
{
    ZoomRecords_ = 0;
    TDataFile F;
    if (!OpenTrendDataFile(F, Values.FileInfo, Member.Measure)) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    Chart->SetPlotting(false);
    TWindowValues v = ReadTraceWindow(F, ZoomWindow_, Member, Layout_, Values.Traces, &IntervalTimes_);
    F.Close();
    // The first reading, at creation, is of the whole interval: its times serve every later one.
    if (IntervalTimes_.Times.Size() == 0) IntervalTimes_ = {v.Times, v.Joined, v.FirstIndex};
    ZoomRecords_ = v.RecordsRead();
    DecideScale(v.Highest);
    ApplyYAxis();
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        std::vector<double>& values = v.Values[k];
        if (values.empty()) continue;
        // Unscaled values are plotted as read.
        if (const double divisor = Scale_.Divisor[k]; divisor != 1)
            for (double& value : values) value /= divisor;
        Chart->AddPoints(static_cast<int>(k) + 1, v.Times, std::move(values), v.Joined);
    }
    Chart->SetPlotting(true);
    QApplication::restoreOverrideCursor();
    if (Zoomed_) {
        const TRecordWindow w = OrderedWindow(ZoomWindow_);
        LabelZoomCurIni->setText(Q(FormatStamp(w.FirstTime, "dd/MM hh:mm")));
        LabelZoomCurEnd->setText(Q(FormatStamp(w.LastTime, "dd/MM hh:mm")));
        LabelRecordsZoom->setText("Records: " + QString::number(ZoomRecords_));
    }
    return v.Complete;
}

std::string TTrendViewForm::TraceCaption(int index) const
{
    return Member.TraceCaption(Layout_, Values.Traces.Entries[static_cast<std::size_t>(index - 1)]);
}

void TTrendViewForm::UpdateLegend()
{
    LabelTime->setVisible(CursorOn_);
    LabelCursTime->setVisible(CursorOn_);
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        const TTraceEntry& e = Values.Traces.Entries[k];
        for (QLabel* label : std::initializer_list<QLabel*>{LegendLabels[k], CursorLabels[k]}) {
            QPalette p = label->palette();
            p.setColor(QPalette::WindowText, ToQColor(e.Colour));
            label->setPalette(p);
        }
        CursorLabels[k]->setVisible(CursorOn_ && e.Item > 0);
        if (Member.LegendClearsReadouts) CursorLabels[k]->clear();
        LegendLabels[k]->SetFullText(Q(TraceCaption(static_cast<int>(k) + 1)));
    }
}

bool TTrendViewForm::RunTracesDialog(TTraceSettings& traces)
{
    return Member.EditTraces && Member.EditTraces(this, Member, Layout_, traces);
}

void TTrendViewForm::EditTraces()
{
    if (!Layout_.Read()) return;
    TTraceSettings edited = Values.Traces;
    if (!RunTracesDialog(edited)) return;
    ApplyTraces(edited);
}

void TTrendViewForm::ApplyTraces(const TTraceSettings& traces)
{
    TRepeatedMessageFilter oneMessage;
    Values.Traces = traces;
    Chart->SetPlotting(false);
    DecideScale(NoHighest());
    ApplyYAxis();
    AnyTrace_ = AnyTraceChosen(Values.Traces);
    ConfigureTraceSeries();
    Chart->SetPlotting(true);
    UpdateZoomButtons();
    UpdateCursorButtons();
    LoadAndPlot();
    UpdateLegend();
}

void TTrendViewForm::FormActivate()
{
    if (OpenFailed_) {
        // Closed after the activation has finished, so the MDI area is not changed under it.
        QTimer::singleShot(0, this, [this] { if (QWidget* w = parentWidget()) w->close(); else close(); });
    }
}

// The main window takes the toolbar from the view that becomes active; the zoom labels stay
// as the view's zoom is.
void TTrendViewForm::FormDeactivate() { ShowZoomLabels(Buttons().ZoomLabelsShown); }

void TTrendViewForm::FormResize()
{
    // A narrow view (tiled side by side) keeps room for the graph: the legend gives way.
    const int legend = std::min(kLegendWidth, width() * 2 / 5);
    PanelLegend->setFixedWidth(legend);
    for (TElidedLabel* name : LegendLabels) name->SetWrapped(legend == kLegendWidth);
    const QString shortened = Q(ShortenPath(Values.FileInfo.FileName, width() / 3, [this](const std::string& s) {
        return fontMetrics().horizontalAdvance(Q(s));
    }));
    setWindowTitle(Q(Member.CaptionFormat).replace("%s", shortened));
}

void TTrendViewForm::resizeEvent(QResizeEvent* event)
{
    TChildForm::resizeEvent(event);
    FormResize();
}

void TTrendViewForm::showEvent(QShowEvent* event)
{
    TChildForm::showEvent(event);
    WatchActivation();
}

// MDI children learn of their activation from the area they live in.
void TTrendViewForm::WatchActivation()
{
    if (watchingActivation_) return;
    auto* sub = qobject_cast<QMdiSubWindow*>(parentWidget());
    QMdiArea* area = sub ? sub->mdiArea() : nullptr;
    if (!area) return;
    watchingActivation_ = true;
    connect(area, &QMdiArea::subWindowActivated, this, [this, sub](QMdiSubWindow* active) {
        // Deactivations run at once and activations after them, so the view that becomes active
        // has the last word on the toolbar whatever order the views were connected in.
        if (active == sub) QTimer::singleShot(0, this, [this] { FormActivate(); });
        else FormDeactivate();
    });
    if (area->activeSubWindow() == sub) FormActivate();
}

bool TTrendViewForm::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        LegendDblClick();
        return true;
    }
    return TChildForm::eventFilter(watched, event);
}

void TTrendViewForm::LegendDblClick() { EditTraces(); }
