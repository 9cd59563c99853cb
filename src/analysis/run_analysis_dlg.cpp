// The analysis run window.
#include "analysis/run_analysis_dlg.h"

#include "app/window_registry.h"
#include "dialogs/job_window.h"
#include "graph/qpainter_canvas.h"
#include "platform/messages.h"
#include "platform/prog_dirs.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace {
constexpr const char* kRowNames[kAnalysisMeasures] = {"Voltage", "Frequency", "Unbalance", "Voltage Harmonics",
                                                      "Flicker", "Events"};

QFrame* ResultPanel(QWidget* parent)
{
    auto* panel = new QFrame(parent);
    panel->setFrameShape(QFrame::Panel);
    panel->setFrameShadow(QFrame::Sunken);
    panel->setMinimumSize(56, 18);
    panel->setAutoFillBackground(true);
    return panel;
}

void Paint(QFrame* panel, std::uint32_t colour)
{
    QPalette palette = panel->palette();
    palette.setColor(QPalette::Window, ToQColor(colour));
    panel->setPalette(palette);
}

// The tick (passed) or the cross (failed) beside a row.
QLabel* Mark(QWidget* parent, bool tick)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ToQColor(tick ? kPassedColour : kFailedColour), 2.5));
    if (tick) {
        painter.drawPolyline(QPolygonF({QPointF(2, 9), QPointF(6, 13), QPointF(14, 3)}));
    } else {
        painter.drawLine(QPointF(3, 3), QPointF(13, 13));
        painter.drawLine(QPointF(13, 3), QPointF(3, 13));
    }
    painter.end();
    auto* label = new QLabel(parent);
    label->setPixmap(pixmap);
    label->hide();
    return label;
}

void ShowVerdictText(QLabel* label, bool passed)
{
    label->setText(passed ? "Passed" : "Not Passed");
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, ToQColor(passed ? kPassedColour : kFailedColour));
    label->setPalette(palette);
}
}  // namespace

TRunAnalysisDlg::TRunAnalysisDlg(QWidget* parent, const TSurveySelection& survey, const TAnalysisParams& params,
                                 const std::string& tempFolder)
    : FixedDialog(parent, "Analyzing measures..."),
      engine_(std::make_unique<TAnalysisEngine>(survey, params, tempFolder))
{
    auto* rows = new QGridLayout;
    rows->setHorizontalSpacing(6);
    const char* heads[] = {"L1", "L2", "L3"};
    for (int p = 0; p < 3; ++p) rows->addWidget(new QLabel(heads[p], this), 0, 1 + p, Qt::AlignHCenter);
    PanelV1 = ResultPanel(this), PanelV2 = ResultPanel(this), PanelV3 = ResultPanel(this);
    PanelHz = ResultPanel(this);
    PanelUnb = ResultPanel(this);
    PanelH1 = ResultPanel(this), PanelH2 = ResultPanel(this), PanelH3 = ResultPanel(this);
    PanelFlk1 = ResultPanel(this), PanelFlk2 = ResultPanel(this), PanelFlk3 = ResultPanel(this);
    PanelEv = ResultPanel(this);
    for (int m = 1; m <= kAnalysisMeasures; ++m) {
        const auto k = static_cast<std::size_t>(m - 1);
        rows->addWidget(new QLabel(kRowNames[k], this), m, 0);
        const std::vector<QFrame*> panels = MeasurePanels(m);
        for (std::size_t p = 0; p < panels.size(); ++p) rows->addWidget(panels[p], m, 1 + static_cast<int>(p));
        ImageOk[k] = Mark(this, true);
        ImageCancel[k] = Mark(this, false);
        rows->addWidget(ImageOk[k], m, 4);
        rows->addWidget(ImageCancel[k], m, 4);
    }
    MainLayout()->addLayout(rows);

    Job = new TJobPanel(*engine_, this);
    auto* results = new QWidget(this);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->setContentsMargins(0, 0, 0, 0);
    LabelVerdict = new QLabel(results);
    LabelVerdict->setAlignment(Qt::AlignCenter);
    LabelVerdict->setMinimumHeight(60);
    QFont bold = LabelVerdict->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    LabelVerdict->setFont(bold);
    BtnOk = new QPushButton("&OK", results);
    BtnOk->setDefault(true);
    resultsLayout->addWidget(LabelVerdict);
    resultsLayout->addWidget(BtnOk, 0, Qt::AlignHCenter);
    bottom_ = new QStackedWidget(this);
    bottom_->addWidget(Job);
    bottom_->addWidget(results);
    MainLayout()->addWidget(bottom_);

    for (int m = 1; m <= kAnalysisMeasures; ++m)
        for (QFrame* panel : MeasurePanels(m)) Paint(panel, 0xFFFFFF);

    connect(BtnOk, &QPushButton::clicked, this, &TRunAnalysisDlg::BtnOkClick);
    connect(Job, &TJobPanel::Ticked, this, &TRunAnalysisDlg::ShowMeasureResults);
    connect(Job, &TJobPanel::Ended, this, &TRunAnalysisDlg::JobEnded);
    connect(Job, &TJobPanel::Aborted, this, [this] { FixedDialog::reject(); });
}

TRunAnalysisDlg::~TRunAnalysisDlg() = default;

std::vector<QFrame*> TRunAnalysisDlg::MeasurePanels(int measure) const
{
    switch (measure) {
    case MeasureVoltage: return {PanelV1, PanelV2, PanelV3};
    case MeasureFrequency: return {PanelHz};
    case MeasureUnbalance: return {PanelUnb};
    case MeasureVoltageHarmonics: return {PanelH1, PanelH2, PanelH3};
    case MeasureFlicker: return {PanelFlk1, PanelFlk2, PanelFlk3};
    case MeasureEvents: return {PanelEv};
    default: return {};
    }
}

void TRunAnalysisDlg::reject()
{
    // Escape and the close box abort a running analysis; on the results they take OK's road, so
    // a finished run is never dropped without "Save Report ?".
    if (!engine_->Finished())
        Job->BtnAbortClick();
    else if (engine_->Completed())
        BtnOkClick();
    else
        FixedDialog::reject();
}

void TRunAnalysisDlg::showEvent(QShowEvent* event)
{
    FixedDialog::showEvent(event);
    if (!started_) FormActivate();
}

void TRunAnalysisDlg::FormActivate()
{
    started_ = true;
    for (int m = 1; m <= kAnalysisMeasures; ++m)
        if (!engine_->Result(m).Selected)
            for (QFrame* panel : MeasurePanels(m)) Paint(panel, kNotAnalysedColour);
    bottom_->setCurrentIndex(0);
    BtnOk->setEnabled(false);
    Job->Start();
}

void TRunAnalysisDlg::ShowMeasureResults()
{
    for (int m = 1; m <= kAnalysisMeasures; ++m) {
        const auto k = static_cast<std::size_t>(m - 1);
        const TAnalysisMeasureResult& result = engine_->Result(m);
        if (shown_[k] || !result.Analysed) continue;
        shown_[k] = true;
        const std::vector<QFrame*> panels = MeasurePanels(m);
        for (std::size_t p = 0; p < panels.size(); ++p) Paint(panels[p], result.PanelColours[p]);
        ImageOk[k]->setVisible(result.Passed);
        ImageCancel[k]->setVisible(!result.Passed);
    }
}

void TRunAnalysisDlg::JobEnded()
{
    // A run that failed has shown its message; the window closes as after Abort.
    if (!engine_->Completed()) {
        FixedDialog::reject();
        return;
    }
    ShowMeasureResults();
    ShowAnalysisResults();
}

void TRunAnalysisDlg::ShowAnalysisResults()
{
    setWindowTitle("Analysis Results");
    ShowVerdictText(LabelVerdict, engine_->Passed());
    bottom_->setCurrentIndex(1);
    BtnOk->setEnabled(true);
    BtnOk->setFocus();
}

void TRunAnalysisDlg::BtnOkClick()
{
    if (ShowMessage("Save Report ?", MsgType::Confirmation, MbYesNo) != MbYes) {
        // The temporary files stay until the next analysis of their measures.
        accept();
        return;
    }
    FileDialogRequest request;
    request.title = "Save Report File As";
    request.folder = FirstSheetFolder();
    request.fileName = "*.rep";
    request.filter = "Report Files (*.rep)|*.rep";
    request.defaultExt = "rep";
    request.mustExist = false;
    auto chosen = AskSaveFile(request);
    if (!chosen) {
        engine_->DeleteTempFiles();
        accept();
        return;
    }
    std::string path = *chosen;
    if (ExtractFileExt(path).empty()) path += ".rep";
    const TReportWrite written = engine_->WriteReport(path);
    if (!written.Saved) {
        // The old file and the temporary files are as they were: the user may try again, from
        // the folder the dialog started in.
        ShowError(written.Message);
        return;
    }
    LastPath().SheetPathSet = true;
    LastPath().SheetPath = ExtractFilePath(path);
    saved_ = true;
    reportFileName_ = path;
    accept();
}

void RegisterAnalysisEngine(TWindowRegistry& registry)
{
    registry.RoadWindows().AnalysisEngine = [](QWidget* parent, std::string& reportName) {
        TRunAnalysisDlg dialog(parent, SurveySelection(), AnalysisParams(), DataDir());
        dialog.exec();
        reportName = dialog.ReportFileName();
        return dialog.Saved();
    };
}
