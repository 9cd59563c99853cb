// The summary engine's window.
#include "summary/run_summary_dlg.h"

#include <QGridLayout>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>

namespace {
constexpr std::array<const char*, kSummaryMeasures + 1> kLabelTexts = {
    "", "Voltage", "Frequency", "Unbalance", "Voltage Harmonics", "Flicker", "Events"};
}  // namespace

TRunSummaryDlg::TRunSummaryDlg(QWidget* parent, TSummaryEngine& engine)
    : TJobDlg(parent, "Creating Survey Summary...", engine), engine_(engine)
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
    // The rows stand above the panel, which keeps only Abort: the per-measure bars show the
    // engine's progress in place of its message line and bar.
    MainLayout()->insertLayout(0, grid);
    Panel->LabelMsg->hide();
    Panel->Bar->hide();
    connect(Panel, &TJobPanel::Ticked, this, &TRunSummaryDlg::ShowProgress);
}

void TRunSummaryDlg::ShowProgress()
{
    for (int m = 1; m <= kSummaryMeasures; ++m) Bars[static_cast<std::size_t>(m)]->setValue(engine_.MeasureProgress(m));
}

bool RunSummaryEngine(QWidget* parent)
{
    TSummaryEngine engine(SurveySelection(), SummaryParams(), SummaryFilePath());
    TRunSummaryDlg dialog(parent, engine);
    return dialog.exec() == QDialog::Accepted;
}
