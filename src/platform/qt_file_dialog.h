// The Qt file and folder dialogs behind the message seam (qt_messages.h): filters in the seam's
// "name|pattern" pairs, the proposed type and extension, a typed pattern taken as a filter, and
// listings typed by file name only.
#pragma once

#include "platform/messages.h"

#include <QFileDialog>
#include <QString>

// "Setup Files (*.cfg)|*.cfg|All (*.*)|*.*" -> "Setup Files (*.cfg);;All (*.*)".
QString QtFilterFromPairs(const std::string& filter);
// The extension one filter stands for: "Text File (*.txt)" -> "txt"; empty for "All (*.*)".
QString QtSuffixOfFilter(const QString& filterName);

// Every file and folder dialog of the program, set up by the Prepare functions below. A name
// with a wildcard ("*.xls", the name the dialogs propose) is a filter, never a file: accepting
// it lists the folder by it and the dialog waits for a name.
class SeamFileDialog : public QFileDialog {
    Q_OBJECT
public:
    using QFileDialog::QFileDialog;

protected:
    void accept() override;
};

// Sets a file dialog up for the request (open, or save when `save`).
void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool save);
// Sets a dialog up to choose a folder.
void PrepareFolderDialog(QFileDialog& dialog, const std::string& title, const std::string& folder);

// The icons and type texts every file dialog lists with: taken from the file's name alone. The
// usual provider reads each listed file's first bytes to type it, and a read of a file such as
// /proc/kmsg never returns.
QAbstractFileIconProvider* NameOnlyFileIcons();
