// Save wizard of received data.
#include "wizards/save_read_dlg.h"

#include "dialogs/alarm_bar_form.h"
#include "dialogs/fixed_dialog.h"
#include "platform/file_io.h"
#include "platform/messages.h"
#include "platform/text_encoding.h"
#include "survey/intake/received_store.h"
#include "survey/intake/repository_import.h"
#include "survey/records.h"
#include "wizards/survey_page.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {
enum Page { PageOptions = 0, PageCreate = 1, PageAppend = 2 };
constexpr int kInfoTextLength = 60;

QLineEdit* InfoEdit(QWidget* parent)
{
    auto* edit = new QLineEdit(parent);
    edit->setMaxLength(kInfoTextLength);
    return edit;
}
}  // namespace

TSaveReadDlg::TSaveReadDlg(QWidget* parent) : TWizardFrame(parent, "Save Data Files As", QSize(592, 332))
{
    auto* options = new QWidget(this);
    auto* optionsLayout = new QVBoxLayout(options);
    optionsLayout->addWidget(BoldLabel("Choose how to utilize the new received data", options));
    auto* group = new QGroupBox("Save Options", options);
    auto* groupLayout = new QVBoxLayout(group);
    RadioCreate = new QRadioButton("Create a new survey", group);
    RadioAppend = new QRadioButton("Append data files to an existing survey", group);
    RadioCreate->setChecked(true);
    groupLayout->addWidget(RadioCreate);
    groupLayout->addWidget(RadioAppend);
    optionsLayout->addWidget(group);
    optionsLayout->addStretch(1);

    auto* create = new QWidget(this);
    auto* createLayout = new QVBoxLayout(create);
    createLayout->addWidget(BoldLabel("Create a new Survey having following Name:", create));
    auto* nameRow = new QHBoxLayout;
    SurvName = new QLabel(create);
    SurvName->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    SurvName->setMinimumWidth(320);
    BtnBrowse = new QPushButton("Browse...", create);
    nameRow->addWidget(SurvName, 1);
    nameRow->addWidget(BtnBrowse);
    createLayout->addLayout(nameRow);
    auto* edits = new QFormLayout;
    EditDescr = InfoEdit(create);
    EditSite = InfoEdit(create);
    EditOperator = InfoEdit(create);
    edits->addRow("Description", EditDescr);
    edits->addRow("Site", EditSite);
    edits->addRow("Operator", EditOperator);
    createLayout->addLayout(edits);
    createLayout->addStretch(1);

    AppendPage = new TSurveyPage(this, "Append received data to the selected Survey:", SurveyUpgrade::TenLineStep,
                                 TSurveyPage::InfoEditing::None);

    AddPage(options);
    AddPage(create);
    AddPage(AppendPage);
    connect(BtnBrowse, &QPushButton::clicked, this, &TSaveReadDlg::BtnBrowseClick);
    connect(AppendPage, &TSurveyPage::SurveyChanged, this, &TSaveReadDlg::AppendSurveyChanged);
    ShowFirstPage();
}

bool TSaveReadDlg::ImportRepository(const std::string& path)
{
    RepositoryName.clear();
    if (AlarmBarForm) {
        AlarmBarForm->SetProgressCaption("Import Archives...");
        AlarmBarForm->ResetProgress();
        AlarmBarForm->show();
    }
    auto mask = ::ImportRepository(path, [](std::uint64_t done, std::uint64_t total) {
        if (AlarmBarForm && total > 0) AlarmBarForm->SetProgress(static_cast<int>(done * 1000 / total), 1000);
    });
    if (AlarmBarForm) AlarmBarForm->hide();
    if (!mask) return false;
    ReceivedMask = *mask;
    RepositoryName = path;
    return true;
}

int TSaveReadDlg::NextPage(int page) const
{
    if (page != PageOptions) return kNoPage;
    return RadioCreate->isChecked() ? PageCreate : PageAppend;
}

void TSaveReadDlg::PageEntered(int page)
{
    if (page == PageCreate) SurveyFile = newSurveyPath_;
    // The survey to extend is the one the picker shows now, checked afresh.
    else if (page == PageAppend) AppendPage->FileListChange();
}

bool TSaveReadDlg::CanGoForward(int page) const { return page == PageOptions || !SurveyFile.empty(); }

void TSaveReadDlg::AppendSurveyChanged()
{
    if (CurrentPage() == PageAppend) SurveyFile = AppendPage->SelectedFile;
    UpdateForward();
}

void TSaveReadDlg::BtnBrowseClick()
{
    FileDialogRequest request;
    request.title = "Save Data Files As";
    request.folder = FirstDataFolder();
    request.fileName = RepositoryName.empty() ? "" : ExtractFileName(ChangeFileExt(RepositoryName, ".orv"));
    request.filter = "Data Files (*.orv)|*.orv";
    request.defaultExt = "orv";
    request.mustExist = true;
    request.askOverwrite = true;
    auto chosen = AskSaveFile(request);
    if (!chosen) return;
    const std::string path = SurveyPathFor(*chosen);
    // The file dialog asked about the name as typed, not about the survey it becomes.
    if (path != *chosen && FileExists(path) &&
        ShowMessage(ExtractFileName(path) + " already exists.\nDo you want to replace it?", MsgType::Warning, MbYesNo) !=
            MbYes)
        return;
    LastPath().DataPathSet = true;
    LastPath().DataPath = ExtractFilePath(path);
    SurvName->setText(QString::fromStdString(DisplayText(path)));
    newSurveyPath_ = path;
    SurveyFile = path;
    UpdateForward();
}

bool TSaveReadDlg::FinishWizard()
{
    if (SurveyFile.empty()) return false;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool saved = CurrentPage() == PageAppend
                           ? AppendToSurvey(SurveyFile, AppendPage->Lines, ReceivedMask)
                           : CreateSurvey(SurveyFile, ReceivedMask,
                                          {EditDescr->text().toStdString(), EditSite->text().toStdString(),
                                           EditOperator->text().toStdString()});
    QApplication::restoreOverrideCursor();
    if (!saved) return false;
    ShowMessage("Copy completed successfully.", MsgType::Information, MbOk);
    // Received data not saved are discarded; those saved are gone already.
    DeleteTempFiles();
    return true;
}

void TSaveReadDlg::BtnCancelClick()
{
    DeleteTempFiles();
    TWizardFrame::BtnCancelClick();
}
