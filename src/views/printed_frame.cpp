// The header and information panels of a measurement view, and its printing and copying.
#include "views/printed_frame.h"

#include "dialogs/prn_form.h"

#include <QApplication>
#include <QDateTime>
#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }

TDateTime LocalNow()
{
    const QDateTime now = QDateTime::currentDateTime();
    const QDate d = now.date();
    const QTime t = now.time();
    return DateSerial(d.year(), d.month(), d.day()) + TimeFraction(t.hour(), t.minute(), t.second(), t.msec());
}
}  // namespace

QFont ArialPixels(int pixels)
{
    QFont f("Arial");
    f.setPixelSize(pixels);
    return f;
}

QLabel* AddPanelLabel(QWidget* parent, QGridLayout* grid, const char* caption, int row, int column)
{
    auto* label = new QLabel(caption, parent);
    label->setMinimumWidth(1);
    grid->addWidget(label, row, column);
    return label;
}

namespace {
QFrame* RaisedFrame(QWidget* parent)
{
    auto* frame = new QFrame(parent);
    frame->setFrameStyle(QFrame::Panel | QFrame::Raised);
    frame->setFont(ArialPixels(11));
    return frame;
}
}  // namespace

QFrame* NewLegendPanel(QWidget* parent, int width)
{
    QFrame* panel = RaisedFrame(parent);
    panel->setFixedWidth(width);
    panel->setAutoFillBackground(true);
    return panel;
}

TPanelGrid AddRaisedPanel(QWidget* parent)
{
    QFrame* frame = RaisedFrame(parent);
    auto* grid = new QGridLayout(frame);
    grid->setContentsMargins(8, 2, 8, 2);
    grid->setVerticalSpacing(0);
    return {frame, grid};
}

TPrintedFrame::TPrintedFrame(QWidget& window, const std::string& measureLabel) : window_(window)
{
    const TPanelGrid panel = AddRaisedPanel(&window);
    PanelTop = panel.Frame;
    PanelTop->setFixedHeight(56);
    PanelTop->setAutoFillBackground(true);
    QGridLayout* top = panel.Grid;
    // The view's period on the left, the survey on the right.
    const struct {
        QLabel** label;
        const char* caption;
    } head[] = {{&LabelIni, "Start date: "},    {&LabelEnd, "Stop date: "}, {&LabelNRec, "Records: "},
                {&LabelDescr, "Description:"}, {&LabelSite, "Site:"},       {&LabelOperator, "Operator:"}};
    for (int k = 0; k < 6; ++k) *head[k].label = AddPanelLabel(PanelTop, top, head[k].caption, k % 3, k / 3);
    top->setColumnStretch(1, 1);

    PanelInfo = new QFrame(&window);
    PanelInfo->setFrameStyle(QFrame::Box | QFrame::Plain);
    auto* info = new QVBoxLayout(PanelInfo);
    info->setContentsMargins(4, 4, 4, 4);
    LabelInfo = new QLabel("Survey: <%s>", PanelInfo);
    LabelMeas = new QLabel(Q(measureLabel), PanelInfo);
    LabelPrint = new QLabel("Printed on:", PanelInfo);
    LabelTarn = new QLabel("Tarn - Zidevid Phase Monitor", PanelInfo);
    for (QLabel* l : {LabelInfo, LabelMeas, LabelPrint, LabelTarn}) {
        l->setWordWrap(true);
        l->setTextFormat(Qt::PlainText);
        info->addWidget(l);
    }
    PanelInfo->hide();
}

QHBoxLayout* TPrintedFrame::PlaceHeader()
{
    auto* main = new QVBoxLayout(&window_);
    main->setContentsMargins(0, 0, 0, 0);
    main->setSpacing(0);
    main->addWidget(PanelTop);
    auto* body = new QHBoxLayout;
    body->setSpacing(0);
    main->addLayout(body, 1);
    return body;
}

void TPrintedFrame::ShowSurvey(const TSurveySelection& selection, TInfoPrintVal& info)
{
    LabelDescr->setText(LabelDescr->text() + " " + Q(selection.Description));
    LabelSite->setText(LabelSite->text() + " " + Q(selection.Site));
    LabelOperator->setText(LabelOperator->text() + " " + Q(selection.Operator));
    LabelInfo->setText(LabelInfo->text().replace("%s", Q(selection.Name)));
    info.DescriptionLine = LabelDescr->text().toStdString();
    info.SiteLine = LabelSite->text().toStdString();
    info.OperatorLine = LabelOperator->text().toStdString();
}

void TPrintedFrame::ShowAsPrinted(bool printed)
{
    PanelTop->setFrameShadow(printed ? QFrame::Sunken : QFrame::Raised);
    PanelInfo->setVisible(printed);
    for (QWidget* w : PageOnlyPanels) w->setVisible(printed);
    for (QWidget* w : ScreenOnlyPanels) w->setVisible(!printed);
    std::vector<QWidget*> white{PanelTop};
    white.insert(white.end(), WhiteOnPage.begin(), WhiteOnPage.end());
    for (QWidget* w : white) {
        QPalette p = w->palette();
        p.setColor(QPalette::Window, printed ? QColor(Qt::white) : QApplication::palette().color(QPalette::Window));
        w->setPalette(p);
    }
}

QImage TPrintedFrame::CopiedPicture()
{
    LabelPrint->clear();
    PanelTop->setFrameShadow(QFrame::Sunken);
    PanelInfo->show();
    for (QWidget* w : ScreenOnlyPanels) w->hide();
    for (QWidget* w : PageOnlyPanels) w->show();
    const QImage image = window_.grab().toImage();
    for (QWidget* w : PageOnlyPanels) w->hide();
    for (QWidget* w : ScreenOnlyPanels) w->show();
    PanelInfo->hide();
    PanelTop->setFrameShadow(QFrame::Raised);
    return image;
}

void TPrintedFrame::Print(const std::function<void(bool printed)>& viewAsPrinted, const std::vector<TPagePicture>& pictures)
{
    QSize kept;
    const auto asPrinted = [&](bool printed) {
        if (printed) {
            kept = window_.size();
            window_.resize(PrintingSize);
            viewAsPrinted(true);
            if (PrnForm) PrnForm->show();
            LabelPrint->setText(Q(PrintLine(LocalNow())));
            ShowAsPrinted(true);
        } else {
            ShowAsPrinted(false);
            viewAsPrinted(false);
            window_.resize(kept);
            if (PrnForm) PrnForm->hide();
        }
    };
    PrintWindow(window_, asPrinted, [&](QPainter& painter) { PaintWindowForPage(painter, window_, pictures); });
}
