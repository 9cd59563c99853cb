// TTracesHrmDlg: the traces dialog of the voltage-harmonics view. Each trace is a harmonic order
// (its block), a statistic of that block, whose list follows the block's own flags, and a phase.
#pragma once

#include "views/traces_dialog_base.h"
#include "views/trend_layout.h"

class TTracesHrmDlg : public TTracesDialogBase {
    Q_OBJECT
public:
    explicit TTracesHrmDlg(QWidget* parent = nullptr);

    // The blocks (order names, flags, statistics) and the phases the rows choose from, and the
    // settings: a trace's Extra is its block, Item its statistic in that block's list, Phase 0 to 2.
    void SetTraces(const TTrendLayout& layout, const TTraceSettings& settings);

    // A new order in row `index` (0 to 5): its statistics, set to "none".
    void CBoxHChange(int index);

    QLabel* LabelTitOrd;
    QLabel* LabelTitMeas;  // the trace lists' heading
    std::array<QComboBox*, kTraceCount> OrderLists{};  // CBoxH1 to CBoxH6

protected:
    // A twin with its own controls between the statistic lists and the phases puts the phase
    // radios in grid column `phaseColumn`.
    TTracesHrmDlg(QWidget* parent, int phaseColumn);

    void ShowTraceRows() override;
    void SetListColour(int index, std::uint32_t colour) override;
    void ResolveOffsets() override;
    // Statistic list `index` filled with the statistics of block `block` ("none" only for none).
    void FillStatNames(int index, int block);

    TTrendLayout layout_;
};
