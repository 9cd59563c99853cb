// A type-checked Format: a pattern's conversions filled from a list of values, each conversion
// refusing a value of the wrong kind. Conversions: %[-][width][.precision]type with the types
// d, u, x (whole numbers; precision = least digits), f (fixed; precision = decimals, 2 when not
// given), e, g (scientific and general; precision = significant digits, 15 when not given) and
// s (text; precision = most characters); "%%" is a percent sign. Numbers are written with "."
// whatever the locale. Used by the setup print's template and the setup editor's fields.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <variant>

using FormatValue = std::variant<std::int64_t, double, std::string>;

// The filled pattern; nothing, with the reason in *error, when a conversion is malformed or
// does not match its value, or the values and conversions differ in number.
std::optional<std::string> FormatPattern(std::string_view pattern, std::span<const FormatValue> values,
                                         std::string* error = nullptr);
inline std::optional<std::string> FormatPattern(std::string_view pattern, std::initializer_list<FormatValue> values,
                                                std::string* error = nullptr)
{
    return FormatPattern(pattern, std::span<const FormatValue>(values.begin(), values.size()), error);
}
