// Survey selection wizard.
#include "wizards/sel_data_dlg.h"

#include "dialogs/edit_survey_dlg.h"
#include "dialogs/fixed_dialog.h"
#include "platform/file_io.h"
#include "platform/prog_dirs.h"
#include "platform/text_encoding.h"
#include "wizards/interval_fields.h"
#include "survey/selection_loader.h"
#include "wizards/survey_picker.h"

#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
const char* const kBoxCaptions[kMeasureCount] = {"Voltage",          "Frequency", "Unbalance",
                                                 "Voltage Harmonics", "Flicker",   "Alarms",
                                                 "Powers && Currents", "Voltage Samples", "Current Harmonics",
                                                 "Energy"};

QString Shown(const std::string& bytes) { return QString::fromStdString(DisplayText(bytes)); }
}  // namespace

TSelDataDlg::TSelDataDlg(QWidget* parent) : QDialog(parent)
{
    setWindowTitle("Survey Selection");
    setFixedSize(592, 332);

    Tabs = new QStackedWidget(this);

    // Page 1: the survey file.
    auto* page1 = new QWidget;
    Picker = new TSurveyPicker(page1);
    auto* info = new QGroupBox("Info", page1);
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
    BtnInfo = new QPushButton("Edit Info", info);
    infoGrid->addWidget(BtnInfo, 3, 1, Qt::AlignRight);
    auto* page1Layout = new QVBoxLayout(page1);
    page1Layout->addWidget(BoldLabel("Select a Survey:", page1));
    auto* row = new QHBoxLayout;
    row->addWidget(Picker, 1);
    row->addWidget(info, 1);
    page1Layout->addLayout(row);
    Tabs->addWidget(page1);

    // Page 2: measures and interval.
    auto* page2 = new QWidget;
    auto* types = new QGroupBox("Data Types", page2);
    auto* typesGrid = new QGridLayout(types);
    for (int k = 0; k < kMeasureCount; ++k) {
        CBox[static_cast<std::size_t>(k)] = new QCheckBox(kBoxCaptions[k], types);
        typesGrid->addWidget(CBox[static_cast<std::size_t>(k)], k % 5, k / 5);
        connect(CBox[static_cast<std::size_t>(k)], &QCheckBox::clicked, this, &TSelDataDlg::CBoxClick);
    }
    Interval = new TIntervalFields(page2);
    auto* page2Layout = new QVBoxLayout(page2);
    page2Layout->addWidget(BoldLabel("Select the data type and the interval:", page2));
    auto* row2 = new QHBoxLayout;
    row2->addWidget(types, 3);
    row2->addWidget(Interval, 2, Qt::AlignTop);
    page2Layout->addLayout(row2);
    page2Layout->addStretch();
    Tabs->addWidget(page2);

    // Bottom panel.
    auto* bottom = new QFrame(this);
    bottom->setFrameShape(QFrame::StyledPanel);
    BtnBack = new QPushButton("&Back", bottom);
    BtnNext = new QPushButton("&Next", bottom);
    BtnFinish = new QPushButton("&Finish", bottom);
    BtnCancel = new QPushButton("&Cancel", bottom);
    BtnFinish->setDefault(true);
    auto* buttons = new QHBoxLayout(bottom);
    buttons->addStretch();
    for (QPushButton* b : {BtnBack, BtnNext, BtnFinish, BtnCancel}) buttons->addWidget(b);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(Tabs, 1);
    layout->addWidget(bottom);

    connect(Picker, &TSurveyPicker::FileListChange, this, &TSelDataDlg::FileListChange);
    connect(BtnInfo, &QPushButton::clicked, this, &TSelDataDlg::BtnInfoClick);
    connect(BtnNext, &QPushButton::clicked, this, &TSelDataDlg::BtnNextClick);
    connect(BtnBack, &QPushButton::clicked, this, &TSelDataDlg::BtnBackClick);
    connect(BtnFinish, &QPushButton::clicked, this, &TSelDataDlg::BtnFinishClick);
    connect(BtnCancel, &QPushButton::clicked, this, &QDialog::reject);
    FormCreate();
}

TSelDataDlg::~TSelDataDlg() { FormDestroy(); }

void TSelDataDlg::FormCreate()
{
    for (QPushButton* b : {BtnInfo, BtnBack, BtnNext, BtnFinish}) b->setEnabled(false);
    BtnFinish->hide();
    Tabs->setCurrentIndex(0);
    Picker->SetFolder(LastPath().DataPathSet ? LastPath().DataPath : DataDir());
}

void TSelDataDlg::FormDestroy()
{
    // The folder is remembered for the run, also after Cancel.
    LastPath().DataPathSet = true;
    LastPath().DataPath = Picker->Folder();
}

void TSelDataDlg::ShowInfoLabels()
{
    TSurveyInfo info = ReadSurveyInfo(Lines);
    Label1->setText(Shown(info.Description));
    Label2->setText(Shown(info.Site));
    Label3->setText(Shown(info.Operator));
    for (QLabel* l : {Label1, Label2, Label3}) l->setToolTip(l->text());  // a text without spaces may not fit
}

void TSelDataDlg::ForgetSurvey()
{
    SelectedFile.clear();
    Lines.clear();
    for (QLabel* l : {Label1, Label2, Label3}) {
        l->clear();
        l->setToolTip(QString());
    }
    BtnNext->setEnabled(false);
    BtnInfo->setEnabled(false);
}

bool TSelDataDlg::OpenSurvey(const std::string& path)
{
    ForgetSurvey();
    auto lines = OpenSurveyFile(path, SurveyUpgrade::Full);
    if (!lines) return false;
    SelectedFile = path;
    Lines = std::move(*lines);
    ShowInfoLabels();
    BtnNext->setEnabled(true);
    BtnInfo->setEnabled(true);
    return true;
}

void TSelDataDlg::FileListChange()
{
    std::string path = Picker->SelectedFile();
    if (path.empty()) ForgetSurvey();
    else OpenSurvey(path);
}

void TSelDataDlg::BtnInfoClick()
{
    if (EditSurveyInfo(this, SelectedFile, Lines)) ShowInfoLabels();
}

void TSelDataDlg::BtnNextClick()
{
    Tabs->setCurrentIndex(1);
    BtnBack->setEnabled(true);
    BtnNext->setEnabled(false);
    BtnNext->hide();
    BtnFinish->show();
    LoadSurveySelection();
    SetDataTypeBoxes();
    DefaultInterval();
    BtnFinish->setEnabled(AnyDataTypeChecked());
}

void TSelDataDlg::BtnBackClick()
{
    Tabs->setCurrentIndex(0);
    BtnBack->setEnabled(false);
    BtnFinish->hide();
    BtnFinish->setEnabled(false);
    BtnNext->show();
    BtnNext->setEnabled(true);
}

void TSelDataDlg::LoadSurveySelection() { FillSurveySelection(SelectedFile, Lines, SurveySelection()); }

void TSelDataDlg::SetDataTypeBoxes()
{
    for (int k = 1; k <= kMeasureCount; ++k) {
        bool available = !DataFileLine(Lines, k).empty();
        CBox[static_cast<std::size_t>(k - 1)]->setEnabled(available);
        CBox[static_cast<std::size_t>(k - 1)]->setChecked(available);
    }
}

unsigned TSelDataDlg::CheckedMask() const
{
    unsigned mask = 0;
    for (int k = 0; k < kMeasureCount; ++k)
        if (CBox[static_cast<std::size_t>(k)]->isChecked()) mask |= 1u << k;
    return mask;
}

bool TSelDataDlg::AnyDataTypeChecked() const { return CheckedMask() != 0; }

void TSelDataDlg::DefaultInterval() { Interval->ShowInterval(::DefaultInterval(SurveySelection(), CheckedMask())); }

void TSelDataDlg::CBoxClick()
{
    DefaultInterval();
    BtnFinish->setEnabled(AnyDataTypeChecked());
}

void TSelDataDlg::BtnFinishClick()
{
    auto interval = Interval->CheckedInterval();
    if (!interval) return;
    TSurveySelection& selection = SurveySelection();
    for (int k = 1; k <= kMeasureCount; ++k) selection.File(k).Selected = CBox[static_cast<std::size_t>(k - 1)]->isChecked();
    selection.Start = interval->first;
    selection.Stop = interval->last;
    accept();
}

void TSelDataDlg::PresetSurvey(const std::string& path)
{
    // The lists show the survey's folder with the file selected, but the check and the full
    // upgrade run here, once, whether or not the file list could select it.
    {
        const QSignalBlocker quiet(Picker);
        Picker->SelectFile(path);
    }
    if (OpenSurvey(path)) BtnNextClick();
}
