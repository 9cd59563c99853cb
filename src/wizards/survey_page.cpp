// Survey page of the wizards.
#include "wizards/survey_page.h"

#include "dialogs/edit_survey_dlg.h"
#include "dialogs/fixed_dialog.h"
#include "platform/text_encoding.h"
#include "survey/records.h"
#include "wizards/survey_picker.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace {
QString Shown(const std::string& bytes) { return QString::fromStdString(DisplayText(bytes)); }
}  // namespace

TSurveyPage::TSurveyPage(QWidget* parent, const QString& title, SurveyUpgrade upgrade, InfoEditing editing)
    : QWidget(parent), BtnInfo(nullptr), upgrade_(upgrade)
{
    Picker = new TSurveyPicker(this);
    auto* info = new QGroupBox("Info", this);
    Label1 = new QLabel(info);
    Label2 = new QLabel(info);
    Label3 = new QLabel(info);
    auto* infoGrid = new QGridLayout(info);
    infoGrid->addWidget(new QLabel("Description:", info), 0, 0);
    infoGrid->addWidget(Label1, 0, 1);
    infoGrid->addWidget(new QLabel("Site:", info), 1, 0);
    infoGrid->addWidget(Label2, 1, 1);
    infoGrid->addWidget(new QLabel("Operator:", info), 2, 0);
    infoGrid->addWidget(Label3, 2, 1);
    infoGrid->setColumnStretch(1, 1);
    // Texts of up to 60 characters wrap inside the group instead of widening the page.
    for (QLabel* l : {Label1, Label2, Label3}) {
        l->setWordWrap(true);
        l->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    if (editing == InfoEditing::Offered) {
        BtnInfo = new QPushButton("Edit Info", info);
        BtnInfo->setEnabled(false);
        infoGrid->addWidget(BtnInfo, 3, 1, Qt::AlignRight);
        connect(BtnInfo, &QPushButton::clicked, this, &TSurveyPage::BtnInfoClick);
    }
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(BoldLabel(title, this));
    auto* row = new QHBoxLayout;
    row->addWidget(Picker, 1);
    row->addWidget(info, 1);
    layout->addLayout(row);

    connect(Picker, &TSurveyPicker::FileListChange, this, &TSurveyPage::FileListChange);
    Picker->SetFolder(FirstDataFolder());
}

void TSurveyPage::RememberFolder() const
{
    LastPath().DataPathSet = true;
    LastPath().DataPath = Picker->Folder();
}

void TSurveyPage::ShowInfoLabels()
{
    TSurveyInfo info = ReadSurveyInfo(Lines);
    Label1->setText(Shown(info.Description));
    Label2->setText(Shown(info.Site));
    Label3->setText(Shown(info.Operator));
    for (QLabel* l : {Label1, Label2, Label3}) l->setToolTip(l->text());  // a text without spaces may not fit
}

void TSurveyPage::ForgetSurvey()
{
    SelectedFile.clear();
    Lines.clear();
    for (QLabel* l : {Label1, Label2, Label3}) {
        l->clear();
        l->setToolTip(QString());
    }
    if (BtnInfo) BtnInfo->setEnabled(false);
}

bool TSurveyPage::OpenSurvey(const std::string& path)
{
    ForgetSurvey();
    auto lines = OpenSurveyFile(path, upgrade_);
    if (lines) {
        SelectedFile = path;
        Lines = std::move(*lines);
        ShowInfoLabels();
        if (BtnInfo) BtnInfo->setEnabled(true);
    }
    emit SurveyChanged();
    return lines.has_value();
}

void TSurveyPage::FileListChange()
{
    const std::string path = Picker->SelectedFile();
    if (!path.empty()) {
        OpenSurvey(path);
        return;
    }
    ForgetSurvey();
    emit SurveyChanged();
}

void TSurveyPage::BtnInfoClick()
{
    if (EditSurveyInfo(this, SelectedFile, Lines)) ShowInfoLabels();
}

bool TSurveyPage::PresetSurvey(const std::string& path)
{
    {
        const QSignalBlocker quiet(Picker);
        Picker->SelectFile(path);
    }
    return OpenSurvey(path);
}
