// The energy traces dialog.
#include "views/traces_en_dlg.h"

#include "views/colour_grid.h"
#include "views/trace_settings.h"

#include <QComboBox>
#include <QGroupBox>

TTracesEnDlg::TTracesEnDlg(QWidget* parent) : TTracesDialogBase(parent)
{
    setWindowTitle("Energy Traces Settings");
    AddPhaseRows(1, "3Ph   L1    L2    L3  ", {kThreePhase, 0, 1, 2});
    ColorGrid->setToolTip("Trascinare sul nome della traccia per cambiare colore");
}

void TTracesEnDlg::SetTraces(const TTrendLayout& layout, const TTraceSettings& settings)
{
    columns_ = layout.Columns;
    perPhase_ = layout.PerPhase;
    ShowTraces(columns_.StatNames, settings);
}

bool TTracesEnDlg::RowPerPhase(std::size_t row) const
{
    const int item = Combos[row]->currentIndex();
    return item > 0 && EnergyColumnEntry(item, 0, perPhase_) != item;
}

void TTracesEnDlg::EnablePhases()
{
    for (std::size_t k = 0; k < Radios.size(); ++k) {
        const bool perPhase = !NoTrace[k] && RowPerPhase(k);
        EnablePhase(k, kThreePhase, !NoTrace[k]);
        for (int p = 0; p < 3; ++p) EnablePhase(k, p, perPhase);
    }
}

// An item without per-phase values is a total: its row takes 3Ph., so no greyed phase stays checked.
void TTracesEnDlg::TraceChosen(int row)
{
    const auto k = static_cast<std::size_t>(row);
    if (!RowPerPhase(k)) CheckPhase(k, kThreePhase);
}

void TTracesEnDlg::ResolveOffsets()
{
    for (TTraceEntry& e : Settings.Entries) ResolveEnergyTrace(e, columns_, perPhase_);
}
