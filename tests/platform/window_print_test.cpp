// A window printed on one page as the trend views, the waveform view and the bar report print:
// dressed as printed while the page is taken and put back after, its labels as text and its
// pictures as pictures; Cancel leaves it alone, and a printer that cannot start says so.
#include "platform/window_print.h"

#include "fixtures/pdf_text.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>
#include <gtest/gtest.h>

TEST(WindowPrint, OnePageDressedAsPrintedWithLabelsAsTextAndPicturesAsPictures)
{
    TempProgDir dir;
    ScriptedMessages messages;
    QWidget window;
    window.setWindowTitle("Report");
    auto* layout = new QVBoxLayout(&window);
    layout->addWidget(new QLabel("Voltage 95%"));
    auto* button = new QLabel("Prints the Report");
    layout->addWidget(button);
    auto* graph = new QFrame;
    graph->setFrameShape(QFrame::Box);
    graph->setMinimumSize(200, 100);
    new QLabel("drawn by the graph", graph);
    layout->addWidget(graph);
    window.show();
    QApplication::processEvents();

    std::vector<bool> dressed;
    const auto asPrinted = [&](bool printed) {
        dressed.push_back(printed);
        button->setVisible(!printed);
    };
    const auto paint = [&](QPainter& painter) {
        PaintWindowForPage(painter, window, {{graph, [] {
                                                  QImage picture(200, 100, QImage::Format_RGB32);
                                                  picture.fill(Qt::blue);
                                                  return picture;
                                              }}});
    };

    PrintWindow(window, asPrinted, paint);  // the print dialog cancelled
    EXPECT_TRUE(dressed.empty());

    const std::string pdf = dir / "report.pdf";
    messages.PrintTo(PrintChoice{.outputFile = pdf});
    PrintWindow(window, asPrinted, paint);
    EXPECT_EQ(dressed, (std::vector<bool>{true, false}));
    EXPECT_TRUE(button->isVisible());
    EXPECT_EQ(PdfPages(pdf), 1);
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Voltage 95%"), std::string::npos) << text;
    EXPECT_EQ(text.find("Prints the Report"), std::string::npos) << text;
    EXPECT_EQ(text.find("drawn by the graph"), std::string::npos) << text;
    EXPECT_TRUE(messages.messages.empty());

    dressed.clear();
    messages.PrintTo(PrintChoice{.outputFile = dir / "no such folder/report.pdf"});
    PrintWindow(window, asPrinted, paint);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Unable to print."});
    EXPECT_EQ(dressed, (std::vector<bool>{true, false}));
}
