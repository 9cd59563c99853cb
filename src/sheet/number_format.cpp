// Display texts of numbers under Excel-style formats: General, digit placeholders with sections,
// percent, thousands and exponent, and day/month/year and time codes of date-time serials.
#include "sheet/number_format.h"

#include "platform/date_time.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <vector>

namespace {
constexpr int kMostDecimals = 30;

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string ToChars(double v, std::chars_format form, int precision)
{
    std::array<char, 64> buf;
    auto res = std::to_chars(buf.data(), buf.data() + buf.size(), v, form, precision);
    return std::string(buf.data(), res.ptr);
}

// At most `digits` significant digits, in the exponent form "1.2E+05" where that is shorter.
std::string GeneralDigits(double v, int digits)
{
    std::string s = ToChars(v, std::chars_format::general, digits);
    for (char& c : s)
        if (c == 'e') c = 'E';
    return s;
}

std::string GeneralText(double v)
{
    if (!std::isfinite(v)) return "#NUM!";
    if (v == 0) return "0";  // negative zero too
    if (v == std::floor(v) && std::fabs(v) < 1e11) return ToChars(v, std::chars_format::fixed, 0);
    // Eleven integer digits fill the cell: shown whole, not as "1.222222222E+10", which would
    // read back as another number.
    if (const double whole = std::fabs(std::round(v)); whole >= 1e10 && whole < 1e11) return ToChars(std::round(v), std::chars_format::fixed, 0);
    return GeneralDigits(v, 10);
}

// Splits at ";" outside quotes and escapes.
std::vector<std::string> Sections(const std::string& format)
{
    std::vector<std::string> out(1);
    bool quoted = false;
    for (std::size_t i = 0; i < format.size(); ++i) {
        char c = format[i];
        if (c == '"') quoted = !quoted;
        if (!quoted && c == '\\' && i + 1 < format.size()) {
            out.back() += c;
            out.back() += format[++i];
            continue;
        }
        if (!quoted && c == ';') out.emplace_back();
        else out.back() += c;
    }
    return out;
}


// One piece of a format section: a literal text or a code.
struct Token {
    bool literal;
    std::string text;
};

std::vector<Token> Tokenize(const std::string& section)
{
    std::vector<Token> tokens;
    auto literal = [&](const std::string& t) {
        if (!tokens.empty() && tokens.back().literal) tokens.back().text += t;
        else tokens.push_back({true, t});
    };
    for (std::size_t i = 0; i < section.size(); ++i) {
        char c = section[i];
        if (IsGeneralFormat(section.substr(i, 7)) && section.size() - i >= 7) {
            tokens.push_back({false, "General"});
            i += 6;
        } else if (c == '"') {
            std::size_t end = section.find('"', i + 1);
            if (end == std::string::npos) end = section.size();
            literal(section.substr(i + 1, end - i - 1));
            i = end;
        } else if (c == '\\' && i + 1 < section.size()) {
            literal(std::string(1, section[++i]));
        } else if (c == '[') {  // colour or condition: not shown
            std::size_t end = section.find(']', i);
            i = end == std::string::npos ? section.size() : end;
        } else if (c == '_' && i + 1 < section.size()) {
            literal(" ");
            ++i;
        } else if (c == '*' && i + 1 < section.size()) {
            ++i;  // fill character: not repeated in a text
        } else {
            char l = Lower(c);
            if (l == 'y' || l == 'm' || l == 'd' || l == 'h' || l == 's') {
                std::size_t j = i;
                while (j < section.size() && Lower(section[j]) == l) ++j;
                tokens.push_back({false, std::string(j - i, l)});
                i = j - 1;
            } else if (section.compare(i, 5, "AM/PM") == 0 || section.compare(i, 5, "am/pm") == 0) {
                tokens.push_back({false, "ampm"});
                i += 4;
            } else if (l == 'e' && i + 1 < section.size() && (section[i + 1] == '+' || section[i + 1] == '-')) {
                tokens.push_back({false, section.substr(i, 2)});
                ++i;
            } else if (c == '0' || c == '#' || c == '?' || c == '.' || c == ',' || c == '%' || c == '@') {
                tokens.push_back({false, std::string(1, c)});
            } else {
                literal(std::string(1, c));
            }
        }
    }
    return tokens;
}

bool IsDateToken(const Token& t)
{
    return !t.literal && (t.text[0] == 'y' || t.text[0] == 'm' || t.text[0] == 'd' || t.text[0] == 'h' ||
                          t.text[0] == 's' || t.text == "ampm");
}

// "m" right after an hour or right before a second is the minute, else the month.
bool IsMinute(const std::vector<Token>& tokens, std::size_t i)
{
    for (std::size_t j = i; j-- > 0;)
        if (!tokens[j].literal) {
            if (tokens[j].text[0] == 'h') return true;
            break;
        }
    for (std::size_t j = i + 1; j < tokens.size(); ++j)
        if (!tokens[j].literal) return tokens[j].text[0] == 's';
    return false;
}

std::string TwoDigits(long v) { return (v < 10 ? "0" : "") + std::to_string(v); }

std::string FormatDate(double serial, const std::vector<Token>& tokens)
{
    static const char* kMonths[] = {"January", "February", "March", "April", "May", "June", "July",
                                    "August", "September", "October", "November", "December"};
    static const char* kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    if (!std::isfinite(serial) || serial < 0 || serial > 2958465.0) return "#######";
    // Shown to the whole second; the fields come from the program's one date-time decoding.
    const long long totalSeconds = std::llround(serial * 86400.0);
    const long long days = totalSeconds / 86400;
    const DateTimeParts parts = DecodeDateTime(static_cast<double>(totalSeconds) / 86400.0);
    const long year = parts.year, month = parts.month, day = parts.day;
    const long hour = parts.hour, minute = parts.minute, second = parts.second;
    const long weekday = static_cast<long>((days + 6) % 7);  // 30/12/1899 was a Saturday
    bool twelveHour = false;
    for (const Token& t : tokens) twelveHour = twelveHour || t.text == "ampm";

    std::string out;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.literal || !IsDateToken(t)) {
            out += t.text;
            continue;
        }
        char kind = t.text[0];
        std::size_t n = t.text.size();
        if (kind == 'm') {
            if (IsMinute(tokens, i)) out += n >= 2 ? TwoDigits(minute) : std::to_string(minute);
            else if (n >= 4) out += kMonths[month - 1];
            else if (n == 3) out += std::string(kMonths[month - 1]).substr(0, 3);
            else out += n == 2 ? TwoDigits(month) : std::to_string(month);
        } else if (kind == 'y') {
            out += n <= 2 ? TwoDigits(year % 100) : std::to_string(year);
        } else if (kind == 'd') {
            if (n >= 4) out += kDays[weekday];
            else if (n == 3) out += std::string(kDays[weekday]).substr(0, 3);
            else out += n == 2 ? TwoDigits(day) : std::to_string(day);
        } else if (kind == 'h') {
            long h = twelveHour ? (hour % 12 == 0 ? 12 : hour % 12) : hour;
            out += n >= 2 ? TwoDigits(h) : std::to_string(h);
        } else if (kind == 's') {
            out += n >= 2 ? TwoDigits(second) : std::to_string(second);
        } else {
            out += hour < 12 ? "AM" : "PM";
        }
    }
    return out;
}

// Fixed text of a non-negative value with `decimals` digits, rounded half away from zero on its
// 15-digit decimal form (as a spreadsheet shows 3.25 as 3.3 and 1.005 as 1.01). Built in a local
// buffer: column fitting formats every number of a sheet.
std::string FixedText(double v, int decimals)
{
    decimals = std::clamp(decimals, 0, kMostDecimals);
    std::array<char, 32> sci;
    const char* sciEnd = std::to_chars(sci.data(), sci.data() + sci.size(), v, std::chars_format::scientific, 14).ptr;
    const char* e = std::find(static_cast<const char*>(sci.data()), sciEnd, 'e');
    int exponent = 0;
    if (e + 1 < sciEnd) std::from_chars(e + 1 + (e[1] == '+' ? 1 : 0), sciEnd, exponent);
    // The 15 significant digits, the decimal point standing `point` digits in.
    std::array<char, 512> digits;
    int n = 0;
    int point = exponent + 1;
    for (; point < 0; ++point) digits[static_cast<std::size_t>(n++)] = '0';
    digits[static_cast<std::size_t>(n++)] = sci[0];
    for (const char* c = sci.data() + 2; c < e; ++c) digits[static_cast<std::size_t>(n++)] = *c;
    while (n < point + decimals + 1) digits[static_cast<std::size_t>(n++)] = '0';
    const bool up = digits[static_cast<std::size_t>(point + decimals)] >= '5';
    n = point + decimals;
    if (up) {
        int i = n - 1;
        for (; i >= 0 && digits[static_cast<std::size_t>(i)] == '9'; --i) digits[static_cast<std::size_t>(i)] = '0';
        if (i >= 0) {
            ++digits[static_cast<std::size_t>(i)];
        } else {
            std::copy_backward(digits.data(), digits.data() + n, digits.data() + n + 1);
            digits[0] = '1';
            ++n;
            ++point;
        }
    }
    int first = 0;  // leading zeros go, one digit stays
    while (first < point - 1 && digits[static_cast<std::size_t>(first)] == '0') ++first;
    std::string out = point > 0 ? std::string(digits.data() + first, digits.data() + point) : std::string("0");
    if (decimals == 0) return out;
    out += '.';
    out.append(digits.data() + point, digits.data() + n);
    return out;
}

// Decimals of a plain fixed format ("0", "0.00", at most kMostDecimals), or -1 for any other.
int PlainFixedDecimals(const std::string& format)
{
    if (format == "0") return 0;
    if (format.size() < 3 || format.size() > 2 + kMostDecimals || format.compare(0, 2, "0.") != 0) return -1;
    if (format.find_first_not_of('0', 2) != std::string::npos) return -1;
    return static_cast<int>(format.size()) - 2;
}

std::string WithThousands(const std::string& digits)
{
    std::string out;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += ',';
        out += digits[i];
    }
    return out;
}

std::string FormatDigits(double v, const std::vector<Token>& tokens)
{
    int intZeros = 0, fracZeros = 0, fracAll = 0, percents = 0;
    bool point = false, thousands = false, exponent = false, seenDigit = false;
    for (const Token& t : tokens) {
        if (t.literal) continue;
        char c = t.text[0];
        if (c == '%') ++percents;
        else if (c == '.') point = true;
        else if (c == ',' && seenDigit && !point) thousands = true;
        else if (Lower(c) == 'e') exponent = true;
        else if (c == '0' || c == '#' || c == '?') {
            seenDigit = true;
            if (exponent) continue;
            if (point) { ++fracAll; if (c == '0') fracZeros = fracAll; }
            else if (c == '0') ++intZeros;
        }
    }
    for (int i = 0; i < percents; ++i) v *= 100.0;
    // A format read from a file may scale a number beyond a double or ask for more decimals than
    // a spreadsheet shows (30).
    if (!std::isfinite(v)) return "#NUM!";
    fracAll = std::min(fracAll, kMostDecimals);
    fracZeros = std::min(fracZeros, kMostDecimals);
    std::string intText, fracText, expText;
    if (exponent) {
        std::string s = ToChars(v, std::chars_format::scientific, fracAll);
        std::size_t e = s.find('e');
        std::string mant = s.substr(0, e);
        int ex = std::stoi(s.substr(e + 1));
        std::size_t dot = mant.find('.');
        intText = mant.substr(0, dot);
        fracText = dot == std::string::npos ? "" : mant.substr(dot + 1);
        expText = std::string(ex < 0 ? "E-" : "E+") + TwoDigits(std::abs(ex));
    } else {
        std::string s = FixedText(v, fracAll);
        std::size_t dot = s.find('.');
        intText = s.substr(0, dot);
        fracText = dot == std::string::npos ? "" : s.substr(dot + 1);
    }
    while (static_cast<int>(fracText.size()) > fracZeros && !fracText.empty() && fracText.back() == '0')
        fracText.pop_back();
    if (intText == "0" && intZeros == 0) intText.clear();
    while (static_cast<int>(intText.size()) < intZeros) intText.insert(intText.begin(), '0');
    if (thousands) intText = WithThousands(intText);

    std::string out;
    bool intDone = false, fracDone = false, expDone = false;
    bool inFraction = false, inExponent = false;
    for (const Token& t : tokens) {
        if (t.literal) { out += t.text; continue; }
        char c = t.text[0];
        if (c == '.') { out += '.'; inFraction = true; }
        else if (Lower(c) == 'e') { inExponent = true; if (!expDone) out += expText; expDone = true; }
        else if (c == '%') out += '%';
        else if (c == '0' || c == '#' || c == '?') {
            if (inExponent) continue;
            if (inFraction) { if (!fracDone) out += fracText; fracDone = true; }
            else { if (!intDone) out += intText; intDone = true; }
        }
    }
    if (point && !fracDone) out += fracText;
    return out;
}
}  // namespace

bool IsGeneralFormat(const std::string& format)
{
    if (format.empty()) return true;
    if (format.size() != 7) return false;
    static const char kGeneral[] = "general";
    for (std::size_t i = 0; i < 7; ++i)
        if (Lower(format[i]) != kGeneral[i]) return false;
    return true;
}

bool ShowsCalendarDate(const std::string& format)
{
    const std::vector<Token> tokens = Tokenize(Sections(format)[0]);
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& t = tokens[i];
        if (t.literal) continue;
        if (t.text[0] == 'y' || t.text[0] == 'd' || (t.text[0] == 'm' && !IsMinute(tokens, i))) return true;
    }
    return false;
}

bool ParseTypedNumber(std::string_view text, double& value, int& decimals)
{
    std::size_t i = 0, n = text.size();
    if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
    int digits = 0;
    while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++digits;
    int fraction = 0;
    if (i < n && text[i] == '.') {
        ++i;
        while (i < n && text[i] >= '0' && text[i] <= '9') ++i, ++fraction;
    }
    if (digits + fraction == 0) return false;
    bool exponent = false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        exponent = true;
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-')) ++i;
        std::size_t expDigits = i;
        while (i < n && text[i] >= '0' && text[i] <= '9') ++i;
        if (i == expDigits) return false;
    }
    if (i != n) return false;
    std::size_t start = text[0] == '+' ? 1 : 0;
    double v = 0;
    auto res = std::from_chars(text.data() + start, text.data() + n, v);
    if (res.ec != std::errc() || res.ptr != text.data() + n || !std::isfinite(v)) return false;
    value = v;
    decimals = exponent ? -1 : fraction;
    return true;
}

std::string FixedDecimalsText(double value, int decimals)
{
    std::array<char, 400> buffer;
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), value, std::chars_format::fixed,
                                      std::clamp(decimals, 0, kMostDecimals));
    return std::string(buffer.data(), result.ptr);
}

double FixedDecimalsValue(double value, int decimals)
{
    // The text is value x 10^d rounded to a whole number n, over 10^d; read back it is the double
    // nearest n / 10^d, which the division gives exactly while n and 10^d are exact doubles. Only
    // a product within its own rounding error of a half could round either way: that one is
    // left to the text.
    static constexpr double kPowers[] = {1e0, 1e1, 1e2, 1e3, 1e4, 1e5, 1e6, 1e7, 1e8, 1e9, 1e10, 1e11,
                                         1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (decimals >= 0 && decimals < static_cast<int>(std::size(kPowers))) {
        const double scale = kPowers[decimals];
        const double scaled = value * scale;
        if (std::fabs(scaled) < 0x1p52) {
            // Adding and taking away 2^52 rounds to the nearest whole number, a half to even,
            // as nearbyint does, without a call; the sign of a zero is the value's.
            const double magic = std::copysign(0x1p52, scaled);
            const double whole = std::copysign((scaled + magic) - magic, scaled);
            const double fromHalf = std::fabs(std::fabs(scaled - whole) - 0.5);
            if (fromHalf > std::fabs(scaled) * 0x1p-50 + 0x1p-60) return whole / scale;
        }
    }
    const std::string text = FixedDecimalsText(value, decimals);
    double read = 0;
    std::from_chars(text.data(), text.data() + text.size(), read);
    return read;
}

NumberShape NumberShapeOf(const std::string& format)
{
    if (IsGeneralFormat(format)) return {NumberShape::General, 0};
    if (const int decimals = PlainFixedDecimals(format); decimals >= 0) return {NumberShape::Fixed, decimals};
    return {};
}

std::string FixedDecimalsFormat(int decimals)
{
    return decimals <= 0 ? "0" : "0." + std::string(static_cast<std::size_t>(std::min(decimals, kMostDecimals)), '0');
}

std::string FormatCellNumber(double value, const std::string& format)
{
    if (!std::isfinite(value)) return "#NUM!";
    if (IsGeneralFormat(format)) return GeneralText(value);
    if (const int decimals = PlainFixedDecimals(format); decimals >= 0) {
        // What every typed number gets ("0.00"): the digits alone, as the full road gives them.
        std::string text = FixedText(std::fabs(value), decimals);
        if (value < 0 && text.find_first_of("123456789") != std::string::npos) text.insert(0, 1, '-');
        return text;
    }
    std::vector<std::string> sections = Sections(format);
    std::size_t index = 0;
    bool negativeSection = false;
    if (value < 0 && sections.size() >= 2) { index = 1; negativeSection = true; }
    else if (value == 0 && sections.size() >= 3) index = 2;
    double shown = negativeSection ? -value : value;
    std::vector<Token> tokens = Tokenize(sections[index]);
    bool date = false, digits = false;
    for (const Token& t : tokens) {
        if (IsDateToken(t)) date = true;
        else if (!t.literal && (t.text == "0" || t.text == "#" || t.text == "?")) digits = true;
    }
    if (date) return FormatDate(value, tokens);
    if (!digits) {
        std::string out;
        for (const Token& t : tokens) out += t.literal || t.text != "General" ? t.text : GeneralText(shown);
        return out;
    }
    std::string text = FormatDigits(std::fabs(shown), tokens);
    // One section: the sign is shown before the number; rounding to zero drops it.
    if (!negativeSection && shown < 0 && text.find_first_of("123456789") != std::string::npos) text = "-" + text;
    return text;
}

std::string FitCellNumber(double value, const std::string& format, double width,
                          const std::function<double(const std::string&)>& measure)
{
    std::string text = FormatCellNumber(value, format);
    if (measure(text) <= width) return text;
    if (IsGeneralFormat(format) && std::isfinite(value))
        for (int digits = 10; digits >= 1; --digits)
            if (std::string shorter = GeneralDigits(value, digits); measure(shorter) <= width) return shorter;
    const double hash = measure("#");
    const auto count = hash > 0 && width > 0 ? static_cast<std::size_t>(width / hash) : 0;
    return std::string(count, '#');
}
