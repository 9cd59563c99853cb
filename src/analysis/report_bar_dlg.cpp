// The bar report dialog: its panels and gauges, navigation, menus and printing.
#include "analysis/report_bar_dlg.h"

#include "analysis/grad_gauge.h"
#include "app/window_registry.h"
#include "dialogs/br_date_form.h"
#include "graph/qpainter_canvas.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/window_print.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWidgetAction>
#include <functional>

namespace {
// The client area, laid out in pixels: measure panels on the left, the bars on the right of
// their phase labels, one bar row each.
constexpr int kClientWidth = 560;
constexpr int kPanelLeft = 8, kPanelWidth = 180, kPhaseLeft = 198, kBarLeft = 224, kBarWidth = 300, kBarHeight = 11;
constexpr int kRowPitch = 20, kGroupGap = 6, kFirstRow = 72;
constexpr int kScaleStep = kBarWidth / 4;  // the percent scale's marks: 80 % to 100 %
constexpr int kLedSize = 14;

QFont ArialPixels(int pixels, bool bold = false)
{
    QFont font("Arial");
    font.setPixelSize(pixels);
    font.setBold(bold);
    return font;
}

void SetTextColour(QWidget* widget, TColor colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, ToQColor(colour));
    widget->setPalette(palette);
}

// A scale mark's text centred on x.
QLabel* ScaleMark(QWidget* parent, const QString& text, int x, int y)
{
    auto* label = new QLabel(text, parent);
    label->setFont(ArialPixels(11));
    label->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    label->setGeometry(x - 20, y, 40, 14);
    return label;
}

// The navigation buttons' pictures: a triangle pointing back or on, red with a stop bar for the
// failed-date buttons; the date picker's a small calendar.
enum class ButtonPicture { DayBack, DayOn, FailedBack, FailedOn, Calendar };
QIcon Picture(ButtonPicture kind)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == ButtonPicture::Calendar) {
        p.setPen(QPen(Qt::black, 1));
        p.setBrush(Qt::white);
        p.drawRect(2, 3, 12, 11);
        p.fillRect(2, 3, 13, 3, QColor(0x80, 0, 0));
        for (int x = 4; x <= 12; x += 3)
            for (int y = 8; y <= 12; y += 3) p.fillRect(x, y, 2, 2, Qt::black);
        return QIcon(pixmap);
    }
    const bool back = kind == ButtonPicture::DayBack || kind == ButtonPicture::FailedBack;
    const bool failed = kind == ButtonPicture::FailedBack || kind == ButtonPicture::FailedOn;
    const QColor colour = failed ? QColor(0xC0, 0, 0) : Qt::black;
    QPainterPath arrow;
    const double tip = back ? 3 : 13, base = back ? 11 : 5;
    arrow.moveTo(tip, 8);
    arrow.lineTo(base, 3);
    arrow.lineTo(base, 13);
    arrow.closeSubpath();
    p.fillPath(arrow, colour);
    if (failed) p.fillRect(back ? 12 : 2, 3, 2, 10, colour);
    return QIcon(pixmap);
}

QToolButton* NavigationButton(QWidget* parent, ButtonPicture picture, const char* hint, int x)
{
    auto* button = new QToolButton(parent);
    button->setIcon(Picture(picture));
    button->setToolTip(hint);
    button->setGeometry(x, 9, 26, 24);
    return button;
}

// The button at the right of a measure panel that pops its menu up.
QToolButton* MenuButton(QLabel* panel)
{
    auto* button = new QToolButton(panel);
    button->setArrowType(Qt::DownArrow);
    button->setGeometry(panel->width() - 22, 3, 18, 16);
    return button;
}

QPixmap LedPicture()
{
    QPixmap pixmap(kLedSize, kLedSize);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(0x80, 0, 0), 1));
    p.setBrush(QColor(0xFF, 0, 0));
    p.drawEllipse(QRectF(1, 1, kLedSize - 2, kLedSize - 2));
    return pixmap;
}

QDate ToQDate(double day)
{
    const DateTimeParts parts = DecodeDateTime(day);
    return {parts.year, parts.month, parts.day};
}

// The items of a menu; several columns become a grid of buttons, as a menu cannot break.
void FillMenu(QMenu* menu, const std::vector<std::vector<TBarMenuItem>>& columns, const std::function<void(int)>& choose)
{
    menu->clear();
    if (columns.size() <= 1) {
        for (const auto& column : columns)
            for (const TBarMenuItem& item : column)
                menu->addAction(QString::fromStdString(item.Caption), menu, [choose, choice = item.Choice] { choose(choice); });
        return;
    }
    auto* grid = new QWidget(menu);
    auto* layout = new QGridLayout(grid);
    layout->setContentsMargins(2, 2, 2, 2);
    layout->setSpacing(0);
    for (std::size_t c = 0; c < columns.size(); ++c)
        for (std::size_t r = 0; r < columns[c].size(); ++r) {
            auto* button = new QToolButton(grid);
            button->setText(QString::fromStdString(columns[c][r].Caption));
            button->setAutoRaise(true);
            button->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
            QObject::connect(button, &QToolButton::clicked, menu, [menu, choose, choice = columns[c][r].Choice] {
                menu->close();
                choose(choice);
            });
            layout->addWidget(button, static_cast<int>(r), static_cast<int>(c));
        }
    auto* action = new QWidgetAction(menu);
    action->setDefaultWidget(grid);
    menu->addAction(action);
}
}  // namespace

TReportBarDlg::TReportBarDlg(QWidget* parent) : FixedDialog(parent, "Report")
{
    MainLayout()->setContentsMargins(0, 0, 0, 0);
    setFont(ArialPixels(12));
    auto* client = new QWidget(this);
    MainLayout()->addWidget(client);

    auto* top = new QFrame(client);
    top->setFrameShape(QFrame::Panel);
    top->setFrameShadow(QFrame::Raised);
    top->setGeometry(0, 0, kClientWidth, 42);
    auto* start = new QLabel("Start Window", top);
    start->setGeometry(8, 9, 80, 24);
    EditDate = new QLineEdit(top);
    EditDate->setReadOnly(true);
    EditDate->setGeometry(90, 10, 80, 22);
    BtnDayPrev = NavigationButton(top, ButtonPicture::DayBack, "Previous Date", 178);
    BtnDayNext = NavigationButton(top, ButtonPicture::DayOn, "Next Date", 204);
    BtnFailPrev = NavigationButton(top, ButtonPicture::FailedBack, "Previous Failed Date", 236);
    BtnFailNext = NavigationButton(top, ButtonPicture::FailedOn, "Next Failed Date", 262);
    BtnSetDate = NavigationButton(top, ButtonPicture::Calendar, "Select Date", 294);
    Led = new QLabel(top);
    Led->setPixmap(LedPicture());
    Led->setGeometry(328, 14, kLedSize, kLedSize);
    Led->hide();
    LabelDuration = new QLabel("Window duration: %d day(s)", top);
    LabelDuration->setGeometry(350, 9, 150, 24);
    BtnPrint = new QPushButton("&Print", top);
    BtnPrint->setToolTip("Prints the Report");
    BtnPrint->setGeometry(kClientWidth - 58, 9, 52, 24);

    BuildPanels(client);
    HarmMenu = new QMenu(this);
    EventMenu = new QMenu(this);

    connect(BtnDayPrev, &QToolButton::clicked, this, &TReportBarDlg::BtnDayPrevClick);
    connect(BtnDayNext, &QToolButton::clicked, this, &TReportBarDlg::BtnDayNextClick);
    connect(BtnFailPrev, &QToolButton::clicked, this, &TReportBarDlg::BtnFailPrevClick);
    connect(BtnFailNext, &QToolButton::clicked, this, &TReportBarDlg::BtnFailNextClick);
    connect(BtnSetDate, &QToolButton::clicked, this, &TReportBarDlg::BtnSetDateClick);
    connect(BtnPrint, &QPushButton::clicked, this, &TReportBarDlg::BtnPrintClick);
    connect(BtnPopupHarm, &QToolButton::clicked, this, [this] { PopUp(HarmMenu, BtnPopupHarm, PanelHarmonics); });
    connect(BtnPopupEvent, &QToolButton::clicked, this, [this] { PopUp(EventMenu, BtnPopupEvent, PanelEvents); });
}

TReportBarDlg::~TReportBarDlg() = default;

void TReportBarDlg::BuildPanels(QWidget* client)
{
    // The percent scale over the bars of measures 1 to 5, the events' own scale over theirs.
    auto* barPanel = new QFrame(client);
    barPanel->setFrameShape(QFrame::Box);
    auto* eventsPanel = new QFrame(client);
    eventsPanel->setFrameShape(QFrame::Box);
    for (int k = 0; k <= 4; ++k)
        ScaleMark(client, QString("%1%").arg(kPercentBarFloor + 5 * k), kBarLeft + k * kScaleStep, kFirstRow - 18);

    int y = kFirstRow;
    for (const TBarMeasure& row : kBarMeasures) {
        auto& panels = panels_[static_cast<std::size_t>(row.Measure - 1)];
        auto& bars = bars_[static_cast<std::size_t>(row.Measure - 1)];
        if (row.Measure == MeasureEvents) {
            barPanel->setGeometry(kPhaseLeft - 4, kFirstRow - 22, kClientWidth - kPhaseLeft, y - kFirstRow + 20);
            y += 20;
            ScaleMark(client, "0", kBarLeft, y - 16);
            LabelEventsMiddle = ScaleMark(client, "5", kBarLeft + kBarWidth / 2, y - 16);
            LabelEventsRight = ScaleMark(client, "10", kBarLeft + kBarWidth, y - 16);
            eventsPanel->setGeometry(kPhaseLeft - 4, y - 18, kClientWidth - kPhaseLeft, 3 * kRowPitch + 18);
        }
        const int barsPerPanel = row.Bars / row.Panels;
        for (int p = 0; p < row.Panels; ++p) {
            auto* panel = new QLabel(client);
            panel->setFrameShape(QFrame::Panel);
            panel->setFrameShadow(QFrame::Raised);
            panel->setFont(ArialPixels(12, true));
            panel->setIndent(4);
            panel->setGeometry(kPanelLeft, y + p * barsPerPanel * kRowPitch, kPanelWidth, barsPerPanel * kRowPitch - 2);
            panels.push_back(panel);
        }
        for (int b = 0; b < row.Bars; ++b) {
            const int rowTop = y + b * kRowPitch;
            if (row.PhaseBars) {
                auto* phase = new QLabel(QString("L%1").arg(b + 1), client);
                phase->setFont(ArialPixels(11));
                phase->setGeometry(kPhaseLeft, rowTop, 24, kRowPitch - 2);
            }
            auto* bar = new TGradGauge(client);
            bar->setGeometry(kBarLeft, rowTop + (kRowPitch - 2 - kBarHeight) / 2, kBarWidth, kBarHeight);
            bar->setFont(ArialPixels(9));
            bar->SetBorder(TGradGauge::TBorder::None);
            bar->SetMax(row.CountBars ? kDefaultEventBarRange : kPercentBarRange);
            bar->SetCaption(row.CountBars ? "0" : "0%");
            bars.push_back(bar);
        }
        y += row.Bars * kRowPitch + kGroupGap;
    }
    client->setFixedSize(kClientWidth, y + 2);
    PanelVoltage = panels_[0][0];
    PanelFrequency1 = panels_[1][0];
    PanelFrequency2 = panels_[1][1];
    PanelUnbalance = panels_[2][0];
    PanelHarmonics = panels_[3][0];
    PanelFlicker = panels_[4][0];
    PanelEvents = panels_[5][0];
    BtnPopupHarm = MenuButton(PanelHarmonics);
    BtnPopupEvent = MenuButton(PanelEvents);
}

bool TReportBarDlg::LoadBarReport(const std::string& fileName)
{
    if (fileName.empty() || !FileExists(fileName)) {
        ShowError("Unable to open the file " + fileName + ".");
        return false;
    }
    TReportRead read = ReadAnalysisReportFile(fileName);
    if (!read.Report) {
        ShowError(ReportReadMessage(read, fileName));
        return false;
    }
    if (const std::string problem = BarReportProblem(*read.Report); !problem.empty()) {
        ShowError(ReportReadMessage({ReportFault::BadValue, problem, std::nullopt}, fileName));
        return false;
    }
    model_ = std::make_unique<TBarReport>(std::move(*read.Report));
    setWindowTitle(QString::fromStdString("Analysis Report file - " + fileName));
    LabelDuration->setText(QString::fromStdString(model_->DurationText()));
    BuildMenus();
    ShowBarCaptions();
    ShowDate();
    return true;
}

void TReportBarDlg::BuildMenus()
{
    FillMenu(HarmMenu, model_->HarmonicMenu(), [this](int channel) { HarmonicChosen(channel); });
    FillMenu(EventMenu, {model_->EventMenu()}, [this](int category) { EventCategoryChosen(category); });
}

void TReportBarDlg::ShowBarCaptions()
{
    for (const TBarMeasure& row : kBarMeasures) {
        const bool analysed = model_->Analysed(row.Measure);
        const auto& panels = panels_[static_cast<std::size_t>(row.Measure - 1)];
        for (std::size_t p = 0; p < panels.size(); ++p) {
            panels[p]->setText(QString::fromStdString(model_->PanelCaption(row.Measure, static_cast<int>(p))));
            SetTextColour(panels[p], analysed ? clBlack : kNotAnalysedColour);
        }
    }
    BtnPopupHarm->setEnabled(!HarmMenu->isEmpty());
    BtnPopupEvent->setEnabled(!EventMenu->isEmpty());
    ShowEventScale();
}

void TReportBarDlg::ShowEventScale()
{
    const TEventScale scale = model_->EventScale();
    LabelEventsMiddle->setText(QString::fromStdString(scale.Middle));
    LabelEventsRight->setText(QString::fromStdString(scale.Right));
    for (TGradGauge* bar : Bars(MeasureEvents)) bar->SetMax(scale.Range);
}

void TReportBarDlg::ShowDate()
{
    EditDate->setText(QString::fromStdString(model_->ShownDateText()));
    BtnDayPrev->setEnabled(model_->HasPreviousWindow());
    BtnFailPrev->setEnabled(model_->HasPreviousWindow());
    BtnDayNext->setEnabled(model_->HasNextWindow());
    BtnFailNext->setEnabled(model_->HasNextWindow());
    ShowWindowBars();
}

void TReportBarDlg::ShowWindowBars()
{
    for (const TBarMeasure& row : kBarMeasures) {
        const std::vector<TBarLook> looks = model_->Bars(row.Measure);
        const auto& bars = Bars(row.Measure);
        for (std::size_t b = 0; b < bars.size() && b < looks.size(); ++b) {
            const TBarLook& look = looks[b];
            bars[b]->SetBackColor(look.BackColor);
            if (!look.Cleared) {
                bars[b]->SetColor1(look.Colour);
                bars[b]->SetColor2(look.Colour);
            }
            bars[b]->SetCaption(QString::fromStdString(look.Caption));
            bars[b]->SetProgress(look.Progress);
        }
    }
    Led->setVisible(model_->ShownDayFailed());
}

void TReportBarDlg::BtnDayPrevClick()
{
    model_->StepDay(-1);
    ShowDate();
}

void TReportBarDlg::BtnDayNextClick()
{
    model_->StepDay(1);
    ShowDate();
}

void TReportBarDlg::BtnSetDateClick()
{
    std::unique_ptr<TBrDateForm> own;
    TBrDateForm* picker = BrDateForm;
    if (!picker) {
        own = std::make_unique<TBrDateForm>(this);
        picker = own.get();
    }
    picker->SetCalendarDate(ToQDate(model_->ShownDay()));
    if (picker->exec() != QDialog::Accepted) return;
    const QDate chosen = picker->GetCalendarDate();
    const std::optional<TDateTime> day = EncodeDate(chosen.year(), chosen.month(), chosen.day());
    if (day && model_->SelectDate(*day)) ShowDate();
}

void TReportBarDlg::FindFailedDate(bool forward)
{
    if (!model_->FindFailedDate(forward)) {
        ShowMessage(std::string(kNoFailedDateMessage), MsgType::Information);
        return;
    }
    // The search may have made another channel or category current.
    ShowBarCaptions();
    ShowDate();
}

void TReportBarDlg::BtnFailPrevClick() { FindFailedDate(false); }
void TReportBarDlg::BtnFailNextClick() { FindFailedDate(true); }

void TReportBarDlg::HarmonicChosen(int channel)
{
    model_->ChooseHarmonicChannel(channel);
    PanelHarmonics->setText(QString::fromStdString(model_->PanelCaption(MeasureVoltageHarmonics)));
    ShowWindowBars();
}

void TReportBarDlg::EventCategoryChosen(int category)
{
    model_->ChooseEventCategory(category);
    PanelEvents->setText(QString::fromStdString(model_->PanelCaption(MeasureEvents)));
    ShowEventScale();
    ShowWindowBars();
}

void TReportBarDlg::PopUp(QMenu* menu, QToolButton* button, QLabel* panel)
{
    menu->popup(panel->mapToGlobal(QPoint(button->x(), panel->height())));
}

void TReportBarDlg::BtnPrintClick()
{
    std::vector<TPagePicture> pictures{{EditDate, [this] { return EditDate->grab().toImage(); }}};
    for (const auto& bars : bars_)
        for (TGradGauge* bar : bars) pictures.push_back({bar, [bar] { return bar->grab().toImage(); }});
    PrintWindow(*this, [this](bool printed) { BtnPrint->setVisible(!printed); },
                [this, &pictures](QPainter& p) { PaintWindowForPage(p, *this, pictures); });
}

void RegisterBarReport(TWindowRegistry& registry)
{
    registry.RoadWindows().BarReport = [](QWidget* parent, const std::string& reportFile) {
        TReportBarDlg dialog(parent);
        if (dialog.LoadBarReport(reportFile)) dialog.exec();
    };
}
