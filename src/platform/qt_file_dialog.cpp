// Qt file and folder dialogs for the message seam.
#include "platform/qt_file_dialog.h"

#include <QFileIconProvider>
#include <QFileInfo>
#include <QLineEdit>
#include <QMimeDatabase>
#include <QRegularExpression>
#include <QStringList>

QString QtFilterFromPairs(const std::string& filter)
{
    QStringList parts = QString::fromStdString(filter).split('|');
    QStringList names;
    for (int i = 0; i < parts.size(); i += 2) names << parts[i];
    return names.join(";;");
}

QString QtSuffixOfFilter(const QString& filterName)
{
    static const QRegularExpression pattern(R"(\(\*\.(\w+)\)$)");
    const QRegularExpressionMatch match = pattern.match(filterName.trimmed());
    return match.hasMatch() ? match.captured(1) : QString();
}

namespace {
class NameOnlyIconProvider : public QFileIconProvider {
public:
    NameOnlyIconProvider() { setOptions(DontUseCustomDirectoryIcons); }

    QIcon icon(IconType type) const override { return QFileIconProvider::icon(type); }
    QIcon icon(const QFileInfo& info) const override
    {
        if (!info.isFile()) return QFileIconProvider::icon(info);
        return QIcon::fromTheme(TypeOfName(info).iconName(), QFileIconProvider::icon(File));
    }
    QString type(const QFileInfo& info) const override
    {
        if (!info.isFile()) return QFileIconProvider::type(info);
        const QMimeType mime = TypeOfName(info);
        return mime.comment().isEmpty() ? mime.name() : mime.comment();
    }

private:
    QMimeType TypeOfName(const QFileInfo& info) const
    {
        return mimeTypes_.mimeTypeForFile(info.fileName(), QMimeDatabase::MatchExtension);
    }
    QMimeDatabase mimeTypes_;
};

bool IsPattern(const QString& name) { return name.contains('*') || name.contains('?'); }

// The patterns a filter lists: "Excel 5.0 Format (*.xls)" -> "*.xls"; a bare "*.x*" is its own.
QStringList PatternsOfFilter(const QString& filter)
{
    static const QRegularExpression inParentheses(R"(\(([^()]*)\)\s*$)");
    const QRegularExpressionMatch match = inParentheses.match(filter);
    return (match.hasMatch() ? match.captured(1) : filter).split(' ', Qt::SkipEmptyParts);
}
}  // namespace

QAbstractFileIconProvider* NameOnlyFileIcons()
{
    // One for the whole run, never freed: a dialog's listing thread may use it until the end.
    static NameOnlyIconProvider* const provider = new NameOnlyIconProvider;
    return provider;
}

void SeamFileDialog::accept()
{
    const QStringList files = selectedFiles();
    const QString name = files.isEmpty() ? QString() : QFileInfo(files.first()).fileName();
    if (!IsPattern(name)) {
        QFileDialog::accept();
        return;
    }
    QString chosen;
    for (const QString& filter : nameFilters())
        if (PatternsOfFilter(filter).contains(name, Qt::CaseInsensitive)) chosen = filter;
    if (chosen.isEmpty()) {
        setNameFilters(nameFilters() << name);
        chosen = name;
    }
    selectNameFilter(chosen);
    emit filterSelected(chosen);
    if (auto* edit = findChild<QLineEdit*>("fileNameEdit")) edit->clear();
}

void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool save)
{
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setDirectory(QString::fromStdString(request.folder));
    dialog.setNameFilter(QtFilterFromPairs(request.filter));
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    const QString suffix = QString::fromStdString(request.defaultExt);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setIconProvider(NameOnlyFileIcons());
    if (save) {
        dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.askOverwrite);
        // The type shown is the one proposed, and a bare name gets the extension of the type
        // chosen: "week" saved as a text file is "week.txt", never an Excel file named ".xls".
        for (const QString& name : dialog.nameFilters())
            if (QtSuffixOfFilter(name) == suffix) {
                dialog.selectNameFilter(name);
                break;
            }
        QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog](const QString& name) {
            const QString chosen = QtSuffixOfFilter(name);
            if (!chosen.isEmpty()) dialog.setDefaultSuffix(chosen);
        });
    }
    if (!request.fileName.empty()) dialog.selectFile(QString::fromStdString(request.fileName));
}

void PrepareFolderDialog(QFileDialog& dialog, const std::string& title, const std::string& folder)
{
    dialog.setWindowTitle(QString::fromStdString(title));
    dialog.setDirectory(QString::fromStdString(folder));
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOptions(QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    dialog.setIconProvider(NameOnlyFileIcons());
}
