// The statistic-and-phase traces dialog.
#include "views/traces_dlg.h"

#include "views/trace_settings.h"
#include "views/trend_member.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QGroupBox>
#include <QRadioButton>

TTracesDlg::TTracesDlg(QWidget* parent) : TTracesDialogBase(parent)
{
    GroupFase = new QGroupBox("  L1    L2    L3  ", this);
    const TRadioRows rows = AddRadioRows(GroupFase);
    for (std::size_t k = 0; k < kTraceCount; ++k) {
        for (std::size_t p = 0; p < 3; ++p) {
            Radios[k][p] = rows.Radios[k][p];
            Radios[k][p]->setObjectName(QString("Radio%1L%2").arg(k + 1).arg(p + 1));
        }
        rowGroups_[k] = rows.Groups[k];
    }
}

bool TTracesDlg::EditTraces(QWidget* parent, const TTrendMember& member, const TTrendLayout& layout,
                            TTraceSettings& traces)
{
    TTracesDlg dialog(parent);
    dialog.SetMeasure(layout.ThreePhase, member.Measure);
    dialog.SetTraces(layout.Columns.StatNames, traces, layout.Columns.Columns);
    if (dialog.exec() != QDialog::Accepted) return false;
    dialog.GetTraceSettings(traces);
    return true;
}

void TTracesDlg::SetMeasure(bool threePhase, int measure)
{
    ThreePhase = threePhase;
    const TTrendMember* member = TrendMemberOf(measure);
    if (!member) return;
    GroupScale->setTitle(QString::fromStdString(member->DialogScaleCaption));
    setWindowTitle(QString::fromStdString(member->DialogCaption));
}

void TTracesDlg::SetTraces(const std::vector<std::string>& names, const TTraceSettings& settings, const TColumnTable& columns)
{
    Settings = settings;
    Columns = columns;
    StatCount = static_cast<int>(names.size()) - 1;
    for (int k = 0; k < kTraceCount; ++k) SetListItems(k, names);
    FormActivate();
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

void TTracesDlg::EnablePhases()
{
    for (std::size_t k = 0; k < Radios.size(); ++k) {
        Radios[k][0]->setEnabled(!NoTrace[k]);
        Radios[k][1]->setEnabled(ThreePhase && !NoTrace[k]);
        Radios[k][2]->setEnabled(ThreePhase && !NoTrace[k]);
    }
}

void TTracesDlg::ShowPhases()
{
    for (std::size_t k = 0; k < Radios.size(); ++k) {
        const int phase = Settings.Entries[k].Phase;
        if (phase >= 0 && phase <= 2) Radios[k][static_cast<std::size_t>(phase)]->setChecked(true);
    }
}

void TTracesDlg::ReadPhases()
{
    for (std::size_t k = 0; k < Radios.size(); ++k) Settings.Entries[k].Phase = std::max(0, rowGroups_[k]->checkedId());
}

void TTracesDlg::ResolveOffsets() { ::ResolveOffsets(Settings, Columns, StatCount); }
