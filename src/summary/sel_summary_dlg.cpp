// Survey summary wizard.
#include "summary/sel_summary_dlg.h"

#include "summary/harmonic_orders_page.h"
#include "summary/summary_engine.h"
#include "summary/summary_params_page.h"
#include "summary/summary_survey.h"
#include "wizards/interval_page.h"
#include "wizards/survey_page.h"

#include <QCheckBox>
#include <span>

namespace {
enum Page { PageSurvey = 0, PageData = 1, PageHarmonics = 2, PageParams = 3 };
}  // namespace

TSelSummaryDlg::TSelSummaryDlg(QWidget* parent) : TWizardFrame(parent, "View Survey Summary", QSize(592, 332))
{
    SetDefaultSummaryParams(SummaryParams());
    SurveyPage = new TSurveyPage(this, "Select a Survey:", SurveyUpgrade::Short);
    DataPage = new TIntervalPage(this, std::span(kAllMeasureBoxes, kSummaryMeasures));
    HarmonicsPage = new THarmonicOrdersPage(this);
    ParamsPage = new TSummaryParamsPage(this, SummaryParams());
    AddPage(SurveyPage);
    AddPage(DataPage);
    AddPage(HarmonicsPage);
    AddPage(ParamsPage);
    connect(SurveyPage, &TSurveyPage::SurveyChanged, this, &TSelSummaryDlg::UpdateForward);
    connect(DataPage, &TIntervalPage::MeasuresChanged, this, &TSelSummaryDlg::UpdateForward);
    connect(HarmonicsPage, &THarmonicOrdersPage::HarmonicsChanged, this, &TSelSummaryDlg::UpdateForward);
    ShowFirstPage();
}

// The folder is remembered for the run, also after Cancel.
TSelSummaryDlg::~TSelSummaryDlg() { SurveyPage->RememberFolder(); }

const std::string& TSelSummaryDlg::SelectedFile() const { return SurveyPage->SelectedFile; }

int TSelSummaryDlg::NextPage(int page) const
{
    switch (page) {
    case PageSurvey: return PageData;
    case PageData: return DataPage->Box(MeasureVoltageHarmonics)->isChecked() ? PageHarmonics : PageParams;
    case PageHarmonics: return PageParams;
    default: return kNoPage;
    }
}

bool TSelSummaryDlg::CanGoForward(int page) const
{
    switch (page) {
    case PageSurvey: return SurveyPage->HasSurvey();
    case PageData: return DataPage->AnyChecked();
    case PageHarmonics: return HarmonicsPage->AnyHarmonicChecked();
    default: return true;
    }
}

void TSelSummaryDlg::PageEntered(int page)
{
    switch (page) {
    case PageData: {
        const unsigned usable = LoadSummarySurvey(SurveyPage->SelectedFile, SurveyPage->Lines, SurveySelection(), SummaryParams());
        DataPage->OfferMeasures(SurveySelection(), usable);
        break;
    }
    case PageHarmonics: HarmonicsPage->EnableHarmonicBoxes(SummaryParams()); break;
    case PageParams: ParamsPage->ShowSummaryParams(); break;
    default: break;
    }
}

bool TSelSummaryDlg::FinishWizard()
{
    const auto percentile = ParamsPage->CheckedPercentile();
    if (!percentile || !DataPage->StoreChoices(SurveySelection())) return false;
    TSummaryParams& params = SummaryParams();
    params.Percentile = *percentile;
    HarmonicsPage->StoreChoices(params);
    return true;
}

void TSelSummaryDlg::PresetSummarySurvey(const std::string& path)
{
    if (SurveyPage->PresetSurvey(path)) BtnNextClick();
}

std::optional<std::string> RunSummaryWizard(QWidget* parent, const std::string& presetSurvey)
{
    TSelSummaryDlg wizard(parent);
    if (!presetSurvey.empty()) wizard.PresetSummarySurvey(presetSurvey);
    if (wizard.exec() != QDialog::Accepted) return std::nullopt;
    return wizard.SelectedFile();
}
