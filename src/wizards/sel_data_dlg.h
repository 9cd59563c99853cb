// "Survey Selection": the two-page wizard behind Open Survey and the reopen menus. Page 1
// picks a survey file (checked and upgraded to the current layout), page 2 the measures and
// the interval; Finish fills the program-wide SurveySelection.
#pragma once

#include "survey/survey_file.h"

#include <QDialog>
#include <array>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class TIntervalFields;
class TSurveyPicker;

class TSelDataDlg : public QDialog {
    Q_OBJECT
public:
    explicit TSelDataDlg(QWidget* parent = nullptr);
    ~TSelDataDlg() override;

    // Opens the wizard on a known survey, on page 2.
    void PresetSurvey(const std::string& path);

    SurveyLines Lines;
    std::string SelectedFile;

    QStackedWidget* Tabs;
    TSurveyPicker* Picker;
    QLabel *Label1, *Label2, *Label3;
    QPushButton* BtnInfo;
    std::array<QCheckBox*, kMeasureCount> CBox{};
    TIntervalFields* Interval;
    QPushButton *BtnBack, *BtnNext, *BtnFinish, *BtnCancel;

    void FileListChange();
    void BtnInfoClick();
    void BtnNextClick();
    void BtnBackClick();
    void CBoxClick();
    void BtnFinishClick();

private:
    void FormCreate();
    void FormDestroy();
    // No valid survey: empty SelectedFile, lines and labels; Next and Edit Info disabled.
    void ForgetSurvey();
    // Loads, checks and fully upgrades a survey file and shows its information; false (after
    // the message) when it is no survey file.
    bool OpenSurvey(const std::string& path);
    void ShowInfoLabels();
    void LoadSurveySelection();
    void SetDataTypeBoxes();
    bool AnyDataTypeChecked() const;
    unsigned CheckedMask() const;
    void DefaultInterval();
};
