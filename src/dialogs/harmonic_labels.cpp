// Harmonic-order labels.
#include "dialogs/harmonic_labels.h"

#include <climits>
#include <cstdint>

namespace {
std::string OrderLabel(int order)
{
    switch (order) {
    case 1: return "1st";
    case 2: return "2nd";
    case 3: return "3rd";
    default: return std::to_string(order) + "th";  // "11th", "21th" and "22th" alike
    }
}

int LabelDigits(const std::string& label)
{
    std::int64_t value = 0;
    int digits = 0;
    for (char c : label) {
        if (c < '0' || c > '9') continue;
        if (++digits > 10) break;
        value = value * 10 + (c - '0');
    }
    return value > INT_MAX ? INT_MAX : static_cast<int>(value);
}
}  // namespace

std::string HarmonicLabel(int order)
{
    return order == 0 ? "Thd" : OrderLabel(order);
}

std::string CurrentHarmonicLabel(int index)
{
    if (index == 0) return "Thd";
    if (index == 1) return "DC";
    return OrderLabel(index - 1);
}

int ParseHarmonicLabel(const std::string& label)
{
    if (!label.empty() && label[0] == 'T') return 0;
    return LabelDigits(label);
}

int ParseCurrentHarmonicLabel(const std::string& label)
{
    if (!label.empty() && label[0] == 'T') return 0;
    if (!label.empty() && label[0] == 'D') return 1;
    const int number = LabelDigits(label);
    return number == INT_MAX ? number : number + 1;
}
