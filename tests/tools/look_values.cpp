// "Show Values" on every view of a three-day demo survey, for looking at by hand: the main
// window opens the views of every measure with values (the waveform view on its second
// capture); on each, its Show Values button opens a
// values sheet (the harmonics picker answered with the first two harmonics offered), which is
// grabbed while converting and when finished, printed (to a PDF) and saved (as Excel 5.0)
// through the main window's Print and Save Sheet As buttons.
//   xvfb-run -a orv_look_values <folder>
// writes into <folder>: values_<measure>_converting.png, values_<measure>.png, values_<measure>.pdf
// and values_<measure>.xls for each measure, main_window.png, and prints each sheet's caption and
// size and the messages shown (start a window manager such as openbox first to see the frames).
#include "app/main_form.h"
#include "dialogs/harm_list_dlg.h"
#include "export/show_values_form.h"
#include "fixtures/demo_survey.h"
#include "look_support.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "sheet/sheet_grid_view.h"
#include "survey/text_tables.h"
#include "views/show_al_vm_form.h"
#include "views/trend_view_form.h"

#include <QApplication>
#include <QListWidget>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <string>

namespace {
std::string folder;

// The harmonics picker, when it opens: the first two harmonics offered, then OK.
void AnswerPickerWhenShown()
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll] {
        auto* picker = qobject_cast<THarmListDlg*>(QApplication::activeModalWidget());
        if (!picker) return;
        poll->stop();
        poll->deleteLater();
        if (picker->SrcList->count() > 0) {
            picker->SrcList->item(0)->setSelected(true);
            picker->IncludeBtn->click();
        }
        picker->BtnOk->click();
    });
    poll->start(100);
}

void LookAtValues(TMainForm& form, ScriptedMessages& messages, QMdiSubWindow* view, int measure)
{
    const std::string name = "values_" + std::to_string(measure);
    form.MdiArea->setActiveSubWindow(view);
    Settle(200);
    if (measure == MeasureSamples) form.BtnNext->trigger();
    if (measure == MeasureVoltageHarmonics || measure == MeasureCurrentHarmonics) AnswerPickerWhenShown();
    form.BtnValues->trigger();
    auto* sheet = qobject_cast<TShowValuesForm*>(form.ActiveChild());
    if (!sheet) {
        std::printf("%s: no values sheet opened\n", MeasureName(measure).data());
        return;
    }
    sheet->parentWidget()->grab().save(QString::fromStdString(folder + name + "_converting.png"));
    QPointer<TShowValuesForm> alive(sheet);
    for (int i = 0; i < 400 && alive && !alive->SheetFinished(); ++i) Settle(50);
    if (!alive || !alive->SheetFinished()) {
        std::printf("%s: the values sheet did not finish\n", MeasureName(measure).data());
        return;
    }
    SaveWindowPicture(*sheet->parentWidget(), folder, name);
    PrintChoice pdf;
    pdf.outputFile = folder + name + ".pdf";
    messages.PrintTo(pdf);
    form.BtnPrint->trigger();
    messages.PickFile(folder + name + ".xls");
    form.BtnSaveSheet->trigger();
    const TF1Book& book = sheet->Grid->Book();
    std::printf("%s: %d rows, %d columns; %s\n", sheet->windowTitle().toStdString().c_str(), book.LastRow(),
                book.LastCol(), FileExists(pdf.outputFile) ? "printed" : "NOT printed");
    sheet->parentWidget()->close();
    Settle(100);
}
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::optional<std::string> look = LookFolder(argc, argv);
    if (!look) return 2;
    folder = *look;
    const std::string survey = WriteDemoSurvey(DataDir(), 3);
    // Every measure whose view has a values sheet (all but the events).
    SurveySelection() = DemoSelection(survey, 3, {1, 2, 3, 4, 5, 7, 8, 9, 10});
    ScriptedMessages messages;

    TMainForm form;
    RegisterTrendViews(form.WindowRegistry);
    RegisterWaveformView(form.WindowRegistry);
    RegisterValuesSheet(form.WindowRegistry);
    form.resize(1000, 720);
    form.show();
    form.EnableMainCommands();  // as the splash does when it ends
    form.OpenSurveyViews();
    Settle(300);
    const QList<QMdiSubWindow*> views = form.MdiArea->subWindowList();
    for (QMdiSubWindow* view : views) {
        auto* child = qobject_cast<TChildForm*>(view->widget());
        const int measure = child ? MeasureOfViewKind(child->ViewKind()) : 0;
        if (measure > 0) LookAtValues(form, messages, view, measure);
    }
    // The last sheet left open over its view.
    form.MdiArea->setActiveSubWindow(views.front());
    form.BtnValues->trigger();
    Settle(1500);
    SaveWindowPicture(form, folder, "main_window");
    std::printf("on the finished sheet: Print %s, Save Sheet As %s\n", form.BtnPrint->isEnabled() ? "on" : "off",
                form.BtnSaveSheet->isEnabled() ? "on" : "off");
    for (const std::string& text : messages.Texts()) std::printf("message: %s\n", text.c_str());
    return 0;
}
