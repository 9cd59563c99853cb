// The summary engine's window.
#include "summary/run_summary_dlg.h"

#include "dialogs/job_window.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
constexpr std::array<const char*, kSummaryMeasures + 1> kLabelTexts = {
    "", "Voltage", "Frequency", "Unbalance", "Voltage Harmonics", "Flicker", "Events"};
}  // namespace

TRunSummaryDlg::TRunSummaryDlg(QWidget* parent, TSummaryEngine& engine)
    : FixedDialog(parent, "Creating Survey Summary..."), engine_(engine)
{
    auto* grid = new QGridLayout;
    for (int m = 1; m <= kSummaryMeasures; ++m) {
        const auto i = static_cast<std::size_t>(m);
        Labels[i] = new QLabel(kLabelTexts[i], this);
        Labels[i]->setEnabled(engine.Survey().File(m).Selected);
        Bars[i] = new QProgressBar(this);
        Bars[i]->setRange(0, 100);
        Bars[i]->setValue(0);
        Bars[i]->setTextVisible(false);
        Bars[i]->setMinimumWidth(240);
        grid->addWidget(Labels[i], m - 1, 0);
        grid->addWidget(Bars[i], m - 1, 1);
    }
    MainLayout()->addLayout(grid);
    // The panel drives the engine and holds Abort; the per-measure bars show its progress.
    Panel = new TJobPanel(engine, this);
    Panel->LabelMsg->hide();
    Panel->Bar->hide();
    MainLayout()->addWidget(Panel);
    connect(Panel, &TJobPanel::Ticked, this, &TRunSummaryDlg::ShowProgress);
    connect(Panel, &TJobPanel::Ended, this, [this] { done(engine_.Completed() ? Accepted : Rejected); });
    connect(Panel, &TJobPanel::Aborted, this, [this] { FixedDialog::reject(); });
}

void TRunSummaryDlg::ShowProgress()
{
    for (int m = 1; m <= kSummaryMeasures; ++m) Bars[static_cast<std::size_t>(m)]->setValue(engine_.MeasureProgress(m));
}

void TRunSummaryDlg::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    Panel->Start();
}

void TRunSummaryDlg::reject() { Panel->BtnAbortClick(); }

bool RunSummaryEngine(QWidget* parent)
{
    TSummaryEngine engine(SurveySelection(), SummaryParams(), SummaryFilePath());
    TRunSummaryDlg dialog(parent, engine);
    return dialog.exec() == QDialog::Accepted;
}
