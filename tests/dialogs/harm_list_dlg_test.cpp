// The harmonics picker window: buttons and lists follow the picker's rules.
#include "dialogs/harm_list_dlg.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

namespace {
HarmonicNumbers FirstNumbers(int count)
{
    HarmonicNumbers numbers{};
    for (int i = 0; i < count; ++i) numbers[i] = static_cast<std::uint16_t>(i);
    return numbers;
}

QStringList Items(const QListWidget* list)
{
    QStringList items;
    for (int i = 0; i < list->count(); ++i) items << list->item(i)->text();
    return items;
}
}  // namespace

TEST(HarmListDlg, StartsWithButtonsAndOkByTheLists)
{
    THarmListDlg dialog;
    EXPECT_EQ(dialog.size(), QSize(340, 280));
    dialog.SetupHarmList(FirstNumbers(5), {}, 5, 0, 3, PickVoltageHarmonics);
    EXPECT_EQ(dialog.windowTitle(), "Harmonics Selection");
    EXPECT_EQ(dialog.Label1->text(), "Max 9 items");
    EXPECT_EQ(Items(dialog.SrcList), (QStringList{"Thd", "1st", "2nd", "3rd", "4th"}));
    EXPECT_TRUE(dialog.IncludeBtn->isEnabled());
    EXPECT_FALSE(dialog.ExcludeBtn->isEnabled());
    EXPECT_FALSE(dialog.ExAllBtn->isEnabled());
    EXPECT_FALSE(dialog.BtnOk->isEnabled());

    dialog.IncAllBtn->click();
    EXPECT_EQ(Items(dialog.DstList), (QStringList{"Thd", "1st", "2nd", "3rd", "4th"}));
    EXPECT_FALSE(dialog.IncludeBtn->isEnabled());
    EXPECT_FALSE(dialog.IncAllBtn->isEnabled());
    EXPECT_TRUE(dialog.ExAllBtn->isEnabled());
    EXPECT_TRUE(dialog.BtnOk->isEnabled());
}

TEST(HarmListDlg, SelectedItemsMoveAndComeBackAsNumbers)
{
    THarmListDlg dialog;
    dialog.SetupHarmList(FirstNumbers(6), {}, 6, 0, 3, PickCurrentHarmonics);
    dialog.SrcList->item(4)->setSelected(true);  // "3rd"
    dialog.SrcList->item(1)->setSelected(true);  // "DC"
    dialog.IncludeBtn->click();
    EXPECT_EQ(Items(dialog.DstList), (QStringList{"3rd", "DC"}));
    EXPECT_EQ(Items(dialog.SrcList), (QStringList{"Thd", "1st", "2nd", "4th"}));
    EXPECT_TRUE(dialog.SrcList->item(1)->isSelected());

    QTimer::singleShot(0, &dialog, [&] { dialog.BtnOk->click(); });
    ASSERT_EQ(dialog.exec(), QDialog::Accepted);
    HarmonicNumbers numbers{};
    int count = 0;
    dialog.GetHarmList(numbers, count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(numbers[0], 4);
    EXPECT_EQ(numbers[1], 1);
}

TEST(HarmListDlg, TenOfNineDisablesOk)
{
    THarmListDlg dialog;
    dialog.SetupHarmList(FirstNumbers(10), {}, 10, 0, 3, PickVoltageHarmonics);
    dialog.IncAllBtn->click();
    EXPECT_FALSE(dialog.BtnOk->isEnabled());
    dialog.DstList->item(0)->setSelected(true);
    dialog.ExcludeBtn->click();
    EXPECT_TRUE(dialog.BtnOk->isEnabled());
    EXPECT_EQ(Items(dialog.SrcList), (QStringList{"Thd"}));
}
