// Save wizard of received data.
#include "wizards/save_read_dlg.h"

#include "dialogs/alarm_bar_form.h"
#include "dialogs/fixed_dialog.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"
#include "platform/text_encoding.h"
#include "survey/intake/received_store.h"
#include "survey/intake/repository_import.h"
#include "survey/records.h"
#include "wizards/survey_picker.h"

#include <QApplication>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStackedWidget>
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

QString Shown(const std::string& bytes) { return QString::fromStdString(DisplayText(bytes)); }

std::string FirstDataFolder() { return LastPath().DataPathSet ? LastPath().DataPath : DataDir(); }
}  // namespace

TSaveReadDlg::TSaveReadDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Save Data Files As");
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    Notebook = new QStackedWidget(this);

    auto* options = new QWidget(Notebook);
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

    auto* create = new QWidget(Notebook);
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

    auto* append = new QWidget(Notebook);
    auto* appendLayout = new QVBoxLayout(append);
    appendLayout->addWidget(BoldLabel("Append received data to the selected Survey:", append));
    Picker = new TSurveyPicker(append, "*.orv");
    appendLayout->addWidget(Picker, 1);
    auto* info = new QGroupBox("Info", append);
    auto* infoLayout = new QFormLayout(info);
    LabelDescr = new QLabel(info);
    LabelSite = new QLabel(info);
    LabelOperator = new QLabel(info);
    infoLayout->addRow("Description:", LabelDescr);
    infoLayout->addRow("Site:", LabelSite);
    infoLayout->addRow("Operator:", LabelOperator);
    appendLayout->addWidget(info);

    Notebook->addWidget(options);
    Notebook->addWidget(create);
    Notebook->addWidget(append);

    BtnBack = new QPushButton("&Back", this);
    BtnNext = new QPushButton("&Next", this);
    BtnFinish = new QPushButton("&Finish", this);
    BtnCancel = new QPushButton("&Cancel", this);
    BtnFinish->setDefault(true);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    for (auto* b : {BtnBack, BtnNext, BtnFinish, BtnCancel}) buttons->addWidget(b);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Notebook, 1);
    layout->addLayout(buttons);
    resize(520, 420);

    connect(BtnNext, &QPushButton::clicked, this, &TSaveReadDlg::BtnNextClick);
    connect(BtnBack, &QPushButton::clicked, this, &TSaveReadDlg::BtnBackClick);
    connect(BtnBrowse, &QPushButton::clicked, this, &TSaveReadDlg::BtnBrowseClick);
    connect(BtnFinish, &QPushButton::clicked, this, &TSaveReadDlg::BtnFinishClick);
    connect(BtnCancel, &QPushButton::clicked, this, &TSaveReadDlg::BtnCancelClick);
    connect(Picker, &TSurveyPicker::FileListChange, this, &TSaveReadDlg::FileListChange);

    Picker->SetFolder(FirstDataFolder());
    BtnBackClick();
}

void TSaveReadDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    CentreOnScreen(this);
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

void TSaveReadDlg::ShowPage(int page)
{
    Notebook->setCurrentIndex(page);
    const bool first = page == PageOptions;
    BtnBack->setEnabled(!first);
    BtnNext->setVisible(first);
    BtnNext->setEnabled(first);
    BtnFinish->setVisible(!first);
    BtnFinish->setEnabled(!first && !SurveyFile.empty());
}

void TSaveReadDlg::BtnNextClick()
{
    if (RadioCreate->isChecked()) {
        SurveyFile = SurvName->property("path").toString().toStdString();
        ShowPage(PageCreate);
    } else {
        // The survey file is the one the picker shows now, checked afresh.
        FileListChange();
        ShowPage(PageAppend);
    }
}

void TSaveReadDlg::BtnBackClick()
{
    ShowPage(PageOptions);
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
    SurvName->setText(Shown(path));
    SurvName->setProperty("path", QString::fromStdString(path));
    SurveyFile = path;
    BtnFinish->setEnabled(true);
}

void TSaveReadDlg::FileListChange()
{
    SurveyFile.clear();
    Lines.clear();
    LabelDescr->clear();
    LabelSite->clear();
    LabelOperator->clear();
    BtnFinish->setEnabled(false);
    const std::string selected = Picker->SelectedFile();
    if (selected.empty()) return;
    auto lines = OpenSurveyFile(selected, SurveyUpgrade::TenLineStep);
    if (!lines) return;
    Lines = std::move(*lines);
    SurveyFile = selected;
    SurveyFolder = ExtractFilePath(selected);
    const TSurveyInfo info = ReadSurveyInfo(Lines);
    LabelDescr->setText(Shown(info.Description));
    LabelSite->setText(Shown(info.Site));
    LabelOperator->setText(Shown(info.Operator));
    BtnFinish->setEnabled(Notebook->currentIndex() != PageOptions);
}

void TSaveReadDlg::BtnFinishClick()
{
    if (SurveyFile.empty()) return;
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const bool append = RadioAppend->isChecked();
    closing_ = append ? AppendToSurvey(SurveyFile, Lines, ReceivedMask)
                      : CreateSurvey(SurveyFile, ReceivedMask,
                                     {EditDescr->text().toStdString(), EditSite->text().toStdString(),
                                      EditOperator->text().toStdString()});
    QApplication::restoreOverrideCursor();
    if (!closing_) return;
    ShowMessage("Copy completed successfully.", MsgType::Information, MbOk);
    done(Accepted);
}

void TSaveReadDlg::BtnCancelClick()
{
    closing_ = true;
    done(Rejected);
}

void TSaveReadDlg::done(int result)
{
    if (!closing_) return;
    // Received data not saved are discarded; those saved are gone already.
    DeleteTempFiles();
    QDialog::done(result);
}
