// Locale-free label numbers: digits are rounded in decimal, halves away from zero.
#include "graph/axis.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {

// A finite non-zero magnitude as significant digits d1 d2 ... and the power of ten of d1.
struct Decimal {
    std::string Digits;
    int Exponent = 0;
};

Decimal ToDecimal(double magnitude)
{
    char buffer[64];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
    const std::string text(buffer, result.ptr);
    const std::size_t e = text.find('e');
    Decimal d;
    for (std::size_t i = 0; i < e; ++i)
        if (text[i] != '.') d.Digits += text[i];
    d.Exponent = std::atoi(text.c_str() + e + 1);
    return d;
}

// Keeps `count` leading digits (count may be 0 or negative: rounding above the first digit).
void RoundToDigits(Decimal& d, int count)
{
    if (count < 0) {
        d.Digits.clear();
        return;
    }
    if (static_cast<int>(d.Digits.size()) <= count) return;
    const bool up = d.Digits[static_cast<std::size_t>(count)] >= '5';
    d.Digits.resize(static_cast<std::size_t>(count));
    if (!up) return;
    int i = count - 1;
    while (i >= 0 && d.Digits[static_cast<std::size_t>(i)] == '9') d.Digits[static_cast<std::size_t>(i--)] = '0';
    if (i >= 0) {
        ++d.Digits[static_cast<std::size_t>(i)];
    } else {
        d.Digits.insert(d.Digits.begin(), '1');
        d.Digits.pop_back();
        if (d.Digits.empty()) d.Digits = "1";
        ++d.Exponent;
    }
}

bool AllZero(const std::string& digits) { return digits.find_first_not_of('0') == std::string::npos; }

constexpr int FixedPrecision = 5;

} // namespace

std::string FormatExponentLabel(double value)
{
    if (value == 0 || !std::isfinite(value)) return FormatFixedLabel(0, 1);
    Decimal d = ToDecimal(std::fabs(value));
    RoundToDigits(d, 2);
    while (d.Digits.size() < 2) d.Digits += '0';
    std::string out = value < 0 ? "-" : "";
    out += d.Digits[0];
    out += '.';
    out += d.Digits.substr(1);
    out += d.Exponent < 0 ? "E-" : "E+";
    out += std::to_string(std::abs(d.Exponent));
    return out;
}

std::string FormatFixedLabel(double value, int decimals)
{
    decimals = std::clamp(decimals, 0, 18);
    std::string digits;
    int exponent = 0;
    if (value != 0 && std::isfinite(value)) {
        Decimal d = ToDecimal(std::fabs(value));
        RoundToDigits(d, std::min(FixedPrecision, d.Exponent + 1 + decimals));
        if (!d.Digits.empty() && !AllZero(d.Digits)) {
            if (d.Exponent + 1 > FixedPrecision) return FormatExponentLabel(value);
            digits = d.Digits;
            exponent = d.Exponent;
        }
    }
    // Place the digits around the decimal point: digit i stands for 10^(exponent - i).
    std::string integer, fraction;
    if (digits.empty()) {
        integer = "0";
    } else {
        for (int p = std::max(exponent, 0); p >= 0; --p) {
            const int i = exponent - p;
            integer += (i >= 0 && i < static_cast<int>(digits.size())) ? digits[static_cast<std::size_t>(i)] : '0';
        }
    }
    for (int p = -1; p >= -decimals; --p) {
        const int i = exponent - p;
        fraction += (!digits.empty() && i >= 0 && i < static_cast<int>(digits.size())) ? digits[static_cast<std::size_t>(i)] : '0';
    }
    std::string out = (!digits.empty() && value < 0) ? "-" : "";
    out += integer;
    if (decimals > 0) out += "." + fraction;
    return out;
}
