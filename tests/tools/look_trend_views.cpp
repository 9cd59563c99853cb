// Every trend view of a three-day demo survey, for looking at by hand: the main window opens
// the views of every trend measure; on each, its Traces Settings button opens the traces dialog,
// which is answered with as many traces as it offers (the last items of each list first, whose
// names are the longest, on alternating phases); the view is grabbed before and after, and
// printed (to a PDF) through the main window's Print button, maximised and at its own size.
//   xvfb-run -a orv_look_trend_views <folder>
// writes into <folder>: trend_<measure>_empty.png, trend_<measure>_dialog.png, trend_<measure>.png
// trend_<measure>.pdf and trend_<measure>_normal.pdf for each measure, and prints each view's caption, its legend and the
// messages shown (start a window manager such as openbox first to see the frames).
#include "app/main_form.h"
#include "dialogs/elided_label.h"
#include "fixtures/demo_survey.h"
#include "look_support.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/text_tables.h"
#include "views/traces_dialog_base.h"
#include "views/trend_view_form.h"

#include <QApplication>
#include <QComboBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <cstdio>
#include <string>

namespace {
std::string folder;

// The traces dialog, when it opens: each row's list on an item from its end (row k the k-th
// last), its phase radio L1, L2, L3 in turn where it is offered, grabbed, then OK.
void AnswerTracesWhenShown(const std::string& name)
{
    auto* poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, name] {
        auto* dialog = qobject_cast<TTracesDialogBase*>(QApplication::activeModalWidget());
        if (!dialog) return;
        poll->stop();
        poll->deleteLater();
        for (int row = 0; row < kTraceCount; ++row) {
            QComboBox* list = dialog->Combos[static_cast<std::size_t>(row)];
            if (!list || !list->isEnabled() || list->count() < 2) continue;
            list->setCurrentIndex(std::max(1, list->count() - 1 - row));
            dialog->ComboChange(row);
            QRadioButton* phase = dialog->Radios[static_cast<std::size_t>(row)][static_cast<std::size_t>(row % 3)];
            if (phase && phase->isEnabled()) phase->setChecked(true);
        }
        Settle(200);
        dialog->grab().save(QString::fromStdString(folder + name + "_dialog.png"));
        dialog->BtnOkClick();
    });
    poll->start(100);
}

// The active view printed through the main window's Print button into <folder><name>.pdf.
bool Print(TMainForm& form, ScriptedMessages& messages, const std::string& name)
{
    Settle(200);
    PrintChoice pdf;
    pdf.outputFile = folder + name + ".pdf";
    messages.PrintTo(pdf);
    form.BtnPrint->trigger();
    return FileExists(pdf.outputFile);
}

void LookAtView(TMainForm& form, ScriptedMessages& messages, QMdiSubWindow* window, TTrendViewForm& view, int measure)
{
    const std::string name = "trend_" + std::to_string(measure);
    form.MdiArea->setActiveSubWindow(window);
    window->showMaximized();
    SaveWindowPicture(*window, folder, name + "_empty");
    AnswerTracesWhenShown(name);
    form.BtnTraces->trigger();
    SaveWindowPicture(*window, folder, name);
    const bool printed = Print(form, messages, name);
    window->showNormal();
    const bool printedNormal = Print(form, messages, name + "_normal");
    std::printf("%s: %u records, %s\n", view.windowTitle().toStdString().c_str(), view.ZoomRecords(),
                printed && printedNormal ? "printed" : "NOT printed");
    for (TElidedLabel* legend : view.LegendLabels) std::printf("  legend: %s\n", legend->FullText().toStdString().c_str());
}
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::optional<std::string> look = LookFolder(argc, argv);
    if (!look) return 2;
    folder = *look;
    const std::string survey = WriteDemoSurvey(DataDir(), 3);
    SurveySelection() = DemoSelection(survey, 3, {1, 2, 3, 4, 5, 7, 9, 10});
    ScriptedMessages messages;

    TMainForm form;
    RegisterTrendViews(form.WindowRegistry);
    form.resize(1000, 720);
    form.show();
    form.EnableMainCommands();  // as the splash does when it ends
    form.OpenSurveyViews();
    Settle(300);
    for (QMdiSubWindow* window : form.MdiArea->subWindowList()) {
        auto* view = qobject_cast<TTrendViewForm*>(window->widget());
        if (view) LookAtView(form, messages, window, *view, MeasureOfViewKind(view->ViewKind()));
    }
    for (const std::string& text : messages.Texts()) std::printf("message: %s\n", text.c_str());
    return 0;
}
