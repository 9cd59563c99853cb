// "Run Analysis": the small window that checks the analysis parameters against the chosen data
// once it is shown, leaves its verdict and closes. Created by the analysis wizard's Finish.
#pragma once

#include <cstdint>

#include "analysis/analysis_params.h"
#include "dialogs/fixed_dialog.h"
#include "survey/records.h"

class QLabel;
class QTimer;

class TCheckLimitDlg : public FixedDialog {
    Q_OBJECT
public:
    TCheckLimitDlg(const TAnalysisParams& params, const TSurveySelection& selection, QWidget* parent = nullptr);

    // The frequency file's flag word (non-zero: its rate counts seconds).
    void SetFrequencyRateFlag(std::int16_t flag) { frequencyFlag = flag; }
    // True when the analysis may run; valid once the dialog has closed.
    bool Verdict() const { return verdict; }

    QLabel* LabelMsg;
    QTimer* Timer;
    void TimerTick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    TAnalysisParams params;
    TSurveySelection selection;
    std::int16_t frequencyFlag = 0;
    bool verdict = false;
};

// Shows the check dialog modally and returns its verdict.
bool RunAnalysisCheck(QWidget* parent, const TAnalysisParams& params, const TSurveySelection& selection,
                      std::int16_t frequencyFlag);
