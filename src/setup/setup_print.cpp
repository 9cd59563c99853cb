// The setup print's values and the template's filling.
#include "setup/setup_print.h"

#include "platform/file_io.h"
#include "setup/setup_rules.h"
#include "setup/setup_texts.h"
#include "survey/text_tables.h"

namespace {
// Lines of the template: the first of each run of values.
constexpr int kPathLine = 3, kTitleLine = 4, kNominalLine = 7, kWiringLine = 8;
constexpr int kVoltagePeriodLine = 14, kVoltageSwitchLine = 19, kSamplesLine = 27;
constexpr int kFrequencyPeriodLine = 30, kFrequencySwitchLine = 34;
constexpr int kUnbalancePeriodLine = 43, kUnbalanceSwitchLine = 46;
constexpr int kHarmonicPeriodLine = 55, kHarmonicLimitLine = 57, kHarmonicGlobalLine = 83, kHarmonicSwitchLine = 85;
constexpr int kCurrentPeriodLine = 137, kCurrentLimitLine = 139, kCurrentGlobalLine = 166, kCurrentSwitchLine = 168;
constexpr int kFlickerPeriodLine = 196, kFlickerSwitchLine = 200;
constexpr int kPowerPeriodLine = 207, kPowerSwitchLine = 214;
constexpr int kStartLine = 225;

FormatValue Text(std::string_view text) { return std::string(text); }
FormatValue Number(float value) { return static_cast<double>(value); }
FormatValue YesNo(bool set) { return Text(YesNoNames[set ? 1 : 0]); }
FormatValue Switch(std::uint16_t word, int bit) { return YesNo((word >> bit) & 1u); }
FormatValue Period(std::int16_t index) { return ChoiceText(ObservationPeriodNames, index); }

class Lines {
public:
    void Add(int line, std::vector<FormatValue> values) { lines_.push_back({line, std::move(values)}); }
    // One line per switch bit, from `line` on.
    void AddSwitches(int line, std::uint16_t word, int bits)
    {
        for (int bit = 0; bit < bits; ++bit) Add(line + bit, {Switch(word, bit)});
    }
    // One line per harmonic index but the fundamental, from `line` on.
    template <typename Values>
    void AddHarmonics(int line, int count, int fundamental, Values values)
    {
        for (int index = 0; index < count; ++index)
            if (index != fundamental) Add(line++, values(static_cast<std::size_t>(index)));
    }
    std::vector<TTemplateLine> Take() { return std::move(lines_); }

private:
    std::vector<TTemplateLine> lines_;
};

// The date and time texts of a recorder stamp; both empty without a date.
std::vector<FormatValue> StampTexts(const TPackedDate& date, const TPackedTimeEx& time)
{
    const std::optional<TDateTime> stamp = RecorderStamp(date, time);
    if (!stamp) return {Text(""), Text("")};
    return {FormatShortDate(*stamp), FormatLongTime(*stamp)};
}
}  // namespace

std::vector<TTemplateLine> SetupPrintValues(const TSetupRecord& s, const TSetupPrintInputs& inputs)
{
    Lines lines;
    lines.Add(kPathLine, {inputs.Path});
    lines.Add(kTitleLine, {inputs.Title});
    lines.Add(kNominalLine, {Number(s.VNom)});
    lines.Add(kWiringLine, {ChoiceText(WiringNames, s.Wiring)});
    lines.Add(kWiringLine + 1, {ChoiceText(PrinterNames, s.Printer)});
    lines.Add(kWiringLine + 2, {ChoiceText(MeterModeNames, s.MeterMode)});
    lines.Add(kWiringLine + 3, {ChoiceText(NominalFrequencyNames, s.Frequency)});

    lines.Add(kVoltagePeriodLine, {Period(s.VPeriod)});
    lines.Add(kVoltagePeriodLine + 1, {Number(s.VLow)});
    lines.Add(kVoltagePeriodLine + 2, {Number(s.VHigh)});
    lines.Add(kVoltagePeriodLine + 3, {Number(s.VDelta)});
    lines.AddSwitches(kVoltageSwitchLine, s.VFlags, 8);
    lines.Add(kSamplesLine, {ChoiceText(VoltageSamplesNames, inputs.SamplesChoice)});

    lines.Add(kFrequencyPeriodLine, {Period(s.HzPeriod)});
    lines.Add(kFrequencyPeriodLine + 1, {Number(s.HzLow)});
    lines.Add(kFrequencyPeriodLine + 2, {Number(s.HzHigh)});
    lines.AddSwitches(kFrequencySwitchLine, s.HzFlags, 7);

    lines.Add(kUnbalancePeriodLine, {Period(s.UnbPeriod)});
    lines.Add(kUnbalancePeriodLine + 1, {Number(s.UnbHigh)});
    lines.AddSwitches(kUnbalanceSwitchLine, s.UnbFlags, 7);

    lines.Add(kHarmonicPeriodLine, {Period(s.HPeriod)});
    lines.Add(kHarmonicPeriodLine + 1, {ChoiceText(EstimationModeNames, s.HMode)});
    lines.AddHarmonics(kHarmonicLimitLine, kVoltageHarmonicLimits, kVoltageFundamental,
                       [&](std::size_t i) { return std::vector<FormatValue>{Number(s.HHigh[i])}; });
    lines.Add(kHarmonicGlobalLine, {YesNo(s.HGlobal != 0)});
    lines.AddHarmonics(kHarmonicSwitchLine, kVoltageHarmonicSwitches, kVoltageFundamental, [&](std::size_t i) {
        std::vector<FormatValue> values;
        for (int bit = 0; bit < 7; ++bit) values.push_back(Switch(s.HFlags[i], bit));
        return values;
    });

    lines.Add(kCurrentPeriodLine, {Period(s.HiPeriod)});
    lines.Add(kCurrentPeriodLine + 1, {Number(s.HiThreshold)});
    lines.AddHarmonics(kCurrentLimitLine, kCurrentHarmonicEntries, kCurrentFundamental,
                       [&](std::size_t i) { return std::vector<FormatValue>{Number(s.HiHigh[i])}; });
    lines.Add(kCurrentGlobalLine, {YesNo(s.HiGlobal != 0)});
    lines.AddHarmonics(kCurrentSwitchLine, kCurrentHarmonicEntries, kCurrentFundamental, [&](std::size_t i) {
        return std::vector<FormatValue>{Switch(s.HiFlags[i], 0), Switch(s.HiFlags[i], 1), Switch(s.HiFlags[i], 2)};
    });

    lines.Add(kFlickerPeriodLine, {Period(s.FlkPeriod)});
    lines.Add(kFlickerPeriodLine + 1, {Number(s.FlkHigh)});
    lines.Add(kFlickerPeriodLine + 2, {std::int64_t{s.FlkPlt}});
    lines.AddSwitches(kFlickerSwitchLine, s.FlkFlags, 5);

    lines.Add(kPowerPeriodLine, {Period(s.WPeriod)});
    for (int k = 0; k < kPowerLimits; ++k) lines.Add(kPowerPeriodLine + 1 + k, {Number(s.WHigh[static_cast<std::size_t>(k)])});
    lines.Add(kPowerPeriodLine + 5, {ChoiceText(CurrentWiringNames, s.WCurrent)});
    lines.AddSwitches(kPowerSwitchLine, s.WFlags, 9);

    lines.Add(kStartLine, StampTexts(s.StartDate, s.StartTime));
    lines.Add(kStartLine + 1, StampTexts(s.StopDate, s.StopTime));
    return lines.Take();
}

std::optional<std::vector<std::string>> FillSetupTemplate(std::vector<std::string> lines, const TSetupRecord& setup,
                                                          const TSetupPrintInputs& inputs, std::string* error)
{
    for (const TTemplateLine& entry : SetupPrintValues(setup, inputs)) {
        const std::size_t at = static_cast<std::size_t>(entry.Line);
        if (at >= lines.size()) {
            if (error) *error = "The print template ends before its line " + std::to_string(entry.Line) + ".";
            return std::nullopt;
        }
        std::string reason;
        std::optional<std::string> filled = FormatPattern(lines[at], entry.Values, &reason);
        if (!filled) {
            if (error) *error = "The print template's line " + std::to_string(entry.Line) + " does not fit its values: " + reason + ".";
            return std::nullopt;
        }
        lines[at] = std::move(*filled);
    }
    return lines;
}

std::optional<std::vector<std::string>> ReadTemplateLines(const std::string& path)
{
    // A template is a page of text; anything larger is not one.
    constexpr std::uint64_t kMaxTemplateBytes = 1 << 20;
    const std::optional<Bytes> bytes = ReadWholeFile(path, kMaxTemplateBytes);
    if (!bytes) return std::nullopt;
    std::vector<std::string> lines;
    std::string line;
    for (std::uint8_t b : *bytes) {
        if (b == '\n') {
            if (!line.empty() && line.back() == '\r') line.pop_back();
            lines.push_back(std::move(line));
            line.clear();
        } else {
            line += static_cast<char>(b);
        }
    }
    if (!line.empty()) lines.push_back(std::move(line));
    return lines;
}
