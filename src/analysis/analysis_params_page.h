// The analysis wizard's last page: the window duration in days with its spin button, the
// observation period and the limits, with "Set Limits..." opening the limits editor. It edits
// the parameters it is given (the program-wide AnalysisParams): the limits at once, the window
// and the period when Finish stores them.
#pragma once

#include "analysis/analysis_params.h"

#include <QWidget>
#include <string>

class QButtonGroup;
class QLineEdit;
class QPushButton;
class TElidedLabel;
class TSpinButton;

class TAnalysisParamsPage : public QWidget {
    Q_OBJECT
public:
    TAnalysisParamsPage(QWidget* parent, TAnalysisParams& params);

    QLineEdit* EditWindow;
    TSpinButton* SpinWindow;
    QButtonGroup* RadioPeriod;  // ids 0 to 5, the period indexes
    TElidedLabel* LabelLimFile;
    QPushButton* BtnLimits;

    // The active limits file: "default" until one is opened or saved in the editor.
    const std::string& LimitsFileName() const { return limitsFileName_; }

    // The window, the period and the limits file name as the parameters and the page hold them.
    void ShowAnalysisParams();
    // The window field checked: false, after the message and with the focus back on the field,
    // when it holds no window of 1 to 31 days.
    bool EditWindowExit();
    // One day more or less; a field that is no number shows the conversion's message and stays.
    void SpinWindowClick(bool up);
    void BtnLimitsClick();
    // Finish: the window and the period into the parameters; false (see EditWindowExit) when
    // the window is refused.
    bool StoreParams();

private:
    std::optional<std::int16_t> CheckedWindowDays();
    void ShowLimitsFileName();

    TAnalysisParams& params_;
    std::string limitsFileName_ = "default";
};
