// "Export Survey": the four-page wizard behind the Export command. Page 1 picks a survey, page 2
// the measures and the interval, page 3 what to export of each measure (its tab), page 4 the
// output folder, base name and format. An accepted Finish fills SurveySelection and writes the
// hand-over file "export.tmp" into the data folder for the exporter; Cancel writes nothing.
#pragma once

#include "export/export_params.h"
#include "wizards/interval_page.h"
#include "wizards/wizard_frame.h"

#include <string>

class TExportOutputPage;
class TExportTabsPage;
class TSurveyPage;

// The nine measure boxes of page 2, top to bottom (the voltage samples are never exported).
extern const TMeasureBox kExportMeasureBoxes[9];

class TSelExportDlg : public TWizardFrame {
    Q_OBJECT
public:
    explicit TSelExportDlg(QWidget* parent = nullptr);

    TSurveyPage* SurveyPage;
    TIntervalPage* DataPage;
    TExportTabsPage* TabsPage;
    TExportOutputPage* OutputPage;

    // The working choices: what the data files offer and, after Finish, what was written.
    const TExportParams& Params() const { return params_; }

protected:
    void PageEntered(int page) override;
    bool CanGoForward(int page) const override;
    bool FinishWizard() override;

private:
    void LoadExportSurvey();
    // Prepares the tabs of the ticked measures not yet prepared for this survey, then shows them.
    void ShowTabs();
    void BoxesChanged(int measure);
    void ChooseHarmonics(int measure);
    // The working choices with the tabs' boxes stored into them.
    TExportParams ChoicesWithTabs() const;
    // Whether the measure's choice fits an Excel 5.0 sheet; when not, says so once per change.
    bool FitsSheet(int measure, const TExportParams& choices) const;
    void WarnIfBeyondSheet(int measure);

    TExportParams params_;
    std::string preparedFor_;  // the survey whose tabs are prepared
    unsigned prepared_ = 0;    // the measures whose tabs are prepared for it
};
