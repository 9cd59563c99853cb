// The current-harmonics traces dialog.
#include "views/traces_hrm_curr_dlg.h"

#include "views/colour_grid.h"
#include "views/harmonic_layout.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>

TTracesHrmCurrDlg::TTracesHrmCurrDlg(QWidget* parent) : TTracesHrmDlg(parent, 3)
{
    for (int k = 0; k < kTraceCount; ++k) {
        auto* box = new QCheckBox("Amp.", this);
        box->setObjectName(QString("ChBoxEff%1").arg(k + 1));
        box->setToolTip("Asse Y scala in Ampere");
        box->setEnabled(false);
        AmpBoxes[static_cast<std::size_t>(k)] = box;
        TraceRows()->addWidget(box, k + 1, 2);
    }
    GroupScale2 = AddAxisGroup("Y Axis (A)").Group;
    ColorGrid->setToolTip("Trascinare sul nome della misura per cambiare colore");
}

void TTracesHrmCurrDlg::ShowTraceRows()
{
    TTracesHrmDlg::ShowTraceRows();
    for (std::size_t k = 0; k < AmpBoxes.size(); ++k) AmpBoxes[k]->setChecked(Settings.Entries[k].AxisIndex == 2);
}

// A row without statistic greys its box too, keeping its tick.
void TTracesHrmCurrDlg::EnablePhases()
{
    TTracesHrmDlg::EnablePhases();
    for (std::size_t k = 0; k < AmpBoxes.size(); ++k) AmpBoxes[k]->setEnabled(!NoTrace[k]);
}

void TTracesHrmCurrDlg::ResolveOffsets()
{
    for (std::size_t k = 0; k < Settings.Entries.size(); ++k) {
        TTraceEntry& e = Settings.Entries[k];
        e.Extra = std::max(0, OrderLists[k]->currentIndex());
        e.Offset = e.Item > 0 ? CurrentHarmonicValueOffset(layout_, e.Extra, e.Item, e.Phase) : 0;
        e.AxisIndex = AmpBoxes[k]->isChecked() ? 2 : 1;
    }
}
