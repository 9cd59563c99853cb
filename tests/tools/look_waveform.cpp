// The waveform view on the week's demo survey, for looking at by hand, reached as an events
// list reaches it (the child context's ShowSamplesAt with an event's time) and driven through
// the main window's toolbar:
//   xvfb-run -a orv_look_waveform <folder>
// writes into <folder>: main_window.png (the view opened at the second capture), next.png
// (Next Event), auto.png (after one automatic step), zoomed.png, panned.png, cursor.png,
// copy.png (Copy to Clipboard), waveform.pdf (Print) and waveform_triggers.pdf (Print at the
// second capture, with its trigger labels); render the PDFs with pdftoppm.
#include "app/main_form.h"
#include "fixtures/demo_survey.h"
#include "look_support.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/measure_file_info.h"
#include "survey/samples_index.h"
#include "views/show_al_vm_form.h"
#include "views/waveform_chart.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QMdiSubWindow>
#include <QMouseEvent>
#include <cmath>
#include <cstdio>
#include <string>

namespace {
std::string folder;

void Save(QWidget& window, const std::string& name)
{
    Settle(400);
    window.grab().save(QString::fromStdString(folder + name + ".png"));
}

// A left-button drag across the chart between fractions of its plot area.
void Drag(TWaveformChart& chart, QPointF from, QPointF to)
{
    const QRectF plot = chart.PlotArea();
    const auto at = [&](QPointF f) { return QPointF(plot.left() + f.x() * plot.width(), plot.top() + f.y() * plot.height()); };
    const auto send = [&](QEvent::Type type, QPointF p, Qt::MouseButtons buttons) {
        QMouseEvent event(type, p, chart.viewport()->mapToGlobal(p), Qt::LeftButton, buttons, Qt::NoModifier);
        QApplication::sendEvent(chart.viewport(), &event);
        Settle(50);
    };
    send(QEvent::MouseButtonPress, at(from), Qt::LeftButton);
    for (int i = 1; i <= 4; ++i) send(QEvent::MouseMove, at(from + (to - from) * i / 4.0), Qt::LeftButton);
    send(QEvent::MouseButtonRelease, at(to), Qt::NoButton);
}
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::optional<std::string> look = LookFolder(argc, argv);
    if (!look) return 2;
    folder = *look;
    const std::string survey = WriteDemoSurvey(DataDir(), 7);
    const std::string samples = ChangeFileExt(survey, ".tme");
    TMeasureFileInfo info;
    const std::optional<Bytes> index = BuildSamplesIndexEntries(samples);
    if (survey.empty() || !index || !ReadMeasureFileInfo(samples, MeasureSamples, info)) {
        std::fprintf(stderr, "no demo captures\n");
        return 1;
    }
    ScriptedMessages messages;
    PrintChoice pdf;
    pdf.outputFile = folder + "waveform.pdf";
    messages.PrintTo(pdf);
    PrintChoice triggers;
    triggers.outputFile = folder + "waveform_triggers.pdf";
    messages.PrintTo(triggers);

    TMainForm form;
    RegisterWaveformView(form.WindowRegistry);
    form.resize(1000, 720);
    form.show();
    form.EnableMainCommands();  // as the splash does when it ends
    // The events list's double-click on the second capture's event, over the survey's days.
    const TDateTime start = std::floor(info.FirstTime), stop = std::floor(info.LastTime) + 1 - kOneSecond / 1000;
    form.ChildContext().ShowSamplesAt(samples, false, IndexEntry(*index, 1)->Time, start, stop, 0);
    auto* view = qobject_cast<TShowAlVmForm*>(form.ActiveChild());
    if (!view) {
        std::fprintf(stderr, "the waveform view did not open\n");
        return 1;
    }
    view->parentWidget()->resize(760, 520);
    Save(form, "main_window");
    form.BtnNext->trigger();
    Save(*view, "next");
    form.BtnNextTimer->trigger();
    Settle(2300);
    form.BtnNextTimer->trigger();
    Save(*view, "auto");

    form.BtnZoomIn->trigger();
    Drag(*view->Chart, {0.2, 0.15}, {0.55, 0.6});
    Save(*view, "zoomed");
    form.BtnHand->trigger();
    Drag(*view->Chart, {0.6, 0.5}, {0.4, 0.4});
    Save(*view, "panned");
    form.BtnHand->trigger();
    form.BtnFull->trigger();

    form.BtnMeas->trigger();
    Drag(*view->Chart, {0.3, 0.5}, {0.3, 0.5});
    for (int i = 0; i < 5; ++i) {
        QKeyEvent right(QEvent::KeyPress, Qt::Key_Right, Qt::NoModifier);
        QApplication::sendEvent(view, &right);
    }
    Save(*view, "cursor");
    form.BtnMeas->trigger();

    form.BtnCopyClip->trigger();
    QApplication::clipboard()->image().save(QString::fromStdString(folder + "copy.png"));
    form.BtnPrint->trigger();
    // The second capture again, whose trigger labels print in place of the grid.
    form.BtnFirst->trigger();
    form.BtnNext->trigger();
    form.BtnPrint->trigger();
    for (const std::string& text : messages.Texts()) std::printf("message: %s\n", text.c_str());
    std::printf("%s: event %d of %d\n", view->windowTitle().toStdString().c_str(), view->Navigation().Current(),
                view->Navigation().Count());
    return FileExists(folder + "waveform.pdf") ? 0 : 1;
}
