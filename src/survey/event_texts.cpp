// Event record texts and colours.
#include "survey/event_texts.h"

#include "platform/little_endian.h"
#include "survey/data_layout.h"
#include "survey/number_text.h"
#include "survey/text_tables.h"
#include "survey/trace_colours.h"

using namespace event_codes;

const std::array<std::string_view, 14> EventTypeNames = {
    "", "Over", "Under", "Under", "Fast Variation", "Fast Variation V. Par.", "Fast Variation C. Par.", "Interruption",
    "Transients", "Under Pre-Interr.", "Under Post-Interr.", "Dummy Dips", "Under undefined", "Peak"};
const std::array<std::string_view, 14> EventMeasureNames = {
    "L1 Voltage", "L2 Voltage", "L3 Voltage", "Frequency", "Unbalance", "L1 Flicker", "L2 Flicker", "L3 Flicker",
    "L4 Voltage", "", "", "", "Voltage", "Multi Phase Voltage"};
const std::array<std::string_view, 12> EventUnitNames = {"", "V", "Hz", "%", "%", "p.u.", "W", "Var", "VA", "A", "%", " "};
const std::array<std::string_view, 16> DigitalInputNames = {
    "Digital input #1",  "Digital input #2",  "Digital input #3",  "Digital input #4",
    "Digital input #5",  "Digital input #6",  "Digital input #7",  "Digital input #8",
    "Digital input #9",  "Digital input #10", "Digital input #11", "Digital input #12",
    "Digital input #13", "Digital input #14", "Digital input #15", "Digital input #16"};
const std::array<std::string_view, 4> TransitionNames = {"Off-On", "On-Off", "Off-On-Off", "On-Off-On"};
const std::array<std::string_view, 9> PeakVoltageNames = {"L1 Voltage", "L2 Voltage", "L3 Voltage", "", "", "", "", "",
                                                          "L4 Voltage"};
const std::array<std::string_view, 6> PeakCurrentNames = {"L1 Current", "L2 Current", "L3 Current", "L4 Current", "", ""};
const std::array<std::string_view, 6> PowerEventNames = {"3Ph. Active Power", "3Ph. Reactive Power", "3Ph. Apparent Power",
                                                         "L1 Current",        "L2 Current",          "L3 Current"};
const std::array<std::string_view, 4> MultiPhaseLineNames = {"L1", "L2", "L3", "L4"};
const std::array<std::string_view, 2> UnderSubtypeNames = {"Under not real", "Under undefined"};

namespace {
template <std::size_t N>
std::string Entry(const std::array<std::string_view, N>& table, int index)
{
    if (index < 0 || index >= static_cast<int>(N)) return {};
    return std::string(table[static_cast<std::size_t>(index)]);
}

bool Within(int value, int low, int high) { return value >= low && value <= high; }

// "L1" ... "L3" of a harmonic channel's phase.
std::string HarmonicPhaseName(int offsetInRange) { return std::string(PhaseNames[static_cast<std::size_t>(offsetInRange % 3 + 1)]); }
}  // namespace

bool IsCurrentHarmonicVariant(std::int16_t type, std::int16_t channel)
{
    return type != SpecialUnder && Within(channel, 200, 299);
}

TEventFields EventFields(const TEventRawFields& raw)
{
    TEventFields e{raw.Type, raw.Channel, raw.Threshold, 0.0f, raw.Peak, raw.Duration};
    if (IsCurrentHarmonicVariant(raw.Type, raw.Channel)) {
        e.Threshold = static_cast<float>(raw.ThresholdWord / 100.0);
        e.Current = static_cast<float>(raw.CurrentWord / 10.0);
    }
    return e;
}

std::optional<TEventFields> EventFieldsOf(std::span<const std::uint8_t> record)
{
    FieldView f(record);
    TEventRawFields raw;
    raw.Type = f.I16(EventField::Type);
    raw.Threshold = f.F32(EventField::Threshold);
    raw.ThresholdWord = f.I16(EventField::Threshold);
    raw.CurrentWord = f.I16(EventField::Threshold + 2);
    raw.Duration = f.I32(EventField::Duration);
    raw.Peak = f.F32(EventField::Peak);
    raw.Channel = f.I16(EventField::Channel);
    if (!f.Ok()) return std::nullopt;
    return EventFields(raw);
}

bool EventHasRow(const TEventFields& e)
{
    if (Within(e.Channel, 300, 799)) return false;
    return e.Type != FastVariationVoltage && e.Type != DummyDips && e.Type != UnderUndefined && e.Type != PeakEvent;
}

void ApplyInterruptionRule(TEventFields& e)
{
    const bool phaseVoltage = Within(e.Channel, 0, 2);
    const bool under = e.Type == Under || e.Type == UnderOther;
    if (phaseVoltage && under && static_cast<double>(e.Threshold) / 0.9 * 0.01 >= static_cast<double>(e.Peak))
        e.Type = Interruption;
}

std::string EventDateText(TDateTime time) { return FormatShortDate(time) + " " + EventTimeText(time); }

std::string EventTimeText(TDateTime time)
{
    const DateTimeParts parts = DecodeDateTime(time);
    std::string hundredths = std::to_string(parts.millisecond);
    if (hundredths.size() < 2) hundredths.insert(0, 1, '0');
    return FormatDateTimePattern(time, "hh:mm:ss") + "." + hundredths;
}

std::string EventMeasureText(const TEventFields& e)
{
    const int t = e.Channel;
    if (Within(t, DigitalInputFirst, DigitalInputLast)) return Entry(DigitalInputNames, t - DigitalInputFirst);
    if (e.Type == CurrentPeak) return Entry(PeakCurrentNames, t - 153);
    if (e.Type == VoltagePeak) return Entry(PeakVoltageNames, t - 150);
    if (e.Type == SpecialUnder) return "Voltage";
    if (Within(t, 200, 299)) return HarmonicPhaseName(t - 200) + " " + CurrentHarmonicLabel((t - 200) / 3) + "(A)";
    if (Within(t, 150, 155)) return Entry(PowerEventNames, t - 150);
    if (t > MultiPhaseBase) {
        std::string lines;
        for (int bit = 0; bit < 4; ++bit)
            if ((t - MultiPhaseBase) & (1 << bit)) lines += MultiPhaseLineNames[static_cast<std::size_t>(bit)];
        return Entry(EventMeasureNames, 13) + " " + lines;
    }
    if (t >= 10) return HarmonicPhaseName(t - 10) + " " + HarmonicLabel((t - 10) / 3) + "(V)";
    return Entry(EventMeasureNames, t);
}

std::string EventTypeText(const TEventFields& e)
{
    const int m = e.Type;
    if (Within(m, 1, 13)) return Entry(EventTypeNames, m);
    if (m == VoltagePeak || m == CurrentPeak) return "Peak";
    if (m == SpecialUnder) return Entry(UnderSubtypeNames, e.Channel == 15 ? 1 : 0);
    if (Within(m, TransitionFirst, TransitionLast)) return Entry(TransitionNames, m - TransitionFirst);
    return {};
}

std::string EventUnitText(const TEventFields& e)
{
    if (e.Type == FastVariation || e.Type == SpecialUnder) return "%";
    if (e.Type < TransitionFirst) return Entry(EventUnitNames, ChannelClass(e.Channel));
    if (e.Channel > MultiPhaseBase) return "V";
    return {};
}

std::string EventThresholdText(const TEventFields& e) { return FormatEngineering(e.Threshold); }

std::optional<TFixedNumber> EventPeakNumber(const TEventFields& e)
{
    // Current harmonics from the fundamental on carry the current of the peak; THD (200-202) not.
    if (e.Type != SpecialUnder && Within(e.Channel, 203, 299)) return std::nullopt;
    return TFixedNumber{e.Peak, 2};
}

std::string EventPeakText(const TEventFields& e)
{
    if (const auto number = EventPeakNumber(e)) return FormatFixed(number->Value, number->Decimals);
    return FormatFixed(e.Peak, 2) + " (" + FormatFixed(e.Current, 1) + "A)";
}

TFixedNumber EventDurationNumber(const TEventFields& e)
{
    if (e.Type == SpecialUnder) return {0, 0};
    return {e.Duration / 100.0, 2};
}

std::string EventDurationText(const TEventFields& e)
{
    const TFixedNumber number = EventDurationNumber(e);
    return FormatFixed(number.Value, number.Decimals);
}

int EventColourClass(const TEventFields& e)
{
    const int t = e.Channel;
    if (e.Type == SpecialUnder) return 12;
    if (Within(t, 0, 2) || t == 8) return 12;
    if (t == 3) return 13;
    if (t == 4) return 6;
    if (Within(t, 5, 7)) return 3;
    if (Within(t, 10, 149)) return 1;
    if (Within(t, 150, 152)) return 5;
    if (Within(t, 153, 155)) return 9;
    if (Within(t, 200, 284)) return 2;
    if (Within(t, 800, 805)) return 8;
    if (Within(t, 1000, 1008)) return 12;
    return 0;
}

std::uint32_t EventColour(const TEventFields& e)
{
    return Palette16[static_cast<std::size_t>(EventColourClass(e))];
}
