// Survey picker.
#include "wizards/survey_picker.h"

#include "dialogs/elided_label.h"
#include "platform/file_io.h"
#include "platform/text_encoding.h"

#include <QComboBox>
#include <QGridLayout>
#include <QListWidget>
#include <QStorageInfo>
#include <QStyle>
#include <algorithm>
#include <filesystem>

namespace fs = std::filesystem;

namespace {
std::vector<std::string> SubFolders(const std::string& folder)
{
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec))
        if (it->is_directory(ec) && it->path().filename().string()[0] != '.') names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

QString Shown(const std::string& bytes) { return QString::fromStdString(DisplayText(bytes)); }
}  // namespace

TSurveyPicker::TSurveyPicker(QWidget* parent, const std::string& mask) : QWidget(parent), mask_(mask)
{
    DriveBox = new QComboBox(this);
    FolderLabel = new TElidedLabel(this);  // a deep folder is shortened rather than widening the page
    DirList = new QListWidget(this);
    FileList = new QListWidget(this);
    FileList->setSelectionMode(QAbstractItemView::SingleSelection);

    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(FolderLabel, 0, 0, 1, 2);
    layout->addWidget(DirList, 1, 0);
    layout->addWidget(FileList, 1, 1);
    layout->addWidget(DriveBox, 2, 0);
    layout->setColumnStretch(0, 1);
    layout->setColumnStretch(1, 1);

    FillDriveBox();
    connect(DriveBox, &QComboBox::activated, this, [this](int index) {
        SetFolder(DriveBox->itemData(index).toString().toStdString());
    });
    connect(DirList, &QListWidget::itemActivated, this, &TSurveyPicker::DirListActivated);
    connect(FileList, &QListWidget::itemSelectionChanged, this, &TSurveyPicker::FileListChange);
}

void TSurveyPicker::FillDriveBox()
{
    // Real volumes only: the root, removable media and other mounted disks.
    QStringList roots;
    for (const QStorageInfo& volume : QStorageInfo::mountedVolumes()) {
        QString type = QString::fromLatin1(volume.fileSystemType());
        if (!volume.isValid() || !volume.isReady()) continue;
        static const QStringList pseudo = {"proc", "sysfs", "devpts", "cgroup", "cgroup2", "mqueue", "devtmpfs",
                                           "tmpfs", "overlay", "securityfs", "debugfs", "tracefs", "fusectl"};
        if (pseudo.contains(type) && volume.rootPath() != "/") continue;
        roots << volume.rootPath();
    }
    if (!roots.contains("/")) roots.prepend("/");
    roots.removeDuplicates();
    for (const QString& root : roots)
        DriveBox->addItem(style()->standardIcon(QStyle::SP_DriveHDIcon), root, root);
}

void TSurveyPicker::SetFolder(const std::string& folder)
{
    fs::path path = folder.empty() ? fs::path("/") : fs::path(folder);
    std::error_code ec;
    while (!fs::is_directory(path, ec) && path.has_parent_path() && path != path.parent_path()) path = path.parent_path();
    folder_ = WithTrailingSlash(path.string());
    FillLists();
}

void TSurveyPicker::FillLists()
{
    FolderLabel->SetFullText(Shown(folder_));
    DirList->clear();
    QStyle* s = style();
    if (folder_ != "/") DirList->addItem(new QListWidgetItem(s->standardIcon(QStyle::SP_FileDialogToParent), ".."));
    for (const auto& name : SubFolders(folder_)) {
        auto* item = new QListWidgetItem(s->standardIcon(QStyle::SP_DirIcon), Shown(name));
        item->setData(Qt::UserRole, QString::fromStdString(name));
        DirList->addItem(item);
    }
    const QSignalBlocker block(FileList);
    FileList->clear();
    for (const auto& name : ListFiles(folder_, mask_)) {
        auto* item = new QListWidgetItem(Shown(name));
        item->setData(Qt::UserRole, QString::fromStdString(name));
        FileList->addItem(item);
    }
    // Select the volume that holds the folder.
    int best = -1, bestLength = -1;
    for (int i = 0; i < DriveBox->count(); ++i) {
        std::string root = WithTrailingSlash(DriveBox->itemData(i).toString().toStdString());
        if (folder_.compare(0, root.size(), root) == 0 && static_cast<int>(root.size()) > bestLength)
            best = i, bestLength = static_cast<int>(root.size());
    }
    if (best >= 0) DriveBox->setCurrentIndex(best);
    emit FileListChange();
}

void TSurveyPicker::DirListActivated()
{
    QListWidgetItem* item = DirList->currentItem();
    if (!item) return;
    if (item->text() == "..") {
        fs::path parent = fs::path(folder_.substr(0, folder_.size() - 1)).parent_path();
        SetFolder(parent.empty() ? "/" : parent.string());
    } else {
        SetFolder(folder_ + item->data(Qt::UserRole).toString().toStdString());
    }
}

void TSurveyPicker::SelectFile(const std::string& path)
{
    SetFolder(ExtractFilePath(path));
    std::string name = ExtractFileName(path);
    for (int i = 0; i < FileList->count(); ++i) {
        if (FileList->item(i)->data(Qt::UserRole).toString().toStdString() == name) {
            FileList->setCurrentRow(i);
            return;
        }
    }
}

std::string TSurveyPicker::SelectedFile() const
{
    QListWidgetItem* item = FileList->currentItem();
    if (!item || !item->isSelected()) return {};
    return folder_ + item->data(Qt::UserRole).toString().toStdString();
}
