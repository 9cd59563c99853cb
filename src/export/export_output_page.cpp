// The export wizard's page of workbook names.
#include "export/export_output_page.h"

#include "dialogs/fixed_dialog.h"
#include "platform/text_encoding.h"
#include "wizards/survey_picker.h"
#include "survey/records.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace {
// The measures in the order of the group, with their captions.
struct OutputCaption {
    int Measure;
    const char* Caption;
};
constexpr OutputCaption kOutputCaptions[] = {{1, "Voltage"},         {2, "Frequency"},        {3, "Unbalance"},
                                            {4, "Volt. Harmonics"}, {5, "Flicker"},          {6, "Alarms"},
                                            {7, "Power & Current"}, {9, "Curr. Harmonics"}, {10, "Energia"}};
}  // namespace

TExportOutputPage::TExportOutputPage(QWidget* parent) : QWidget(parent)
{
    ExpDirList = new TSurveyPicker(this);
    ExpDirList->FileList->hide();
    LabelPath = new QLabel(this);
    LabelPath->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    EditBase = new QLineEdit(this);
    ComboExt = new QComboBox(this);
    ComboExt->addItems({"Excel 5.0", "Ascii"});

    auto* names = new QGroupBox("Filenames", this);
    auto* namesGrid = new QGridLayout(names);
    int row = 0;
    for (const OutputCaption& c : kOutputCaptions) {
        CaptionLabels[static_cast<std::size_t>(c.Measure)] = new QLabel(c.Caption, names);
        auto* name = new QLabel(names);
        name->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        NameLabels[static_cast<std::size_t>(c.Measure)] = name;
        namesGrid->addWidget(CaptionLabels[static_cast<std::size_t>(c.Measure)], row, 0);
        namesGrid->addWidget(name, row++, 1);
    }
    namesGrid->setColumnStretch(1, 1);

    auto* fields = new QGridLayout;
    fields->addWidget(new QLabel("Path:", this), 0, 0);
    fields->addWidget(LabelPath, 0, 1);
    fields->addWidget(new QLabel("Base Name:", this), 1, 0);
    fields->addWidget(EditBase, 1, 1);
    fields->addWidget(new QLabel("Format:", this), 2, 0);
    fields->addWidget(ComboExt, 2, 1);
    auto* right = new QVBoxLayout;
    right->addLayout(fields);
    right->addWidget(names, 1);
    auto* columns = new QHBoxLayout;
    columns->addWidget(ExpDirList, 2);
    columns->addLayout(right, 3);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel("Input the destination filename(s)", this));
    layout->addLayout(columns, 1);

    // A folder shown anew refills the (hidden) file list.
    connect(ExpDirList, &TSurveyPicker::FileListChange, this, [this] { ShowOutputNames(shown_); });
    connect(ComboExt, &QComboBox::currentIndexChanged, this, [this] { ShowOutputNames(shown_); });
    connect(EditBase, &QLineEdit::textChanged, this, [this] {
        ShowOutputNames(shown_);
        emit BaseNameChanged();
    });
    ExpDirList->SetFolder(FirstDataFolder());
}

std::string TExportOutputPage::Folder() const { return ExpDirList->Folder(); }
std::string TExportOutputPage::BaseName() const { return EditBase->text().toStdString(); }
std::uint32_t TExportOutputPage::Format() const { return ComboExt->currentIndex() == 1 ? ExportText : ExportExcel5; }

std::string TExportOutputPage::OutputPath(int measure) const
{
    return ExportOutputPath(Folder(), BaseName(), measure, Format());
}

void TExportOutputPage::ShowOutputNames(unsigned measures)
{
    shown_ = measures;
    std::string folder = Folder();
    if (folder.size() > 1 && folder.back() == '/') folder.pop_back();
    LabelPath->setText(QString::fromStdString(DisplayText(folder)));
    for (const OutputCaption& c : kOutputCaptions) {
        const bool shown = (measures & (1u << (c.Measure - 1))) != 0;
        const auto k = static_cast<std::size_t>(c.Measure);
        CaptionLabels[k]->setEnabled(shown);
        NameLabels[k]->setVisible(shown);
        NameLabels[k]->setText(QString::fromStdString(DisplayText(OutputPath(c.Measure))));
    }
}
