// The statistic-and-phase traces dialog.
#include "views/traces_dlg.h"

#include "views/trace_settings.h"
#include "views/trend_member.h"

#include <QComboBox>
#include <QGroupBox>

TTracesDlg::TTracesDlg(QWidget* parent) : TTracesDialogBase(parent) { AddPhaseRows(1); }

bool TTracesDlg::EditTraces(QWidget* parent, const TTrendMember& member, const TTrendLayout& layout,
                            TTraceSettings& traces)
{
    TTracesDlg dialog(parent);
    dialog.SetMeasure(layout.ThreePhase, member.Measure);
    dialog.SetTraces(layout.Columns.StatNames, traces, layout.Columns.Columns);
    return dialog.RunModal(traces);
}

void TTracesDlg::SetMeasure(bool threePhase, int measure)
{
    ThreePhase = threePhase;
    const TTrendMember* member = TrendMemberOf(measure);
    if (!member || member->EditTraces != &TTracesDlg::EditTraces) return;
    GroupScale->setTitle(QString::fromStdString(member->DialogScaleCaption));
    setWindowTitle(QString::fromStdString(member->DialogCaption));
}

void TTracesDlg::SetTraces(const std::vector<std::string>& names, const TTraceSettings& settings, const TColumnTable& columns)
{
    Columns = columns;
    StatCount = static_cast<int>(names.size()) - 1;
    ShowTraces(names, settings);
}

void TTracesDlg::SetChannelSet(std::uint8_t channelSet)
{
    if (channelSet != 2 && channelSet != 7) return;
    for (std::size_t k = 3; k < Combos.size(); ++k) {
        Combos[k]->setCurrentIndex(0);
        Combos[k]->setEnabled(false);
        Settings.Entries[k].Item = 0;
    }
    ComboChange();
}

void TTracesDlg::ResolveOffsets() { ::ResolveOffsets(Settings, Columns, StatCount); }
