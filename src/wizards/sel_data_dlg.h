// "Survey Selection": the two-page wizard behind Open Survey and the reopen menus. Page 1
// picks a survey file (checked and upgraded to the current layout), page 2 the measures and
// the interval; Finish fills the program-wide SurveySelection.
#pragma once

#include "wizards/wizard_frame.h"

#include <string>

class TIntervalPage;
class TSurveyPage;

class TSelDataDlg : public TWizardFrame {
    Q_OBJECT
public:
    explicit TSelDataDlg(QWidget* parent = nullptr);
    ~TSelDataDlg() override;

    // Opens the wizard on a known survey, on page 2.
    void PresetSurvey(const std::string& path);
    // Full path of the chosen survey file; empty while none is valid. The main window reads it
    // after the wizard closes.
    const std::string& SelectedFile() const;

    TSurveyPage* SurveyPage;
    TIntervalPage* DataPage;

protected:
    void PageEntered(int page) override;
    bool CanGoForward(int page) const override;
    bool FinishWizard() override;

private:
    void LoadSurveySelection();
};
