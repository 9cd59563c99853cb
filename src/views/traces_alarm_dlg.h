// TTracesAlarmDlg ("Events Settings"): the events list's filter dialog. Boxes for the measure
// classes, the phases and the event types, and the duration and value limits with their
// comparisons; OK refuses a group without a ticked box and a limit that is no number (the dialog
// stays open), then takes the boxes into the filter (event_filter.h). Cancel, Esc and the close
// box leave the filter as it was.
#pragma once

#include "dialogs/fixed_dialog.h"
#include "views/event_filter.h"

#include <array>

class QCheckBox;
class QLineEdit;
class QRadioButton;

class TTracesAlarmDlg : public FixedDialog {
    Q_OBJECT
public:
    explicit TTracesAlarmDlg(QWidget* parent = nullptr);

    void SetEventFilter(const TEventFilter& filter);
    // The filter as OK took it (as set before OK).
    const TEventFilter& EventFilter() const { return filter_; }

    // Handlers, public so tests drive the dialog without a modal loop.
    void BtnOkClick();
    // Leaving a limit's edit: a text that is no number says so and takes the focus back.
    bool EditExit(QLineEdit* edit);

    std::array<QCheckBox*, kEventClassCount> CBoxClasses{};
    std::array<QCheckBox*, kEventFilterPhases> CBoxPhases{};
    std::array<QCheckBox*, kTypeBoxCount> CBoxTypes{};
    QLineEdit* EditDuration;
    QRadioButton *RadioDurationLess, *RadioDurationGreater;
    QLineEdit* EditValue;
    QRadioButton *RadioValueLess, *RadioValueGreater;
    QPushButton* BtnOk;
    QPushButton* BtnCancel;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    TEventFilter filter_;
    bool checking_ = false;  // an edit's message is up: leaving the edit for it is no exit
};
