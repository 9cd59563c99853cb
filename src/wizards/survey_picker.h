// The survey picker of every wizard's first page: a volume box (the mounted volumes), a folder
// list and a file list with the case-insensitive mask "*.orv". Lists are filled at once (no
// background scanning), so a test sees them as soon as a folder is set.
#pragma once

#include <QWidget>
#include <string>

class QComboBox;
class QListWidget;
class TElidedLabel;

class TSurveyPicker : public QWidget {
    Q_OBJECT
public:
    explicit TSurveyPicker(QWidget* parent = nullptr, const std::string& mask = "*.orv");

    // Shows a folder (with trailing "/" or without); a missing folder falls back to its nearest
    // existing parent.
    void SetFolder(const std::string& folder);
    // The folder shown, with trailing "/".
    const std::string& Folder() const { return folder_; }
    // Points the lists at a file: its folder is shown and the file selected.
    void SelectFile(const std::string& path);
    // Full path of the selected file, or "".
    std::string SelectedFile() const;

    QComboBox* DriveBox;
    TElidedLabel* FolderLabel;
    QListWidget* DirList;
    QListWidget* FileList;

signals:
    // The file list's selection changed (also to no file).
    void FileListChange();

private:
    void FillDriveBox();
    void FillLists();
    void DirListActivated();
    std::string mask_;
    std::string folder_;
};
