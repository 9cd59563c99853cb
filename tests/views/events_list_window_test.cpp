// The events list window and its dialogs: opening on the child's own survey with its header,
// caption and commands, the too-long period, one message for bad stamps, the double-click on a
// date reaching the context's ShowSamplesAt (or a beep), the filter dialog's refusals and
// refill, the system events window, and printing.
#include "events_fixture.h"

#include "app/main_form.h"
#include "app/window_registry.h"
#include "fixtures/demo_survey.h"
#include "fixtures/child_context_fixture.h"
#include "fixtures/on_modal.h"
#include "fixtures/pdf_text.h"
#include "fixtures/selection_fixture.h"
#include "fixtures/window_shot.h"
#include "platform/file_io.h"
#include "sheet/sheet_grid_view.h"
#include "survey/samples_index.h"
#include "views/show_al_vm_form.h"
#include "views/show_ala_form.h"
#include "views/sys_event_form.h"
#include "views/traces_alarm_dlg.h"
#include "wizards/interval_page.h"
#include "wizards/sel_data_dlg.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {
std::string Text(const QLabel* label) { return label->text().toStdString(); }

std::unique_ptr<TShowAlaForm> Open(RecordingChildServices& services, const TSurveySelection& selection)
{
    auto form = std::make_unique<TShowAlaForm>(services.Context(selection));
    form->show();
    QApplication::processEvents();
    return form;
}

// Three voltage events, the first and third captured, and a system event.
struct CapturedSurvey : EventsSurvey {
    CapturedSurvey()
        : EventsSurvey({Event(1, 0, EventAt(10, 0, 0, 50), 253, 260, 120), Event(2, 1, EventAt(10, 1), 207, 190, 80),
                        Event(16, 2, EventAt(10, 2)), Event(1, 2, EventAt(10, 3), 253, 270, 300)},
                       {Capture(EventAt(10, 0, 0, 50)), Capture(EventAt(10, 3))})
    {
    }
};
}  // namespace

TEST(EventsListWindow, OpensOnItsOwnSurveyWithHeaderCaptionAndCommands)
{
    KeptSurveySelection kept;
    CapturedSurvey survey;
    SurveySelection() = TSurveySelection{};  // the list reads its context, not the program-wide record
    RecordingChildServices services;
    auto form = Open(services, survey.selection);
    Shot(form.get(), "events_list");

    EXPECT_TRUE(survey.messages.messages.empty()) << testing::PrintToString(survey.messages.Texts());
    EXPECT_EQ(form->ViewKind(), TViewKind::EventsList);
    EXPECT_EQ(form->windowTitle().toStdString().substr(0, 13), "Survey File <");
    EXPECT_TRUE(form->windowTitle().endsWith("test.ale> - Events"));
    EXPECT_EQ(Text(form->LabelIni), "Start date: 15/03/2024 10:00:00");
    EXPECT_EQ(Text(form->LabelEnd), "Stop date: 15/03/2024 10:03:00");
    EXPECT_EQ(Text(form->LabelNRec), "Total records: 4");
    EXPECT_EQ(Text(form->LabelFiltered), "Filtered records: 3");
    EXPECT_EQ(Text(form->LabelDescr), "Description: Feeder 3");
    EXPECT_EQ(Text(form->LabelOperator), "Operator: A. Engineer");
    EXPECT_TRUE(form->BtnSysEvents->isEnabled());
    EXPECT_EQ(form->Grid->Book().CellText(3, 3), "L1 Voltage");
    const TCommandState& state = form->CommandState();
    EXPECT_TRUE(state.Traces && state.Print && state.SaveSheetAs);
    EXPECT_FALSE(state.Values || state.CopyToClipboard);
    EXPECT_TRUE(Capability<TEventsFilter>(form.get()));

    const std::string index = form->List().IndexFile();
    ASSERT_TRUE(FileExists(index));
    form.reset();
    EXPECT_FALSE(FileExists(index));

    TWindowRegistry registry;
    RegisterEventsList(registry);
    std::unique_ptr<TChildForm> registered(registry.CreateMeasureView(MeasureEvents, services.Context(survey.selection), nullptr));
    EXPECT_TRUE(dynamic_cast<TShowAlaForm*>(registered.get()));
}

TEST(EventsListWindow, WithoutSystemEventsTheirButtonStaysOff)
{
    EventsSurvey survey({Event(1, 0, EventAt(10, 0)), Event(1, 1, EventAt(10, 1))});
    RecordingChildServices services;
    auto form = Open(services, survey.selection);
    EXPECT_FALSE(form->BtnSysEvents->isEnabled());
}

TEST(EventsListWindow, APeriodBeyondTheLimitWarnsOnceAtOpening)
{
    for (const std::int64_t count : {16000, 16001}) {
        TempProgDir dir;
        ScriptedMessages messages;
        RecordingChildServices services;
        auto form = Open(services, LongEventsSelection(dir, count));
        if (count > kEventsListLimit) {
            ASSERT_EQ(messages.messages.size(), 1u);
            EXPECT_EQ(messages.messages[0].text, "Events file too long. Truncated at 16000 records.");
            EXPECT_EQ(messages.messages[0].type, MsgType::Warning);
        } else {
            EXPECT_TRUE(messages.messages.empty());
        }
        EXPECT_EQ(Text(form->LabelNRec), "Total records: " + std::to_string(count));
        EXPECT_EQ(Text(form->LabelFiltered), "Filtered records: 16000");
        EXPECT_EQ(form->Grid->Book().MaxRow(), 16010);
    }
}

TEST(EventsListWindow, BadStampsGiveOneMessage)
{
    std::vector<Bytes> records;
    for (int k = 0; k < 8; ++k) records.push_back(EventRecord(Event(1, 0, EventAt(10, k))));
    for (int k : {2, 3, 5}) records[static_cast<std::size_t>(k)][13] = 13;  // month 13
    EventsSurvey survey(records);
    RecordingChildServices services;
    auto form = Open(services, survey.selection);
    EXPECT_EQ(survey.messages.Texts(), std::vector<std::string>{"Invalid Date"});
    // Their rows stand without a date.
    EXPECT_EQ(Text(form->LabelFiltered), "Filtered records: 8");
    EXPECT_EQ(form->Grid->Book().CellText(5, kEventsDateColumn), "");
    EXPECT_EQ(form->Grid->Book().CellText(5, kEventsMeasureColumn), "L1 Voltage");
    EXPECT_EQ(form->Grid->Book().CellText(7, kEventsDateColumn), "15/03/2024 10:04:00.00");
}

TEST(EventsListWindow, ADoubleClickedDateShowsItsCaptureThroughTheContextOrBeeps)
{
    CapturedSurvey survey;
    RecordingChildServices services;
    auto form = Open(services, survey.selection);
    const auto index = BuildSamplesIndexEntries(survey.samplesPath);
    ASSERT_TRUE(index);

    form->GridDblClick(5, kEventsDateColumn);  // 10:03, the second capture
    ASSERT_EQ(services.samplesCalls.size(), 1u);
    const RecordingChildServices::SamplesCall& call = services.samplesCalls[0];
    EXPECT_EQ(call.path, survey.samplesPath);
    EXPECT_EQ(call.eventTime, EventTime(10, 3));
    EXPECT_EQ(call.start, survey.selection.Start);
    EXPECT_EQ(call.stop, survey.selection.Stop);
    EXPECT_EQ(call.offset, static_cast<std::int32_t>(IndexEntry(*index, 1)->Offset));
    EXPECT_TRUE(call.truncated);  // the system event has no row
    EXPECT_EQ(survey.messages.beeps, 0);

    form->GridDblClick(4, kEventsDateColumn);  // 10:01, no capture
    EXPECT_EQ(services.samplesCalls.size(), 1u);
    EXPECT_GE(survey.messages.beeps, 1);

    // Another column opens the filter dialog.
    const bool opened = OnModal<TTracesAlarmDlg>([&] { form->GridDblClick(4, 3); }, [](TTracesAlarmDlg& d) { d.reject(); });
    EXPECT_TRUE(opened);
    EXPECT_EQ(services.samplesCalls.size(), 1u);
}

TEST(EventsListWindow, WithoutASamplesFileEveryDoubleClickOpensTheFilter)
{
    EventsSurvey survey({Event(1, 0, EventAt(10, 0))});
    RecordingChildServices services;
    auto form = Open(services, survey.selection);
    EXPECT_TRUE(OnModal<TTracesAlarmDlg>([&] { form->GridDblClick(3, kEventsDateColumn); }, [](TTracesAlarmDlg& d) { d.reject(); }));
    EXPECT_TRUE(services.samplesCalls.empty());
    EXPECT_EQ(survey.messages.beeps, 0);
}

TEST(EventsListWindow, FilterDialogRefusesEmptyGroupsAndNumberlessLimitsThenRefills)
{
    CapturedSurvey survey;
    RecordingChildServices services;
    auto form = Open(services, survey.selection);

    TTracesAlarmDlg dialog;
    dialog.SetEventFilter(form->Filter());
    EXPECT_EQ(dialog.windowTitle(), "Events Settings");
    EXPECT_EQ(dialog.EditValue->text(), "-1000.00");
    EXPECT_EQ(dialog.EditDuration->text(), "0.00");
    EXPECT_TRUE(dialog.RadioValueGreater->isChecked());
    EXPECT_EQ(dialog.RadioDurationGreater->text(), "Greater than (>)");
    EXPECT_EQ(dialog.RadioValueGreater->text(), "Greater than (>=)");
    EXPECT_EQ(dialog.CBoxClasses[EventClassPowers]->text(), "Powers && Currents");
    EXPECT_EQ(dialog.EditValue->maxLength(), 8);
    dialog.show();
    for (QCheckBox* box : dialog.CBoxPhases) box->setChecked(false);
    dialog.BtnOkClick();
    EXPECT_EQ(survey.messages.Texts(), std::vector<std::string>{"Invalid filter selection."});
    EXPECT_TRUE(dialog.isVisible());
    dialog.CBoxPhases[0]->setChecked(true);
    dialog.EditValue->setText("abc");
    EXPECT_FALSE(dialog.EditExit(dialog.EditValue));
    dialog.BtnOkClick();
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(survey.messages.Texts().back(), "Invalid float conversion");
    // The close box leaves the filter as it was.
    dialog.close();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_EQ(dialog.EventFilter(), TEventFilter{});

    // OK with L1 only and peaks of at least 265: the list is filled again.
    const bool opened = OnModal<TTracesAlarmDlg>([&] { form->EditEventsFilter(); }, [](TTracesAlarmDlg& d) {
        d.CBoxPhases[1]->setChecked(false);
        d.CBoxPhases[2]->setChecked(false);
        d.EditValue->setText("265");
        d.BtnOkClick();
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(Text(form->LabelFiltered), "Filtered records: 0");
    EXPECT_EQ(form->Filter().ValueLimit, 265.0f);
    EXPECT_FALSE(form->Filter().Types[5]);  // type 6 is gone for good
    EXPECT_EQ(form->Grid->Book().CellText(3, kEventsDateColumn), "");

    ASSERT_TRUE(OnModal<TTracesAlarmDlg>([&] { form->EditEventsFilter(); }, [](TTracesAlarmDlg& d) {
        d.CBoxPhases[0]->setChecked(false);
        d.CBoxPhases[2]->setChecked(true);
        d.BtnOkClick();
    }));
    EXPECT_EQ(Text(form->LabelFiltered), "Filtered records: 1");
    EXPECT_EQ(form->Grid->Book().CellText(3, kEventsMeasureColumn), "L3 Voltage");
    EXPECT_EQ(form->Grid->Book().CellText(4, kEventsMeasureColumn), "");
    Shot(form.get(), "events_list_filtered");
}

TEST(EventsListWindow, SystemEventsButtonListsThePeriodsSystemEvents)
{
    CapturedSurvey survey;
    RecordingChildServices services;
    auto form = Open(services, survey.selection);
    int rows = -1;
    std::string event, records, description;
    const bool opened = OnModal<TSysEventForm>([&] { form->BtnSysEventsClick(); }, [&](TSysEventForm& f) {
        rows = f.List->topLevelItemCount();
        if (rows > 0) event = f.List->topLevelItem(0)->text(1).toStdString();
        records = Text(f.LabelRec);
        description = Text(f.LabelDescr);
        EXPECT_EQ(f.windowTitle(), "System Events");
        EXPECT_EQ(f.List->headerItem()->text(0), "Date ");
        Shot(&f, "system_events");
        f.BtnClose->click();
    });
    ASSERT_TRUE(opened);
    EXPECT_EQ(rows, 1);
    EXPECT_EQ(event, "Setup change");
    EXPECT_EQ(records, "Filtered records: 4");
    EXPECT_EQ(description, "Description: Feeder 3");
}

TEST(EventsListWindow, PrintsWithThePeriodAboveAndTheSurveyBelow)
{
    CapturedSurvey survey;
    RecordingChildServices services;
    auto form = Open(services, survey.selection);
    const std::string pdf = survey.dir / "events.pdf";
    survey.messages.PrintTo(PrintChoice{"", pdf, false, 1});
    form->Print();
    ASSERT_TRUE(FileExists(pdf)) << testing::PrintToString(survey.messages.Texts());
    const TF1Book& book = form->Grid->Book();
    EXPECT_EQ(book.PrintHeader(), "&L&A of <&F> printed on &D &T\rStart date: 15/03/2024 10:00:00\r"
                                  "Stop date: 15/03/2024 10:03:00\rTotal records: 4\rFiltered records: 3");
    EXPECT_EQ(book.PrintFooter(), "&LDescription: Feeder 3\rSite: Substation\rOperator: A. Engineer\r"
                                  "Tarn - Zidevid Phase Monitor\rPage &P/&N");
    EXPECT_TRUE(book.Print.noColor);
    const std::string text = PdfText(pdf);
    EXPECT_NE(text.find("Events of <test.orv> printed on"), std::string::npos) << text;
    EXPECT_NE(text.find("Filtered records: 3"), std::string::npos) << text;
    EXPECT_NE(text.find("Page 1/1"), std::string::npos) << text;
}

// The main window's road: Open Survey with the events ticked opens the list, its Traces
// Settings button opens the filter dialog, and a double-click on a captured event's date opens
// the waveform view at that capture.
TEST(EventsListRoad, OpenSurveyThenTheWaveformOfADoubleClickedDate)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string survey = WriteDemoSurvey(dir.Path(), 2);
    TMainForm form;
    RegisterEventsList(form.WindowRegistry);
    RegisterWaveformView(form.WindowRegistry);
    form.resize(1000, 700);
    form.show();
    form.ExecModal = [survey](QDialog& d) {
        auto& wizard = static_cast<TSelDataDlg&>(d);
        wizard.SurveyPage->Picker->SelectFile(survey);
        wizard.BtnNextClick();
        for (int k = 1; k <= kMeasureCount; ++k)
            if (QCheckBox* box = wizard.DataPage->Box(k); box && k != MeasureEvents) box->setChecked(false);
        wizard.DataPage->CBoxClick();
        wizard.BtnFinishClick();
        return wizard.result();
    };
    form.ItemOpenSurvey->trigger();
    QApplication::processEvents();
    auto* list = dynamic_cast<TShowAlaForm*>(form.ActiveChild());
    ASSERT_NE(list, nullptr) << testing::PrintToString(messages.Texts());
    EXPECT_TRUE(form.BtnTraces->isEnabled());
    EXPECT_TRUE(OnModal<TTracesAlarmDlg>([&] { form.BtnTraces->trigger(); }, [](TTracesAlarmDlg& d) { d.reject(); }));

    // The demo's first event, an L1 over-voltage at 02:13:07.45, was captured.
    ASSERT_EQ(list->Grid->Book().CellText(3, kEventsDateColumn), "15/03/2024 02:13:07.45");
    EXPECT_TRUE(list->Grid->Book().StyleOf(*list->Grid->Book().SheetAt(1).Find(3, kEventsDateColumn)).font.bold);
    list->GridDblClick(3, kEventsDateColumn);
    QApplication::processEvents();
    auto* waveform = dynamic_cast<TShowAlVmForm*>(form.ActiveChild());
    ASSERT_NE(waveform, nullptr) << testing::PrintToString(messages.Texts());
    const auto entry = waveform->Navigation().CurrentEntry();
    ASSERT_TRUE(entry);
    EXPECT_EQ(ToMilliseconds(entry->Time), ToMilliseconds(FixtureTime(2024, 3, 15, 2, 13, 7, 45)));
    Shot(&form, "events_list_waveform");
}
