// The file dialogs behind the message seam: the type shown follows the proposed extension,
// choosing another type changes the extension a bare file name gets, a typed pattern is a filter,
// and listed files are typed by their names alone.
#include "platform/qt_file_dialog.h"

#include <QAbstractFileIconProvider>
#include <QComboBox>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
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

// The dialogs propose "*.xls", "*.rep" or "*.lim" as the name: accepted as it stands, such a
// name lists the folder by it and the dialog waits for a real name.
TEST(QtFileDialog, ANameWithAWildcardIsAFilterNeverAFile)
{
    struct Case {
        const char* typed;
        const char* filterAfter;  // empty: the dialog accepted the name
        const char* suffixAfter;
    };
    const Case cases[] = {
        {"*.xls", "Excel 5.0 Format (*.xls)", "xls"},
        {"*.TXT", "Text File (*.txt)", "txt"},
        {"week?.*", "week?.*", "xls"},
        {"week", "", "xls"},
    };
    QTemporaryDir dir;
    for (const Case& c : cases) {
        FileDialogRequest request = SheetRequest("xls");
        request.folder = dir.path().toStdString();
        SeamFileDialog dialog;
        PrepareFileDialog(dialog, request, true);
        dialog.show();
        dialog.selectFile(c.typed);
        QMetaObject::invokeMethod(&dialog, "accept");
        const bool accepted = *c.filterAfter == 0;
        EXPECT_EQ(dialog.result() == QDialog::Accepted, accepted) << c.typed;
        EXPECT_EQ(dialog.isVisible(), !accepted) << c.typed;
        if (accepted) {
            EXPECT_EQ(dialog.selectedFiles().value(0).toStdString(), dir.filePath("week.xls").toStdString());
            continue;
        }
        EXPECT_EQ(dialog.selectedNameFilter().toStdString(), c.filterAfter) << c.typed;
        EXPECT_EQ(dialog.defaultSuffix().toStdString(), c.suffixAfter) << c.typed;
        auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        EXPECT_TRUE(name->text().isEmpty()) << c.typed;
    }
}
