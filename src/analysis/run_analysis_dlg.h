// "Analyzing measures...": the window of the compliance analysis. It drives the analysis
// engine with the job window's panel (message line, progress, Abort), paints each measure's row
// (one result panel per phase, or one for frequency, unbalance and events, with a tick or a
// cross) as the measure ends, then shows the verdict with "&OK", which asks "Save Report ?" and
// saves the .rep file through the report writer. Created by the main window's analysis road
// after the analysis wizard; the road reads the saved flag and the report's file name.
#pragma once

#include <array>
#include <memory>
#include <string>

#include "analysis/analysis_engine.h"
#include "dialogs/fixed_dialog.h"

class QFrame;
class QLabel;
class QPushButton;
class QStackedWidget;
class TJobPanel;
class TWindowRegistry;

class TRunAnalysisDlg : public FixedDialog {
    Q_OBJECT
public:
    // Copies of the survey and the parameters; the temporary files go into tempFolder.
    TRunAnalysisDlg(QWidget* parent, const TSurveySelection& survey, const TAnalysisParams& params,
                    const std::string& tempFolder);
    ~TRunAnalysisDlg() override;

    // True only once the report file has been written.
    bool Saved() const { return saved_; }
    const std::string& ReportFileName() const { return reportFileName_; }
    const TAnalysisEngine& Engine() const { return *engine_; }

    // Result panels: voltage, voltage harmonics and flicker per phase, one each for frequency,
    // unbalance and events.
    QFrame *PanelV1, *PanelV2, *PanelV3, *PanelHz, *PanelUnb, *PanelH1, *PanelH2, *PanelH3;
    QFrame *PanelFlk1, *PanelFlk2, *PanelFlk3, *PanelEv;
    // The tick and the cross of measures 1 to 6 (index 0 is measure 1).
    std::array<QLabel*, 6> ImageOk{}, ImageCancel{};
    TJobPanel* Job;  // LabelMsg, the progress bar and "&Abort"
    QLabel* LabelVerdict;
    QPushButton* BtnOk;

    // The panels of a measure (1 to 6), L1 first.
    std::vector<QFrame*> MeasurePanels(int measure) const;
    // "Save Report ?", then the save dialog and the report; the window closes with OK.
    void BtnOkClick();

public slots:
    // Escape and the close box: Abort while the analysis runs, OK on its results.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormActivate();
    void ShowMeasureResults();
    void ShowAnalysisResults();
    void JobEnded();

    std::unique_ptr<TAnalysisEngine> engine_;
    QStackedWidget* bottom_;  // the job panel, then the verdict and OK, in one place
    std::array<bool, kAnalysisMeasures> shown_{};
    bool started_ = false;
    bool saved_ = false;
    std::string reportFileName_;
};

// Sets the analysis road's engine window: TRunAnalysisDlg over SurveySelection() and
// AnalysisParams(), with its temporary files in DataDir().
void RegisterAnalysisEngine(TWindowRegistry& registry);
