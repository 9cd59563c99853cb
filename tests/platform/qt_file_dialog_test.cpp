// The save dialog behind the message seam: the type shown follows the proposed extension, and
// choosing another type changes the extension a bare file name gets.
#include "platform/qt_messages.h"

#include <QComboBox>
#include <QFileDialog>
#include <QString>
#include <gtest/gtest.h>

namespace {
const char* const kSheetFilter = "Excel 5.0 Format (*.xls)|*.xls|Text File (*.txt)|*.txt";

FileDialogRequest SheetRequest(const std::string& ext)
{
    FileDialogRequest request;
    request.title = "Save Sheet As";
    request.filter = kSheetFilter;
    request.fileName = "*." + ext;
    request.defaultExt = ext;
    request.mustExist = false;
    return request;
}

// What picking a type in the dialog's type box does.
void Choose(QComboBox& types, int index)
{
    types.setCurrentIndex(index);
    emit types.activated(index);
    emit types.textActivated(types.itemText(index));
}
}  // namespace

TEST(QtFileDialog, SuffixOfAFilterIsItsOneExtension)
{
    struct Case { const char* filter; const char* suffix; };
    const Case cases[] = {
        {"Text File (*.txt)", "txt"},
        {"Excel 5.0 Format (*.xls)", "xls"},
        {"Limits Files (*.lim)", "lim"},
        {"All (*.*)", ""},
        {"Everything", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(QtSuffixOfFilter(c.filter).toStdString(), c.suffix) << c.filter;
}

TEST(QtFileDialog, SaveShowsTheProposedTypeAndABareNameTakesTheTypeChosen)
{
    for (const char* proposed : {"xls", "txt"}) {
        QFileDialog dialog;
        PrepareFileDialog(dialog, SheetRequest(proposed), true);
        EXPECT_EQ(QtSuffixOfFilter(dialog.selectedNameFilter()).toStdString(), proposed);
        EXPECT_EQ(dialog.defaultSuffix().toStdString(), proposed);
        auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
        ASSERT_NE(types, nullptr);
        for (int index : {1, 0}) {
            Choose(*types, index);
            EXPECT_EQ(dialog.defaultSuffix().toStdString(), index == 0 ? "xls" : "txt") << proposed;
        }
    }
}

TEST(QtFileDialog, OpenKeepsItsDefaultExtension)
{
    FileDialogRequest request = SheetRequest("xls");
    request.mustExist = true;
    QFileDialog dialog;
    PrepareFileDialog(dialog, request, false);
    auto* types = dialog.findChild<QComboBox*>("fileTypeCombo");
    ASSERT_NE(types, nullptr);
    Choose(*types, 1);
    EXPECT_EQ(dialog.defaultSuffix().toStdString(), "xls");
    EXPECT_EQ(dialog.acceptMode(), QFileDialog::AcceptOpen);
}
