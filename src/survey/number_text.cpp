// Number texts on std::to_chars / std::from_chars.
#include "survey/number_text.h"

#include "platform/messages.h"
#include "platform/no_value_text.h"

#include <charconv>
#include <cmath>
#include <limits>

namespace {
std::string OrdinalLabel(int n)
{
    switch (n) {
    case 1: return "1st";
    case 2: return "2nd";
    case 3: return "3rd";
    default: return std::to_string(n) + "th";
    }
}

// The digits of a text in order, at most ten of them; -1 without any.
std::int64_t DigitsValue(const std::string& s)
{
    std::int64_t value = 0;
    int digits = 0;
    for (char c : s) {
        if (c < '0' || c > '9') continue;
        if (digits == 10) break;
        value = value * 10 + (c - '0');
        ++digits;
    }
    return digits == 0 ? -1 : value;
}

int ClampToInt(std::int64_t v)
{
    return v > std::numeric_limits<int>::max() ? std::numeric_limits<int>::max() : static_cast<int>(v);
}

std::string Trimmed(const std::string& s)
{
    const auto first = s.find_first_not_of(" \t");
    if (first == std::string::npos) return {};
    const auto last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

// A whole number loses its decimals: from the first "." up to the prefix (or blank + prefix).
std::string DropWholeDecimals(std::string text, double v, std::size_t suffixLength)
{
    if (v != std::floor(v)) return text;
    const auto dot = text.find('.');
    if (dot == std::string::npos) return text;
    const std::size_t end = text.size() - std::min(suffixLength, text.size());
    if (end > dot) text.erase(dot, end - dot);
    return text;
}

std::string CutTo20(std::string text)
{
    if (text.size() > 20) text.resize(20);
    return text;
}

// The decimals of the "%3.1f", "%2.2f", "%1.3f" patterns by magnitude.
int DecimalsFor(double v, double oneDecimalFrom)
{
    const double a = std::fabs(v);
    return a >= oneDecimalFrom ? 1 : a >= 10 ? 2 : 3;
}
}  // namespace

std::string FormatFixed(double value, int decimals)
{
    if (!std::isfinite(value)) return std::string(kNoValueText);
    char buffer[400];
    auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, decimals);
    return std::string(buffer, result.ptr);
}

std::string HarmonicLabel(int Order) { return Order == 0 ? "Thd" : OrdinalLabel(Order); }

std::string CurrentHarmonicLabel(int Index)
{
    if (Index == 0) return "Thd";
    if (Index == 1) return "DC";
    return OrdinalLabel(Index - 1);
}

int ParseHarmonicLabel(const std::string& S)
{
    if (!S.empty() && S[0] == 'T') return 0;
    return ClampToInt(DigitsValue(S));
}

int ParseCurrentHarmonicLabel(const std::string& S)
{
    if (!S.empty() && S[0] == 'T') return 0;
    if (!S.empty() && S[0] == 'D') return 1;
    const std::int64_t v = DigitsValue(S);
    return v < 0 ? -1 : ClampToInt(v + 1);
}

std::string FormatEngineering(float Value)
{
    if (!std::isfinite(Value)) return std::string(kNoValueText);
    double v = Value;
    std::string prefix;
    if (std::fabs(v) >= 1000000.0) {
        v /= 1000000.0;
        prefix = "M";
    } else if (std::fabs(v) >= 1000.0) {
        v /= 1000.0;
        prefix = "k";
    }
    std::string text = CutTo20(FormatFixed(v, DecimalsFor(v, 100)) + prefix);
    return DropWholeDecimals(text, v, prefix.size());
}

std::string FormatEngineeringUnit(const std::string& ScaleName, const std::string& UnitName, float Value)
{
    if (!std::isfinite(Value)) return std::string(kNoValueText);
    const double v = Value;
    std::string prefix;
    if (UnitName != "A") prefix = ScaleName == "MVolt" ? "M" : ScaleName == "kVolt" ? "k" : "";
    std::string text = CutTo20(FormatFixed(v, DecimalsFor(v, 1000)) + " " + prefix);
    return DropWholeDecimals(text, v, prefix.size() + 1);
}

bool TryStrToSingle(const std::string& S, float& V)
{
    std::string text = Trimmed(S);
    if (!text.empty() && text[0] == '+') text.erase(0, 1);
    double value = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool ok = !text.empty() && ec == std::errc() && end == text.data() + text.size() && std::isfinite(value) &&
                    std::fabs(value) <= std::numeric_limits<float>::max();
    if (!ok) {
        ShowError("Invalid float conversion");
        V = 0;
        return false;
    }
    V = static_cast<float>(value);
    return true;
}

bool TryStrToWord(const std::string& S, std::uint16_t& V)
{
    std::string text = Trimmed(S);
    if (!text.empty() && text[0] == '+') text.erase(0, 1);
    long long value = -1;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
    const bool ok = !text.empty() && ec == std::errc() && end == text.data() + text.size() && value >= 0 && value <= 65535;
    if (!ok) {
        ShowError("Invalid integer conversion");
        V = 0;
        return false;
    }
    V = static_cast<std::uint16_t>(value);
    return true;
}

std::int16_t PeriodToMinutes(std::int16_t Period)
{
    switch (Period) {
    case 60: return 1;
    case 300: return 5;
    case 600: return 10;
    case 900: return 15;
    case 1800: return 30;
    case 3600: return 60;
    default: return Period;
    }
}
