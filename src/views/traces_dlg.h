// TTracesDlg: the traces dialog of the voltage, frequency, unbalance and flicker views and the
// waveform view: each trace is a statistic and a phase (L1, L2, L3 radios per row).
#pragma once

#include "views/traces_dialog_base.h"

class QButtonGroup;
class QRadioButton;

class TTracesDlg : public TTracesDialogBase {
    Q_OBJECT
public:
    explicit TTracesDlg(QWidget* parent = nullptr);

    // Captions by measure: 1 voltage, 2 frequency, 3 unbalance, 5 flicker; others keep the
    // design captions.
    void SetMeasure(bool threePhase, int measure);
    // Names: item 0 is "none".
    void SetTraces(const std::vector<std::string>& names, const TTraceSettings& settings, const TColumnTable& columns);
    // Channel sets 2 and 7 of the waveform view have three channels: lists 4 to 6 are off.
    void SetChannelSet(std::uint8_t channelSet);

    QGroupBox* GroupFase;
    // Radios[row][phase], rows 0 to 5.
    std::array<std::array<QRadioButton*, 3>, kTraceCount> Radios{};

protected:
    void EnablePhases() override;
    void ShowPhases() override;
    void ReadPhases() override;
    void ResolveOffsets() override;

private:
    bool ThreePhase = false;
    int StatCount = 0;
    TColumnTable Columns{};
    std::array<QButtonGroup*, kTraceCount> rowGroups_{};
};
