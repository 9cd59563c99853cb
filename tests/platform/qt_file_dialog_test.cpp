// The file dialogs behind the message seam: the type shown follows the proposed extension,
// choosing another type changes the extension a bare file name gets, and listed files are typed
// by their names alone.
#include "platform/qt_file_dialog.h"

#include <QAbstractFileIconProvider>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QString>
#include <QTemporaryDir>
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

// A type text read from a file's content would mean the listing opens every file it shows,
// and a read of /proc/kmsg never returns.
TEST(QtFileDialog, ListedFilesAreTypedByTheirNamesAlone)
{
    QTemporaryDir dir;
    for (const char* name : {"report", "week.xls"}) {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("%PDF-1.4\n%\xe2\xe3\xcf\xd3\n");
    }
    SeamFileDialog save, folder;
    PrepareFileDialog(save, SheetRequest("xls"), true);
    PrepareFolderDialog(folder, "Select Folder", dir.path().toStdString());
    for (QFileDialog* dialog : {static_cast<QFileDialog*>(&save), static_cast<QFileDialog*>(&folder)}) {
        QAbstractFileIconProvider* icons = dialog->iconProvider();
        ASSERT_NE(icons, nullptr);
        auto type = [&](const QString& path) { return icons->type(QFileInfo(path)).toStdString(); };
        EXPECT_NE(type(dir.filePath("report")), "PDF document");
        EXPECT_EQ(type(dir.filePath("week.xls")), "Excel spreadsheet");
        EXPECT_EQ(type(dir.path()), "Folder");
    }
}
