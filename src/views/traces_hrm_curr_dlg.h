// TTracesHrmCurrDlg: the traces dialog of the current-harmonics view, the harmonics dialog with an
// "Amp." box per row: a checked row plots its harmonic in ampere on the second axis, an
// unchecked one in percent of the fundamental on the left axis. Each axis has its scale group.
#pragma once

#include "views/traces_hrm_dlg.h"

class QCheckBox;

class TTracesHrmCurrDlg : public TTracesHrmDlg {
    Q_OBJECT
public:
    explicit TTracesHrmCurrDlg(QWidget* parent = nullptr);

    std::array<QCheckBox*, kTraceCount> AmpBoxes{};  // ChBoxEff1 to ChBoxEff6
    QGroupBox* GroupScale2;                          // "Y Axis (A)"

protected:
    void ShowTraceRows() override;
    void EnablePhases() override;
    void ResolveOffsets() override;
};
