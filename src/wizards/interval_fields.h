// The interval fields of every wizard's interval page: start and stop dates (read-only, set
// with the date picker) and start and stop times (read-only "hh:mm", set with hour and minute
// spin buttons).
#pragma once

#include "dialogs/spin_button.h"
#include "wizards/interval_rules.h"

#include <QWidget>
#include <optional>

class QLineEdit;
class QToolButton;

class TIntervalFields : public QWidget {
    Q_OBJECT
public:
    explicit TIntervalFields(QWidget* parent = nullptr);

    QLineEdit *EditIniDate, *EditEndDate, *rcEdit1TimeStart, *rcEdit1TimeStop;
    QToolButton *BtnIni, *BtnEnd;
    TSpinButton *BtnOreStart, *BtnOreStop, *BtnMinStart, *BtnMinStop;

    // Shows an interval, or clears the four fields when there is none.
    void ShowInterval(const std::optional<TInterval>& interval);
    // The interval ends the fields hold (stop + 59.999 s); nothing when a field is not valid.
    std::optional<TDateTime> Start() const;
    std::optional<TDateTime> Stop() const;
    // The interval as every wizard's Finish takes it (first = Start, last = Stop); nothing, after
    // an error message, when a field is not valid or Stop precedes Start.
    std::optional<TInterval> CheckedInterval() const;

    void BtnIniClick();
    void BtnEndClick();
    void StepTime(QLineEdit* field, TimeField part, bool up);
};
