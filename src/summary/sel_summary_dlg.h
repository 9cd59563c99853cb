// "View Survey Summary": the four-page wizard behind Create Survey Summary and the summary
// reopen list. Page 1 picks a survey (short upgrade), page 2 the measures (voltage, frequency,
// unbalance, voltage harmonics, flicker, alarms) and the interval, page 3 the voltage-harmonic
// orders (skipped while "Voltage Harmonics" is not ticked), page 4 the percentile and the
// limits. Finish fills the program-wide SurveySelection and SummaryParams for the engine.
#pragma once

#include "wizards/wizard_frame.h"

#include <string>

class THarmonicOrdersPage;
class TIntervalPage;
class TSummaryParamsPage;
class TSurveyPage;

class TSelSummaryDlg : public TWizardFrame {
    Q_OBJECT
public:
    // Resets SummaryParams.
    explicit TSelSummaryDlg(QWidget* parent = nullptr);
    ~TSelSummaryDlg() override;

    // Opens the wizard on a known survey, on page 2.
    void PresetSummarySurvey(const std::string& path);
    // Full path of the chosen survey file; empty while none is valid.
    const std::string& SelectedFile() const;

    TSurveyPage* SurveyPage;
    TIntervalPage* DataPage;
    THarmonicOrdersPage* HarmonicsPage;
    TSummaryParamsPage* ParamsPage;

protected:
    int NextPage(int page) const override;
    void PageEntered(int page) override;
    bool CanGoForward(int page) const override;
    // Refuses a percentile outside 90 to 100 and a stop before the start, with their messages.
    bool FinishWizard() override;
};

// The wizard as the main window's road runs it: preset on `presetSurvey` when given; the survey
// chosen on Finish, nothing on Cancel.
std::optional<std::string> RunSummaryWizard(QWidget* parent, const std::string& presetSurvey);
