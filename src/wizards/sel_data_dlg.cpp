// Survey selection wizard.
#include "wizards/sel_data_dlg.h"

#include "survey/selection_loader.h"
#include "wizards/interval_page.h"
#include "wizards/survey_page.h"

namespace {
enum Page { PageSurvey = 0, PageData = 1 };
}  // namespace

TSelDataDlg::TSelDataDlg(QWidget* parent) : TWizardFrame(parent, "Survey Selection", QSize(592, 332))
{
    SurveyPage = new TSurveyPage(this, "Select a Survey:", SurveyUpgrade::Full);
    DataPage = new TIntervalPage(this, kAllMeasureBoxes);
    AddPage(SurveyPage);
    AddPage(DataPage);
    connect(SurveyPage, &TSurveyPage::SurveyChanged, this, &TSelDataDlg::UpdateForward);
    connect(DataPage, &TIntervalPage::MeasuresChanged, this, &TSelDataDlg::UpdateForward);
    ShowFirstPage();
}

// The folder is remembered for the run, also after Cancel.
TSelDataDlg::~TSelDataDlg() { SurveyPage->RememberFolder(); }

const std::string& TSelDataDlg::SelectedFile() const { return SurveyPage->SelectedFile; }

bool TSelDataDlg::CanGoForward(int page) const
{
    return page == PageSurvey ? SurveyPage->HasSurvey() : DataPage->AnyChecked();
}

void TSelDataDlg::PageEntered(int page)
{
    if (page == PageData) LoadSurveySelection();
}

void TSelDataDlg::LoadSurveySelection()
{
    FillSurveySelection(SurveyPage->SelectedFile, SurveyPage->Lines, SurveySelection());
    DataPage->OfferMeasures(SurveySelection(), AvailableMeasures(SurveyPage->Lines));
}

bool TSelDataDlg::FinishWizard() { return DataPage->StoreChoices(SurveySelection()); }

void TSelDataDlg::PresetSurvey(const std::string& path)
{
    if (SurveyPage->PresetSurvey(path)) BtnNextClick();
}
