// The powers-and-currents traces dialog.
#include "views/traces_w_dlg.h"

#include "views/colour_grid.h"
#include "views/trace_settings.h"

#include <QComboBox>
#include <QGroupBox>

TTracesWDlg::TTracesWDlg(QWidget* parent) : TTracesDialogBase(parent)
{
    setWindowTitle("Power & Current Traces Settings");
    AddPhaseRows(1, "3Ph   L1    L2    L3  ", {kThreePhase, 0, 1, 2});
    GroupScale->setTitle("Powers Y Axis");
    GroupScale2 = AddAxisGroup("Currents Y Axis").Group;
}

void TTracesWDlg::SetTraces(const TTrendLayout& layout, const TTraceSettings& settings)
{
    columns_ = layout.Columns;
    extraCurrentPhases_ = layout.ExtraCurrentPhases;
    // An axis the file holds nothing for cannot be scaled.
    GroupScale->setEnabled(settings.Axis1Shown);
    GroupScale2->setEnabled(settings.Axis2Shown);
    ShowTraces(columns_.StatNames, settings);
}

int TTracesWDlg::RowAxis(std::size_t row) const
{
    const int item = Combos[row]->currentIndex();
    return item > 0 && item < kColumnEntries ? columns_.Axes[static_cast<std::size_t>(item)] : 1;
}

void TTracesWDlg::EnablePhases()
{
    for (std::size_t k = 0; k < Radios.size(); ++k) {
        const bool current = !NoTrace[k] && RowAxis(k) == 2;
        EnablePhase(k, kThreePhase, !NoTrace[k] && !current);
        EnablePhase(k, 0, current);
        EnablePhase(k, 1, current && extraCurrentPhases_ >= 1);
        EnablePhase(k, 2, current && extraCurrentPhases_ >= 2);
    }
}

// A power (or "none") takes 3Ph.; a current leaving 3Ph. takes L1.
void TTracesWDlg::TraceChosen(int row)
{
    const auto k = static_cast<std::size_t>(row);
    if (RowAxis(k) == 1) CheckPhase(k, kThreePhase);
    else if (PhaseChecked(k, kThreePhase)) CheckPhase(k, 0);
}

void TTracesWDlg::ResolveOffsets()
{
    for (TTraceEntry& e : Settings.Entries) ResolvePowerTrace(e, columns_, extraCurrentPhases_);
}
