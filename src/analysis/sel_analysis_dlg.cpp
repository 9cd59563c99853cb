// The analysis wizard.
#include "analysis/sel_analysis_dlg.h"

#include "analysis/analysis_measure_info.h"
#include "analysis/analysis_params.h"
#include "analysis/analysis_params_page.h"
#include "analysis/check_limit_dlg.h"
#include "app/window_registry.h"
#include "survey/selection_loader.h"
#include "wizards/interval_page.h"
#include "wizards/survey_page.h"

namespace {
enum Page { PageSurvey = 0, PageData = 1 };  // then the parameters page

// The measures an analysis judges.
const TMeasureBox kAnalysisMeasureBoxes[] = {
    {MeasureVoltage, "Voltage"},    {MeasureFrequency, "Frequency"}, {MeasureUnbalance, "Unbalance"},
    {MeasureVoltageHarmonics, "Voltage Harmonics"}, {MeasureFlicker, "Flicker"}, {MeasureEvents, "Alarms"},
};
}  // namespace

TSelAnalysisDlg::TSelAnalysisDlg(QWidget* parent) : TWizardFrame(parent, "Run Compliance Analysis", QSize(592, 332))
{
    SetDefaultAnalysisParams(AnalysisParams());
    SurveyPage = new TSurveyPage(this, "Select a Survey:", SurveyUpgrade::Short);
    DataPage = new TIntervalPage(this, kAnalysisMeasureBoxes);
    ParamsPage = new TAnalysisParamsPage(this, AnalysisParams());
    AddPage(SurveyPage);
    AddPage(DataPage);
    AddPage(ParamsPage);
    connect(SurveyPage, &TSurveyPage::SurveyChanged, this, &TSelAnalysisDlg::UpdateForward);
    connect(DataPage, &TIntervalPage::MeasuresChanged, this, &TSelAnalysisDlg::UpdateForward);
    ShowFirstPage();
}

// The folder is remembered for the run, also after Cancel.
TSelAnalysisDlg::~TSelAnalysisDlg() { SurveyPage->RememberFolder(); }

bool TSelAnalysisDlg::CanGoForward(int page) const
{
    switch (page) {
    case PageSurvey: return SurveyPage->HasSurvey();
    case PageData: return DataPage->AnyChecked();
    default: return true;
    }
}

void TSelAnalysisDlg::PageEntered(int page)
{
    // The parameters page keeps what the user set when they come back to it.
    if (page == PageData) LoadAnalysisSurvey();
}

void TSelAnalysisDlg::LoadAnalysisSurvey()
{
    usable_ = 0;
    frequencyFlag_ = 0;
    auto read = [this](const std::string& path, int measure, TMeasureFileInfo& info) {
        const auto analysis = ReadAnalysisMeasureInfo(path, measure, info);
        if (!analysis) return false;
        if (analysis->Usable) usable_ |= 1u << (measure - 1);
        if (measure == MeasureFrequency) frequencyFlag_ = analysis->FrequencyFlagWord;
        return true;
    };
    FillSurveySelection(SurveyPage->SelectedFile, SurveyPage->Lines, SurveySelection(), MeasureEvents, read);
    DataPage->OfferMeasures(SurveySelection(), usable_);
}

bool TSelAnalysisDlg::FinishWizard()
{
    return ParamsPage->StoreParams() && DataPage->StoreChoices(SurveySelection()) &&
           RunAnalysisCheck(this, AnalysisParams(), SurveySelection(), frequencyFlag_);
}

void RegisterAnalysisWizard(TWindowRegistry& registry)
{
    registry.RoadWindows().AnalysisWizard = [](QWidget* parent) {
        TSelAnalysisDlg wizard(parent);
        return wizard.exec() == QDialog::Accepted;
    };
}
