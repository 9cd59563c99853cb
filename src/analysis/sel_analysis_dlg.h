// "Run Compliance Analysis": the three-page analysis wizard. Page 1 picks a survey (short
// upgrade), page 2 the measures that can be analysed (voltage to events) and the interval, page 3
// the window of days, the observation period and the limits. Finish fills the program-wide
// SurveySelection and AnalysisParams and closes only when the parameter check accepts them; the
// main window then runs the analysis engine.
#pragma once

#include "wizards/wizard_frame.h"

#include <cstdint>

class TAnalysisParamsPage;
class TIntervalPage;
class TSurveyPage;
class TWindowRegistry;

class TSelAnalysisDlg : public TWizardFrame {
    Q_OBJECT
public:
    // Resets AnalysisParams to the defaults: nothing of an earlier analysis is carried over.
    explicit TSelAnalysisDlg(QWidget* parent = nullptr);
    ~TSelAnalysisDlg() override;

    TSurveyPage* SurveyPage;
    TIntervalPage* DataPage;
    TAnalysisParamsPage* ParamsPage;

    // The chosen survey's measures that can be analysed (bit k-1 for measure k), and its
    // frequency file's flag word (non-zero: its rate counts seconds), as the survey was last read.
    unsigned UsableMeasures() const { return usable_; }
    std::int16_t FrequencyFlagWord() const { return frequencyFlag_; }

protected:
    void PageEntered(int page) override;
    bool CanGoForward(int page) const override;
    bool FinishWizard() override;

private:
    void LoadAnalysisSurvey();
    unsigned usable_ = 0;
    std::int16_t frequencyFlag_ = 0;
};

// Registers the analysis wizard as the main window's "Run Compliance Analysis" wizard.
void RegisterAnalysisWizard(TWindowRegistry& registry);
