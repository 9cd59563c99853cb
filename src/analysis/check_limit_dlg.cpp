// The analysis parameter check window.
#include "analysis/check_limit_dlg.h"

#include "analysis/analysis_check.h"

#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

TCheckLimitDlg::TCheckLimitDlg(const TAnalysisParams& params_, const TSurveySelection& selection_, QWidget* parent)
    : FixedDialog(parent, "Run Analysis", Qt::Tool), params(params_), selection(selection_)
{
    LabelMsg = new QLabel("Checking analysis parameters...", this);
    LabelMsg->setMargin(16);
    MainLayout()->addWidget(LabelMsg);
    Timer = new QTimer(this);
    Timer->setSingleShot(true);
    connect(Timer, &QTimer::timeout, this, &TCheckLimitDlg::TimerTick);
}

void TCheckLimitDlg::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    // The check's messages come once the window is on the screen.
    Timer->start(0);
}

void TCheckLimitDlg::TimerTick()
{
    Timer->stop();
    verdict = AnalysisCheckVerdict(CheckAnalysisParams(params, selection, frequencyFlag));
    accept();
}

bool RunAnalysisCheck(QWidget* parent, const TAnalysisParams& params, const TSurveySelection& selection,
                      std::int16_t frequencyFlag)
{
    TCheckLimitDlg dialog(params, selection, parent);
    dialog.SetFrequencyRateFlag(frequencyFlag);
    dialog.exec();
    return dialog.Verdict();
}
