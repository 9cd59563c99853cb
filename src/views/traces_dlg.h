// TTracesDlg: the traces dialog of the voltage, frequency, unbalance and flicker views and the
// waveform view: each trace is a statistic and a phase (L1, L2, L3 radios per row).
#pragma once

#include "views/traces_dialog_base.h"
#include "views/trend_layout.h"

struct TTrendMember;

class TTracesDlg : public TTracesDialogBase {
    Q_OBJECT
public:
    explicit TTracesDlg(QWidget* parent = nullptr);

    // A trend member's traces, edited modally from its layout; true with the new settings on OK.
    static bool EditTraces(QWidget* parent, const TTrendMember& member, const TTrendLayout& layout,
                           TTraceSettings& traces);

    // The captions of the measure's trend member; a measure without one keeps the design captions.
    void SetMeasure(bool threePhase, int measure);
    // Names: item 0 is "none".
    void SetTraces(const std::vector<std::string>& names, const TTraceSettings& settings, const TColumnTable& columns);
    // Channel sets 2 and 7 of the waveform view have three channels: lists 4 to 6 are off.
    void SetChannelSet(std::uint8_t channelSet);

protected:
    void ResolveOffsets() override;

private:
    int StatCount = 0;
    TColumnTable Columns{};
};
