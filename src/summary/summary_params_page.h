// The summary wizard's parameters page: "Percentile (%)" (90 to 100, checked when the field is
// left), the limits file whose values the report compares against, and "Set Limits...", which
// opens the limits editor on them.
#pragma once

#include "summary/summary_params.h"

#include <QWidget>
#include <optional>

class QLineEdit;
class QPushButton;
class TElidedLabel;

class TSummaryParamsPage : public QWidget {
    Q_OBJECT
public:
    // The page shows and edits `params` (the wizard's SummaryParams).
    TSummaryParamsPage(QWidget* parent, TSummaryParams& params);

    QLineEdit* EditPerc;
    TElidedLabel* LabelLimFile;  // a long path is shortened in the middle, never cut at the edge
    QPushButton* BtnLimits;

    void ShowSummaryParams();
    // Leaving the field: false, with the focus back on it, when its text is no whole number
    // (the conversion's message) or lies outside 90 to 100 (an error box).
    bool EditPercExit();
    // The percentile the field holds; nothing, after the message, when it is not accepted.
    std::optional<std::uint16_t> CheckedPercentile();
    // The limits editor on the parameters' limits and file name; OK takes both over.
    void BtnLimitsClick();

private:
    void ShowLimitsFileName();
    TSummaryParams& params_;
};
