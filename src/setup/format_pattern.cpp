// The type-checked Format.
#include "setup/format_pattern.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace {
struct Conversion {
    bool left = false;
    std::size_t width = 0;
    std::optional<int> precision;
    char type = 0;
};

// Reads the conversion after a "%" at `at`; `at` ends past its type character.
std::optional<Conversion> ReadConversion(std::string_view pattern, std::size_t& at)
{
    Conversion c;
    auto digits = [&](std::size_t& value) {
        bool any = false;
        while (at < pattern.size() && std::isdigit(static_cast<unsigned char>(pattern[at]))) {
            value = value * 10 + static_cast<std::size_t>(pattern[at++] - '0');
            if (value > 1000) return false;  // no field is that wide
            any = true;
        }
        return any;
    };
    if (at < pattern.size() && pattern[at] == '-') {
        c.left = true;
        ++at;
    }
    digits(c.width);
    if (at < pattern.size() && pattern[at] == '.') {
        ++at;
        std::size_t precision = 0;
        if (!digits(precision)) return std::nullopt;
        c.precision = static_cast<int>(precision);
    }
    if (at >= pattern.size()) return std::nullopt;
    c.type = static_cast<char>(std::tolower(static_cast<unsigned char>(pattern[at++])));
    return c;
}

std::string Digits(std::uint64_t value, int base)
{
    std::array<char, 24> buffer{};
    auto [end, ec] = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, base);
    std::string text(buffer.data(), end);
    for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}

std::string Whole(std::int64_t value, const Conversion& c)
{
    const bool negative = c.type == 'd' && value < 0;
    const std::uint64_t magnitude = negative ? 0 - static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value);
    std::string digits = Digits(magnitude, c.type == 'x' ? 16 : 10);
    if (c.precision && digits.size() < static_cast<std::size_t>(*c.precision))
        digits.insert(0, static_cast<std::size_t>(*c.precision) - digits.size(), '0');
    return negative ? "-" + digits : digits;
}

std::string Real(double value, const Conversion& c)
{
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value < 0 ? "-INF" : "INF";
    if (value == 0) value = 0;  // no "-0.0"
    std::array<char, 1400> buffer{};  // the widest: 309 digits, a point and 1000 decimals
    char* first = buffer.data();
    char* last = buffer.data() + buffer.size();
    std::to_chars_result result{};
    if (c.type == 'f') {
        result = std::to_chars(first, last, value, std::chars_format::fixed, c.precision.value_or(2));
    } else {
        const int significant = std::max(1, c.precision.value_or(15));
        result = c.type == 'e' ? std::to_chars(first, last, value, std::chars_format::scientific, significant - 1)
                               : std::to_chars(first, last, value, std::chars_format::general, significant);
    }
    std::string text(first, result.ptr);
    for (char& ch : text) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return text;
}

const char* KindName(const FormatValue& value)
{
    return std::holds_alternative<std::int64_t>(value) ? "a whole number"
           : std::holds_alternative<double>(value)     ? "a floating value"
                                                       : "a text";
}

std::optional<std::string> Convert(const Conversion& c, const FormatValue& value)
{
    switch (c.type) {
    case 'd':
    case 'u':
    case 'x':
        if (const auto* v = std::get_if<std::int64_t>(&value)) return Whole(*v, c);
        return std::nullopt;
    case 'f':
    case 'e':
    case 'g':
        if (const auto* v = std::get_if<double>(&value)) return Real(*v, c);
        return std::nullopt;
    case 's':
        if (const auto* v = std::get_if<std::string>(&value))
            return c.precision ? v->substr(0, static_cast<std::size_t>(*c.precision)) : *v;
        return std::nullopt;
    default: return std::nullopt;
    }
}

std::nullopt_t Fail(std::string* error, std::string text)
{
    if (error) *error = std::move(text);
    return std::nullopt;
}
}  // namespace

std::optional<std::string> FormatPattern(std::string_view pattern, std::span<const FormatValue> values,
                                         std::string* error)
{
    std::string out;
    std::size_t next = 0;
    for (std::size_t at = 0; at < pattern.size();) {
        const char ch = pattern[at++];
        if (ch != '%') {
            out += ch;
            continue;
        }
        if (at < pattern.size() && pattern[at] == '%') {
            out += '%';
            ++at;
            continue;
        }
        const std::size_t start = at - 1;
        const std::optional<Conversion> c = ReadConversion(pattern, at);
        if (!c) at = std::min(at + 1, pattern.size());  // the character it stopped at belongs to it
        const std::string written(pattern.substr(start, at - start));
        if (!c || std::string_view("duxfegs").find(c->type) == std::string_view::npos)
            return Fail(error, "Format '" + written + "' is not a known conversion");
        if (next >= values.size()) return Fail(error, "Format '" + written + "' has no value");
        const std::optional<std::string> text = Convert(*c, values[next]);
        if (!text)
            return Fail(error, "Format '" + written + "' cannot show " + KindName(values[next]));
        ++next;
        const std::size_t pad = c->width > text->size() ? c->width - text->size() : 0;
        if (!c->left) out.append(pad, ' ');
        out += *text;
        if (c->left) out.append(pad, ' ');
    }
    if (next != values.size())
        return Fail(error, std::to_string(values.size() - next) + " value(s) left without a conversion");
    return out;
}
