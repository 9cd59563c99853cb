// The wizard frame's paging and buttons, and a three-page wizard built on the shared survey and
// interval pages the way the analysis, summary and export wizards are.
#include "wizards/wizard_frame.h"

#include "fixtures/data_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/date_format.h"
#include "platform/scripted_messages.h"
#include "survey/selection_loader.h"
#include "wizards/interval_fields.h"
#include "wizards/interval_page.h"
#include "wizards/survey_page.h"
#include "wizards/survey_picker.h"

#include "press_escape.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStackedWidget>
#include <gtest/gtest.h>

#include <vector>

namespace {
// Four pages of one edit each; the test decides whether page 1 is skipped, whether the user may go on and
// whether Finish is accepted.
class TFourPages : public TWizardFrame {
public:
    TFourPages() : TWizardFrame(nullptr, "Four Pages", QSize(400, 300))
    {
        for (int i = 0; i < 4; ++i) edits.push_back(new QLineEdit(this)), AddPage(edits.back());
        ShowFirstPage();
    }
    std::vector<QLineEdit*> edits;
    bool skipPage1 = false;
    bool mayGoOn = true;
    bool finishAccepted = false;
    std::vector<int> entered;
    int finishes = 0;

protected:
    int NextPage(int page) const override { return page == 0 && skipPage1 ? 2 : TWizardFrame::NextPage(page); }
    void PageEntered(int page) override { entered.push_back(page); }
    bool CanGoForward(int) const override { return mayGoOn; }
    bool FinishWizard() override
    {
        ++finishes;
        return finishAccepted;
    }
};

}  // namespace

TEST(WizardFrame, NextShowsUntilTheLastPageAndBackRetracesTheWayCome)
{
    TFourPages w;
    w.skipPage1 = true;
    EXPECT_EQ(w.CurrentPage(), 0);
    EXPECT_FALSE(w.BtnBack->isEnabled());
    EXPECT_TRUE(w.BtnNext->isEnabled());
    EXPECT_TRUE(w.BtnFinish->isHidden());
    w.BtnNext->click();
    EXPECT_EQ(w.CurrentPage(), 2);  // page 1 skipped
    w.skipPage1 = false;            // the way back is the way come, whatever the wizard says now
    w.BtnNext->click();
    EXPECT_EQ(w.CurrentPage(), 3);
    EXPECT_EQ(w.entered, (std::vector<int>{2, 3}));
    EXPECT_TRUE(w.BtnNext->isHidden());
    EXPECT_FALSE(w.BtnFinish->isHidden());
    EXPECT_TRUE(w.BtnFinish->isEnabled());
    w.BtnBack->click();
    EXPECT_EQ(w.CurrentPage(), 2);
    EXPECT_TRUE(w.BtnFinish->isHidden());
    EXPECT_FALSE(w.BtnFinish->isEnabled());
    w.BtnBack->click();
    EXPECT_EQ(w.CurrentPage(), 0);
    EXPECT_FALSE(w.BtnBack->isEnabled());
    EXPECT_EQ(w.entered, (std::vector<int>{2, 3}));  // Back prepares nothing
}

TEST(WizardFrame, GoingOnFollowsTheWizardsAnswerForThePageShown)
{
    TFourPages w;
    w.mayGoOn = false;
    w.UpdateForward();
    EXPECT_FALSE(w.BtnNext->isEnabled());
    w.mayGoOn = true;
    w.UpdateForward();
    EXPECT_TRUE(w.BtnNext->isEnabled());
    for (int i = 0; i < 3; ++i) w.BtnNextClick();
    w.mayGoOn = false;
    w.UpdateForward();
    EXPECT_FALSE(w.BtnFinish->isEnabled());
    EXPECT_FALSE(w.BtnNext->isEnabled());  // hidden on a last page, and off
}

TEST(WizardFrame, FocusOnAHiddenNextGoesToTheButtonShownNeverToCancel)
{
    TFourPages w;
    w.show();
    EXPECT_EQ(w.focusWidget(), w.edits[0]);  // the page has it
    w.BtnNext->setFocus();
    w.BtnNext->click();
    w.BtnNext->click();
    EXPECT_EQ(w.focusWidget(), w.BtnNext);
    w.BtnNext->click();
    EXPECT_EQ(w.focusWidget(), w.BtnFinish);  // so Enter finishes
    w.BtnBack->click();
    w.mayGoOn = false;
    w.BtnNext->setFocus();
    w.BtnNext->click();
    EXPECT_EQ(w.focusWidget(), w.edits[3]);  // Finish is off: the page has it
}

TEST(WizardFrame, RefusedFinishKeepsTheWizardOpenOnItsPage)
{
    TFourPages w;
    for (int i = 0; i < 3; ++i) w.BtnNextClick();
    w.show();
    w.BtnFinish->click();
    EXPECT_EQ(w.finishes, 1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(w.CurrentPage(), 3);
    w.finishAccepted = true;
    w.BtnFinish->click();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Accepted);
}

TEST(WizardFrame, EscapeAndCancelCloseWithCancel)
{
    for (bool escape : {true, false}) {
        TFourPages w;
        w.BtnNextClick();
        w.show();
        if (escape) PressEscape(w);
        else w.BtnCancel->click();
        EXPECT_FALSE(w.isVisible()) << escape;
        EXPECT_EQ(w.result(), QDialog::Rejected) << escape;
        EXPECT_EQ(w.finishes, 0) << escape;
    }
}

namespace {
// A wizard of the analysis kind: the survey page, measures 1 to 6 with the interval, and a page
// of its own; the voltage box is offered only while the own page's switch is on.
const TMeasureBox kSixBoxes[] = {{1, "Voltage"}, {2, "Frequency"}, {3, "Unbalance"},
                                 {4, "Voltage Harmonics"}, {5, "Flicker"}, {6, "Alarms"}};

class TThreePages : public TWizardFrame {
public:
    TThreePages() : TWizardFrame(nullptr, "Three Pages", QSize(592, 332))
    {
        Survey = new TSurveyPage(this, "Select a Survey:", SurveyUpgrade::Short);
        Data = new TIntervalPage(this, kSixBoxes);
        Own = new QCheckBox("Voltage too", this);
        Own->setChecked(true);
        AddPage(Survey);
        AddPage(Data);
        AddPage(Own);
        connect(Survey, &TSurveyPage::SurveyChanged, this, &TThreePages::UpdateForward);
        connect(Data, &TIntervalPage::MeasuresChanged, this, &TThreePages::UpdateForward);
        ShowFirstPage();
    }
    TSurveyPage* Survey;
    TIntervalPage* Data;
    QCheckBox* Own;
    TSurveySelection selection;

protected:
    void PageEntered(int page) override
    {
        if (page != 1) return;
        FillSurveySelection(Survey->SelectedFile, Survey->Lines, selection);
        Data->OfferMeasures(selection, AvailableMeasures(Survey->Lines) & (Own->isChecked() ? ~0u : ~1u));
    }
    bool CanGoForward(int page) const override
    {
        return page == 0 ? Survey->HasSurvey() : page == 1 ? Data->AnyChecked() : true;
    }
    bool FinishWizard() override { return Data->StoreChoices(selection); }
};

Bytes VoltageAt(int day, int hour, int minute)
{
    TrendRecordFields r;
    r.time = {2024, 3, day, hour, minute};
    return TrendRecord(MeasureVoltage, r);
}
}  // namespace

TEST(WizardFrame, SharedPagesMakeAThreePageWizard)
{
    TempProgDir dir;
    ScriptedMessages messages;
    RunDateFormats().shortDate = "dd/MM/yyyy";
    WriteDataFile(dir / "s.vme", {VoltageAt(15, 10, 0), VoltageAt(16, 9, 30)});
    WriteDataFile(dir / "s.fre", {TrendRecord(MeasureFrequency, {.time = {2024, 3, 14, 8, 0}})});
    SurveyFixture fixture;
    fixture.layout = 10;
    fixture.dataFiles = {{1, "s.vme"}, {2, "s.fre"}};
    const std::string path = WriteSurveyFile(dir / "s.orv", fixture);

    TThreePages w;
    EXPECT_FALSE(w.BtnNext->isEnabled());
    ASSERT_TRUE(w.Survey->PresetSurvey(path));
    EXPECT_EQ(w.Survey->Lines.size(), 13u);  // the short upgrade this wizard asked for
    EXPECT_EQ(w.Survey->Label1->text(), "Feeder 3");
    ASSERT_TRUE(w.BtnNext->isEnabled());
    w.BtnNextClick();
    EXPECT_TRUE(w.Data->Box(1)->isChecked());
    EXPECT_TRUE(w.Data->Box(2)->isChecked());
    EXPECT_FALSE(w.Data->Box(3)->isEnabled());
    EXPECT_EQ(w.Data->Box(7), nullptr);  // not a box of this wizard
    EXPECT_EQ(w.Data->Interval->EditIniDate->text(), "14/03/2024");
    w.BtnNextClick();
    w.Own->setChecked(false);
    w.BtnBackClick();
    w.BtnBackClick();
    w.BtnNextClick();  // the measures are offered afresh
    EXPECT_FALSE(w.Data->Box(1)->isEnabled());
    EXPECT_EQ(w.Data->Interval->EditIniDate->text(), "14/03/2024");
    EXPECT_EQ(w.Data->Interval->EditEndDate->text(), "14/03/2024");
    w.Data->Box(2)->click();
    EXPECT_FALSE(w.BtnNext->isEnabled());  // nothing ticked
    w.Data->Box(2)->click();
    w.BtnNextClick();
    w.show();
    w.BtnFinish->click();
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_TRUE(w.selection.File(2).Selected);
    EXPECT_FALSE(w.selection.File(1).Selected);
    EXPECT_EQ(w.selection.Start, FixtureTime(2024, 3, 14, 8, 0));
    EXPECT_TRUE(messages.messages.empty());
}
