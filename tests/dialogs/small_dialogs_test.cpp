// The date picker, progress window, printing notice, print selection and print title dialogs.
#include "dialogs/alarm_bar_form.h"
#include "dialogs/br_date_form.h"
#include "dialogs/prn_form.h"
#include "dialogs/prn_sel_dlg.h"
#include "dialogs/prn_title_dlg.h"
#include "platform/date_format.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QToolButton>
#include <functional>
#include <gtest/gtest.h>

namespace {
// Runs action from inside the next modal loop, as the user would.
void Later(QObject* context, std::function<void()> action)
{
    QTimer::singleShot(0, context, action);
}
}  // namespace

TEST(BrDateForm, TitleShowsMonthAndYearAndFollowsTheButtons)
{
    TBrDateForm form;
    EXPECT_EQ(form.windowTitle(), "Date Selection");
    EXPECT_EQ(form.Calendar1->firstDayOfWeek(), Qt::Sunday);
    form.SetCalendarDate(QDate(2024, 1, 31));
    EXPECT_EQ(form.TitleLabel->text(), "January, 2024");
    form.NextMonthBtn->click();
    EXPECT_EQ(form.GetCalendarDate(), QDate(2024, 2, 29));  // the day is cut to the month
    EXPECT_EQ(form.TitleLabel->text(), "February, 2024");
    form.PrevMonthBtn->click();
    form.PrevMonthBtn->click();
    EXPECT_EQ(form.GetCalendarDate(), QDate(2023, 12, 29));
    EXPECT_EQ(form.TitleLabel->text(), "December, 2023");
}

TEST(BrDateForm, ClickingADayUpdatesTheTitle)
{
    TBrDateForm form;
    form.SetCalendarDate(QDate(2024, 5, 31));
    form.Calendar1->setSelectedDate(QDate(2024, 6, 2));
    EXPECT_EQ(form.TitleLabel->text(), "June, 2024");
}

TEST(BrDateForm, PickDateIntoWritesTheChosenDateOnOkOnly)
{
    RunDateFormats().shortDate = "dd/MM/yyyy";
    TBrDateForm form;
    QLineEdit field("15/03/2024");

    QDate shown;
    Later(&form, [&] {
        shown = form.GetCalendarDate();
        form.NextMonthBtn->click();
        form.BtnOk->click();
    });
    EXPECT_TRUE(form.PickDateInto(&field));
    EXPECT_EQ(shown, QDate(2024, 3, 15));
    EXPECT_EQ(field.text(), "15/04/2024");

    Later(&form, [&] {
        form.NextMonthBtn->click();
        form.BtnCancel->click();
    });
    EXPECT_FALSE(form.PickDateInto(&field));
    EXPECT_EQ(field.text(), "15/04/2024");
}

TEST(BrDateForm, FieldWithoutADateStartsOnToday)
{
    TBrDateForm form;
    QLineEdit field("  /  /    ");
    QDate shown;
    Later(&form, [&] {
        shown = form.GetCalendarDate();
        form.BtnCancel->click();
    });
    EXPECT_FALSE(form.PickDateInto(&field));
    EXPECT_EQ(shown, QDate::currentDate());
    EXPECT_EQ(field.text(), "  /  /    ");
}

TEST(AlarmBarForm, BarShowsTheHighestPercentageSinceReset)
{
    TAlarmBarForm form;
    EXPECT_EQ(form.windowTitle(), "processing Events...");
    EXPECT_EQ(form.size(), QSize(244, 60));
    form.SetProgressCaption("Importing Voltage...");
    EXPECT_EQ(form.windowTitle(), "Importing Voltage...");

    form.SetProgress(1, 8);
    EXPECT_EQ(form.Bar->value(), 12);
    form.SetProgress(8, 8);
    EXPECT_EQ(form.Bar->value(), 100);
    form.SetProgress(2, 8);
    EXPECT_EQ(form.Percent(), 25);
    EXPECT_EQ(form.Bar->value(), 100);
    form.ResetProgress();
    EXPECT_EQ(form.Bar->value(), 0);
    form.SetProgress(2, 8);
    EXPECT_EQ(form.Bar->value(), 25);
}

TEST(AlarmBarForm, CaptionGoesToTheSharedWindow)
{
    TAlarmBarForm shared, other;
    AlarmBarForm = &shared;
    other.SetProgressCaption("Reading events...");
    AlarmBarForm = nullptr;
    EXPECT_EQ(shared.windowTitle(), "Reading events...");
    EXPECT_EQ(other.windowTitle(), "processing Events...");
}

TEST(PrnForm, ShowsPrinting)
{
    TPrnForm form;
    EXPECT_EQ(form.Label1->text(), "Printing...");
    EXPECT_EQ(form.size(), QSize(150, 60));
}

TEST(PrnSelDlg, SelectedAreaIsPreselected)
{
    TPrnSelDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Print Selection");
    EXPECT_EQ(dialog.ItemIndex(), 0);
    EXPECT_TRUE(dialog.PrintSelectedArea());
    Later(&dialog, [&] {
        dialog.RadioAll->click();
        dialog.BtnOk->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.ItemIndex(), 1);
    EXPECT_FALSE(dialog.PrintSelectedArea());
}

TEST(PrnTitleDlg, TitleTypedLastIsOfferedAgain)
{
    TPrnTitleDlg dialog;
    EXPECT_EQ(dialog.windowTitle(), "Print Title");
    EXPECT_TRUE(dialog.Title().isEmpty());
    Later(&dialog, [&] {
        dialog.EditTit->setText("Substation 4");
        dialog.BtnOk->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Accepted);
    EXPECT_EQ(dialog.Title(), "Substation 4");

    bool focused = false;
    QString offered;
    Later(&dialog, [&] {
        focused = dialog.focusWidget() == dialog.EditTit;
        offered = dialog.EditTit->text();
        dialog.BtnCancel->click();
    });
    EXPECT_EQ(dialog.exec(), QDialog::Rejected);
    EXPECT_TRUE(focused);
    EXPECT_EQ(offered, "Substation 4");
}
