// The printed frame on a window of its own, composed as the waveform view composes it: the
// survey in the header, a panel shown only on the page and in the copied picture, the window at
// its printing size while printed, and every panel back as it was after either.
#include "views/printed_frame.h"

#include "fixtures/pdf_text.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
struct FramedWindow {
    QWidget window;
    TPrintedFrame frame{window, "Voltage Samples"};
    QFrame* legend = new QFrame;
    QLabel* triggers = new QLabel("Over on L1V at 250.00 V");

    FramedWindow()
    {
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(frame.PanelTop);
        legend->setFrameShape(QFrame::Panel);
        legend->setAutoFillBackground(true);
        auto* rows = new QVBoxLayout(legend);
        triggers->setAutoFillBackground(true);
        QPalette red = triggers->palette();
        red.setColor(QPalette::Window, Qt::red);
        triggers->setPalette(red);
        triggers->hide();
        rows->addWidget(triggers);
        rows->addStretch(1);
        rows->addWidget(frame.PanelInfo);
        layout->addWidget(legend, 1);
        frame.PageOnlyPanels = {triggers};
        frame.WhiteOnPage = {legend};
        window.resize(500, 300);
        window.show();
        QApplication::processEvents();
    }
    bool AsOnScreen() const
    {
        return !triggers->isVisible() && !frame.PanelInfo->isVisible() && frame.PanelTop->frameShadow() == QFrame::Raised &&
               legend->palette().color(QPalette::Window) == QApplication::palette().color(QPalette::Window);
    }
};
}  // namespace

TEST(PrintedFrame, TheSurveyFillsTheHeaderAndTheInformationLines)
{
    FramedWindow w;
    TSurveySelection survey;
    survey.Name = "feeder.orv";
    survey.Description = "Feeder 7";
    survey.Site = "North";
    survey.Operator = "A. Engineer";
    TInfoPrintVal info;
    w.frame.ShowSurvey(survey, info);
    EXPECT_EQ(w.frame.LabelInfo->text(), "Survey: <feeder.orv>");
    EXPECT_EQ(w.frame.LabelMeas->text(), "Voltage Samples");
    EXPECT_EQ(info.DescriptionLine, "Description: Feeder 7");
    EXPECT_EQ(info.SiteLine, "Site: North");
    EXPECT_EQ(info.OperatorLine, "Operator: A. Engineer");
    EXPECT_TRUE(w.AsOnScreen());
}

TEST(PrintedFrame, PageOnlyPanelsShowInTheCopyAndOnThePageOnly)
{
    TempProgDir dir;
    ScriptedMessages messages;
    FramedWindow w;
    const QImage copied = w.frame.CopiedPicture();
    ASSERT_EQ(copied.size(), w.window.size());
    const QPoint corner = w.triggers->mapTo(&w.window, QPoint(1, 1));
    EXPECT_EQ(copied.pixelColor(corner), QColor(Qt::red));
    EXPECT_TRUE(w.frame.LabelPrint->text().isEmpty());
    EXPECT_TRUE(w.AsOnScreen());

    const std::string pdf = dir / "frame.pdf";
    messages.PrintTo(PrintChoice{.outputFile = pdf});
    std::vector<QSize> printedAt;
    w.frame.Print([&](bool printed) { if (printed) printedAt.push_back(w.window.size()); }, {});
    EXPECT_EQ(printedAt, std::vector<QSize>{QSize(620, 400)});
    const std::string text = PdfText(pdf);
    for (const char* shown : {"Over on L1V at 250.00 V", "Printed on: ", "Voltage Samples", "Start date:"})
        EXPECT_NE(text.find(shown), std::string::npos) << shown << " in " << text;
    EXPECT_EQ(w.window.size(), QSize(500, 300));
    EXPECT_TRUE(w.AsOnScreen());
}
