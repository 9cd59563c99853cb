// "Creating Survey Summary...": the modal window of the summary engine, one label and progress
// bar per measure (greyed when the measure is not summarised) above "&Abort". A job window:
// it closes with OK when "summary.tmp" is written, Cancel when the run failed or was aborted.
#pragma once

#include "dialogs/job_window.h"
#include "summary/summary_engine.h"

#include <array>

class QLabel;
class QProgressBar;

class TRunSummaryDlg : public TJobDlg {
    Q_OBJECT
public:
    TRunSummaryDlg(QWidget* parent, TSummaryEngine& engine);

    // LabelVolt, LabelFreq, LabelUnb, LabelHarm, LabelFlk, LabelEvents and their bars, by
    // measure 1 to 6 (index 0 unused).
    std::array<QLabel*, kSummaryMeasures + 1> Labels{};
    std::array<QProgressBar*, kSummaryMeasures + 1> Bars{};

private:
    void ShowProgress();
    TSummaryEngine& engine_;
};

// The engine over SurveySelection and SummaryParams in its window, as the main window's road
// runs it: true when "summary.tmp" was written.
bool RunSummaryEngine(QWidget* parent);
