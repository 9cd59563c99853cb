// The events list of a week's demo survey in the main window, for looking at by hand: the list
// with its colours, the waveform view a double-click on the first (captured) date opens, the
// filter dialog, the list filtered (L1 unticked), the system events window and the list printed
// to a PDF.
//   xvfb-run -a orv_look_events_list <folder>
// writes into <folder>: events_list.png, event_waveform.png, filter_dialog.png,
// events_list_filtered.png, system_events.png and events_list.pdf.
#include "app/main_form.h"
#include "fixtures/demo_survey.h"
#include "look_support.h"
#include "platform/scripted_messages.h"
#include "sheet/sheet_grid_view.h"
#include "survey/measure_file_info.h"
#include "survey/text_tables.h"
#include "views/show_al_vm_form.h"
#include "views/show_ala_form.h"
#include "views/sys_event_form.h"
#include "views/traces_alarm_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPushButton>
#include <QTimer>
#include <cstdio>
#include <string>

namespace {
std::string folder;

void Save(QWidget& window, const std::string& name) { SaveWindowPicture(window, folder, name); }

// Acts on the modal window that opens next.
template <typename Dialog, typename Act>
void OnNextModal(Act act)
{
    QTimer::singleShot(0, [act] {
        if (auto* d = qobject_cast<Dialog*>(QApplication::activeModalWidget())) act(*d);
    });
}
}  // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const std::optional<std::string> look = LookFolder(argc, argv);
    if (!look) return 2;
    folder = *look;
    const std::string survey = WriteDemoSurvey(DataDir(), 7);
    ScriptedMessages messages;
    messages.PrintTo(PrintChoice{"", folder + "events_list.pdf", false, 1});

    TSurveySelection selection = DemoAnalysisSelection(survey, 7);
    for (int k = 1; k <= kMeasureCount; ++k) selection.File(k).Selected = k == MeasureEvents;
    ReadMeasureFileInfo(ChangeFileExt(survey, std::string(DataFileExts[MeasureSamples])), MeasureSamples,
                        selection.File(MeasureSamples));
    SurveySelection() = selection;

    TMainForm form;
    RegisterEventsList(form.WindowRegistry);
    RegisterWaveformView(form.WindowRegistry);
    form.resize(1000, 720);
    form.show();
    form.EnableMainCommands();
    form.OpenSurveyViews();
    auto* list = dynamic_cast<TShowAlaForm*>(form.ActiveChild());
    if (!list) return 1;
    if (QMdiSubWindow* sub = form.MdiArea->activeSubWindow()) sub->resize(900, 560);
    Save(form, "events_list");
    list->GridDblClick(3, kEventsDateColumn);
    Save(form, "event_waveform");
    if (QMdiSubWindow* waveform = form.MdiArea->activeSubWindow(); waveform && waveform->widget() != list) waveform->close();
    form.MdiArea->setActiveSubWindow(form.MdiArea->subWindowList().front());

    OnNextModal<TTracesAlarmDlg>([](TTracesAlarmDlg& d) {
        d.CBoxPhases[0]->setChecked(false);
        Save(d, "filter_dialog");
        d.BtnOkClick();
    });
    list->EditEventsFilter();
    Save(form, "events_list_filtered");

    OnNextModal<TSysEventForm>([](TSysEventForm& f) {
        Save(f, "system_events");
        f.BtnClose->click();
    });
    list->BtnSysEventsClick();
    list->Print();
    for (const std::string& text : messages.Texts()) std::printf("message: %s\n", text.c_str());
    return FileExists(folder + "events_list.pdf") ? 0 : 1;
}
