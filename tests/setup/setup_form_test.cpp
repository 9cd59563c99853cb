// The setup editor: a new and an opened setup, saving with its refusals, the harmonic order
// fields, the global enables, copying and clearing over the picker's harmonics, the recorder
// fields, closing, and the editor in the main window.
#include "app/main_form.h"
#include "dialogs/br_date_form.h"
#include "dialogs/harm_list_dlg.h"
#include "dialogs/radio_group.h"
#include "fixtures/on_modal.h"
#include "fixtures/setup_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/scripted_messages.h"
#include "setup/setup_form.h"
#include "setup_form_fixture.h"

#include <QCheckBox>
#include <QDate>
#include <QLineEdit>
#include <QListWidget>
#include <QMdiArea>
#include <QPushButton>
#include <QTabWidget>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
QString Q(const char* text) { return QString::fromUtf8(text); }

// A file the editor saves as it stands: the zeros of a bare image but a sliding Plt window
// within its range.
SetupImage Saveable() { return SetupImage().U16(123, 10); }
}  // namespace

TEST_F(SetupFormTest, NewSetupShowsTheDefaults)
{
    TSetupForm& form = New();
    EXPECT_EQ(form.windowTitle(), "Setup file 3");
    EXPECT_EQ(form.Path(), "untitled");
    EXPECT_TRUE(form.Untitled());
    EXPECT_TRUE(form.Modified());
    EXPECT_TRUE(form.CommandState().SaveSetup);
    EXPECT_TRUE(form.CommandState().Print);
    EXPECT_EQ(form.EditVNom->text(), "230.0");
    EXPECT_EQ(form.EditVDelta->text(), "5.0");
    EXPECT_EQ(form.EditFlkPlt->text(), " 10");
    EXPECT_EQ(form.EditHHigh->text(), "8.0");
    EXPECT_EQ(form.EditHiHigh->text(), "8.0");
    EXPECT_EQ(form.EditOrderLim->text(), "Thd");
    EXPECT_EQ(form.GroupVPeriod->ItemIndex(), 2);
    EXPECT_EQ(form.GroupVSamples->ItemIndex(), 0);
    EXPECT_TRUE(form.EditStartDate->text().isEmpty());
    EXPECT_TRUE(form.rcEdit1TimeStart->text().isEmpty());
}

TEST_F(SetupFormTest, OpensAFileAndSavesItWhole)
{
    SetupImage image = Saveable();
    image.F32(62, 400.0f).U16(66, 1).U16(103, 0x8003).Date(72, 5, 1, 3).Time(68, 10, 15).Date(80, 5, 2, 3);
    image.U16(101, 9).U16(489 + 2 * 26, 6).F32(545, 12.5f);  // a period no item has; the tail Save used to lose
    const std::string path = image.Write(dir / "feeder.cfg");
    TSetupForm& form = Open(path);
    EXPECT_EQ(form.windowTitle(), QString::fromStdString("Setup file - " + path));
    EXPECT_FALSE(form.Modified());
    EXPECT_FALSE(form.CommandState().SaveSetup);
    EXPECT_EQ(form.EditVNom->text(), "400.0");
    EXPECT_EQ(form.GroupWiring->ItemIndex(), 1);
    EXPECT_EQ(form.GroupVPeriod->ItemIndex(), -1);
    EXPECT_TRUE(form.CBoxV[0]->isChecked());
    EXPECT_TRUE(form.CBoxV[1]->isChecked());
    EXPECT_FALSE(form.CBoxV[2]->isChecked());
    EXPECT_EQ(form.GroupVSamples->ItemIndex(), 2);
    EXPECT_EQ(form.EditStartDate->text(), "01/03/2005");
    EXPECT_EQ(form.rcEdit1TimeStart->text(), "10:15");

    form.EditVNom->setText("400.5");
    EXPECT_TRUE(form.Modified());
    form.SaveSetup();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Configuration parameters saved."});
    EXPECT_FALSE(form.Modified());
    std::vector<std::uint8_t> expected = SetupImage(image).F32(62, 400.5f).Bytes();
    EXPECT_EQ(FileBytes(path), expected);
}

TEST_F(SetupFormTest, AFileThatIsNoSetupDoesNotOpen)
{
    TWindowRegistry registry;
    RegisterSetupEditor(registry, [] { return 1; });
    const std::string path = SetupImage().Write(dir / "short.cfg", 300);
    EXPECT_EQ(registry.CreateDocumentWindow(TViewKind::Setup, services.Context(), nullptr, path), nullptr);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid ORV Setup file format."});
}

// A text that did not convert was saved as 0 after its message; now nothing is written, the
// field is shown and keeps the focus, for Save and Save As alike.
TEST_F(SetupFormTest, SaveRefusesAFieldThatDoesNotConvert)
{
    const struct {
        QLineEdit* TSetupForm::*field;
        const char* text;
        const char* message;
    } cases[] = {
        {&TSetupForm::EditVLow, "abc", "Invalid float conversion"},
        {&TSetupForm::EditFlkPlt, "12.5", "Invalid integer conversion"},
        {&TSetupForm::EditVNom, "500001", "Nominal Value must be from 0.0 to 500000 V"},
        {&TSetupForm::EditWHighC, "-0.1", "Power and Current limits must be positive values."},
    };
    const std::string path = Saveable().Write(dir / "kept.cfg");
    const std::vector<std::uint8_t> before = FileBytes(path);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        TSetupForm& form = Open(path);
        QLineEdit* field = form.*c.field;
        field->setText(Q(c.text));
        messages.Clear();
        form.SaveSetup();
        form.SaveSetupAs();
        EXPECT_EQ(messages.Texts(), (std::vector<std::string>{c.message, c.message}));
        EXPECT_TRUE(messages.fileRequests.empty());
        EXPECT_EQ(FileBytes(path), before);
        EXPECT_TRUE(form.Modified());
        EXPECT_TRUE(form.PageControl->currentWidget()->isAncestorOf(field));
    }
}

TEST_F(SetupFormTest, SaveNeedsTheRecorderStopAfterItsStart)
{
    TSetupForm& form = Open(Saveable().Write(dir / "interval.cfg"));
    SetInterval(form, "02/03/2005", "10:00", "02/03/2005", "10:00");
    form.SaveSetup();
    EXPECT_EQ(messages.Texts(),
              std::vector<std::string>{"Recorder Stop date and time must be\rgreater than Start date and time"});
    EXPECT_EQ(form.PageControl->tabText(form.PageControl->currentIndex()), "Recorder");
    EXPECT_TRUE(form.Modified());

    messages.Clear();
    form.rcEdit1TimeStop->setText("10:01");
    form.SaveSetup();
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Configuration parameters saved."});
    // Without a start date the interval is not checked: start and time are none.
    form.EditStartDate->clear();
    EXPECT_TRUE(form.rcEdit1TimeStart->text().isEmpty());
    EXPECT_EQ(form.ControlsToSetup(), TSetupForm::TControlsResult::Accepted);
    EXPECT_EQ(form.Setup().StartDate.Day, 255);
    EXPECT_EQ(form.Setup().StopDate.Year, 2005);
    EXPECT_EQ(form.Setup().StopTime.Minute, 1);
}

TEST_F(SetupFormTest, OrderFieldsStepPastTheFundamental)
{
    TSetupForm& form = New();
    form.EditHHigh->setText("9.5");
    std::vector<QString> orders, limits;
    for (bool up : {true, true, false, false}) {
        form.SpinOrderLimClick(up);
        orders.push_back(form.EditOrderLim->text());
        limits.push_back(form.EditHHigh->text());
    }
    EXPECT_EQ(orders, (std::vector<QString>{"2nd", "3rd", "2nd", "Thd"}));
    EXPECT_EQ(limits, (std::vector<QString>{"2.0", "5.0", "2.0", "9.5"}));
    EXPECT_FLOAT_EQ(form.Setup().HHigh[0], 9.5f);

    form.SpinOrderLimCurrClick(true);
    EXPECT_EQ(form.EditOrderLimCurr->text(), "DC");
    form.SpinOrderLimCurrClick(true);
    EXPECT_EQ(form.EditOrderLimCurr->text(), "2nd");
    EXPECT_EQ(form.CurrLimitOrder(), 3);

    // A limit out of range keeps the order where it is.
    form.EditHiHigh->setText("150");
    form.SpinOrderLimCurrClick(true);
    EXPECT_EQ(form.EditOrderLimCurr->text(), "2nd");
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Harmonic Range must be from 0.0 to 100 %"});

    // Switches follow their order.
    form.CBoxH[0]->setChecked(true);
    form.SpinOrderFlagClick(true);
    EXPECT_EQ(form.EditOrderFlag->text(), "2nd");
    EXPECT_FALSE(form.CBoxH[0]->isChecked());
    form.SpinOrderFlagClick(false);
    EXPECT_TRUE(form.CBoxH[0]->isChecked());
    EXPECT_EQ(form.Setup().HFlags[0], 1);
}

TEST_F(SetupFormTest, GlobalEnableNeedsALocalOne)
{
    TSetupForm& form = New();
    form.CBoxHGlobal->click();
    EXPECT_FALSE(form.CBoxHGlobal->isChecked());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid selection:\rEnable at least one local harmonic recorder."});
    form.CBoxHi[0]->setChecked(true);
    form.CBoxHiGlobal->click();
    EXPECT_TRUE(form.CBoxHiGlobal->isChecked());
    EXPECT_EQ(messages.Texts().size(), 1u);
}

// Copy and cancel over the harmonics chosen in the picker; Cancel in the picker used to apply
// them to THD all the same.
TEST_F(SetupFormTest, CopyAndCancelOverChosenHarmonics)
{
    TSetupForm& form = Open(SetupImage().U16(243 + 2 * 7, 0x40).Write(dir / "copy.cfg"));
    auto choose = [&](QToolButton* button, const char* label, bool ok) {
        return OnModal<THarmListDlg>([button] { button->click(); }, [&](THarmListDlg& picker) {
            const auto found = picker.SrcList->findItems(Q(label), Qt::MatchExactly);
            if (!found.isEmpty()) found.first()->setSelected(true);
            picker.IncludeBtn->click();
            (ok ? picker.BtnOk : picker.BtnCancel)->click();
        });
    };
    form.CBoxH[0]->setChecked(true);
    form.CBoxH[2]->setChecked(true);
    ASSERT_TRUE(choose(form.BtnLinkArm, "7th", false));
    EXPECT_EQ(form.Setup().HFlags[0], 0);
    EXPECT_FALSE(form.Modified());
    ASSERT_TRUE(choose(form.BtnLinkArm, "7th", true));
    EXPECT_EQ(form.Setup().HFlags[0], 0x05);  // THD is chosen from the start
    EXPECT_EQ(form.Setup().HFlags[7], 0x45);
    EXPECT_TRUE(form.Modified());

    ASSERT_TRUE(choose(form.BtnCancelArm, "2nd", true));
    EXPECT_EQ(form.Setup().HFlags[0], 0);
    EXPECT_FALSE(form.CBoxH[0]->isChecked());  // THD is shown: its boxes are cleared too
    EXPECT_EQ(form.Setup().HFlags[7], 0x45);

    form.CBoxHi[1]->setChecked(true);
    ASSERT_TRUE(choose(form.BtnLinkArmCurr, "DC", true));
    EXPECT_EQ(form.Setup().HiFlags[0], 0x02);
    EXPECT_EQ(form.Setup().HiFlags[1], 0x02);
}

TEST_F(SetupFormTest, RecorderFields)
{
    TSetupForm& form = New();
    form.StepTime(form.rcEdit1TimeStart, true, true);
    EXPECT_TRUE(form.rcEdit1TimeStart->text().isEmpty());  // an empty time is left alone

    ASSERT_TRUE(OnModal<TBrDateForm>([&] { form.BtnIniClick(); }, [](TBrDateForm& picker) { picker.BtnOk->click(); }));
    EXPECT_EQ(form.EditStartDate->text(), QDate::currentDate().toString("dd/MM/yyyy"));
    EXPECT_EQ(form.rcEdit1TimeStart->text(), "00:00");
    form.StepTime(form.rcEdit1TimeStart, true, false);
    form.StepTime(form.rcEdit1TimeStart, false, false);
    EXPECT_EQ(form.rcEdit1TimeStart->text(), "23:59");

    form.EditStopDate->setText("31/02/2005");
    EXPECT_FALSE(form.EditDateExit(form.EditStopDate));
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid Date"});
}

TEST_F(SetupFormTest, ClosingAsksAboutChanges)
{
    TSetupForm& form = New();
    messages.AnswerNext(MbCancel);
    EXPECT_FALSE(form.close());
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Save changes to active Setup file ?"});
    // Yes on an untitled setup asks for a name; without one the window stays.
    messages.AnswerNext(MbYes);
    messages.CancelFileDialog();
    EXPECT_FALSE(form.close());
    ASSERT_EQ(messages.fileRequests.size(), 1u);
    EXPECT_EQ(messages.fileRequests[0].title, "Save Setup File As");
    EXPECT_EQ(messages.fileRequests[0].filter, "Setup Files (*.cfg)|*.cfg");
    messages.AnswerNext(MbYes);
    messages.PickFile(dir / "named.cfg");
    EXPECT_TRUE(form.close());
    EXPECT_EQ(FileBytes(dir / "named.cfg").size(), 553u);
    EXPECT_EQ(form.Path(), dir / "named.cfg");

    TSetupForm& other = New();
    messages.Clear();
    other.BtnCancelClick();
    EXPECT_TRUE(messages.Texts().empty());
    EXPECT_FALSE(other.isVisible());
}

// The editor through the main window: its menu commands stay disabled, but their handlers open
// it, and Save Setup, Save Setup As and Print reach it.
TEST_F(SetupFormTest, MainWindowReachesTheEditor)
{
    TMainForm main;
    RegisterSetupEditor(main.WindowRegistry, [&main] { return main.UntitledSetupCount; });
    main.show();
    main.EnableMainCommands();
    EXPECT_FALSE(main.ItemNewSetup->isEnabled());
    EXPECT_FALSE(main.ItemOpenSetup->isEnabled());
    EXPECT_FALSE(main.BtnSave->isEnabled());
    main.ItemNewSetupClick();
    auto* editor = qobject_cast<TSetupForm*>(main.ActiveChild());
    ASSERT_NE(editor, nullptr);
    EXPECT_EQ(editor->windowTitle(), "Setup file 1");
    EXPECT_TRUE(main.BtnSave->isEnabled());
    EXPECT_TRUE(main.BtnPrint->isEnabled());
    EXPECT_FALSE(main.ItemNewSetup->isEnabled());

    messages.PickFile(dir / "saved.cfg");
    main.ItemSaveSetupClick();  // untitled: Save As
    EXPECT_EQ(FileBytes(dir / "saved.cfg").size(), 553u);
    EXPECT_FALSE(main.BtnSave->isEnabled());

    messages.PickFile(dir / "saved.cfg");
    main.ItemOpenSetupClick();
    ASSERT_EQ(main.MdiArea->subWindowList().size(), 2);
    EXPECT_EQ(main.ActiveChild()->windowTitle(), QString::fromStdString("Setup file - " + (dir / "saved.cfg")));
    EXPECT_TRUE(LastPath().DataPathSet);
    main.MdiArea->closeAllSubWindows();
    QApplication::processEvents();
    EXPECT_FALSE(main.BtnPrint->isEnabled());
}
