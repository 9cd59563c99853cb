// TTracesWDlg: the traces dialog of the powers-and-currents view. Each trace is a power (3Ph.,
// on the powers' axis) or a current of one of the phases the record holds (on the currents'
// axis); each axis has its scale group.
#pragma once

#include "views/traces_dialog_base.h"
#include "views/trend_layout.h"

class TTracesWDlg : public TTracesDialogBase {
    Q_OBJECT
public:
    explicit TTracesWDlg(QWidget* parent = nullptr);

    // The items, their columns, axes and units, and the current phases beyond L1 the rows choose
    // from; the settings, whose shown flags enable each axis group.
    void SetTraces(const TTrendLayout& layout, const TTraceSettings& settings);

    QGroupBox* GroupScale2;  // "Currents Y Axis"

protected:
    void EnablePhases() override;
    void TraceChosen(int row) override;
    void ResolveOffsets() override;

private:
    // The axis (1 or 2) of row `row`'s item.
    int RowAxis(std::size_t row) const;

    TTrendColumns columns_;
    int extraCurrentPhases_ = 0;
};
