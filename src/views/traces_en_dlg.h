// TTracesEnDlg: the traces dialog of the energy view. Each trace is an energy total (3Ph.), or,
// in a file with per-phase energies, the received or delivered active energy of L1, L2 or L3.
#pragma once

#include "views/traces_dialog_base.h"
#include "views/trend_layout.h"

class TTracesEnDlg : public TTracesDialogBase {
    Q_OBJECT
public:
    explicit TTracesEnDlg(QWidget* parent = nullptr);

    // The energies, their columns and units, whether the file holds per-phase energies, and the
    // settings.
    void SetTraces(const TTrendLayout& layout, const TTraceSettings& settings);

protected:
    void EnablePhases() override;
    void TraceChosen(int row) override;
    void ResolveOffsets() override;

private:
    // Row `row`'s item may be read per phase.
    bool RowPerPhase(std::size_t row) const;

    TTrendColumns columns_;
    bool perPhase_ = false;
};
