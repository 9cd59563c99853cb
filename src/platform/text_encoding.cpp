// UTF-8 and Windows-1252 conversions.
#include "platform/text_encoding.h"

#include <cstdint>

namespace {
// Code points of 0x80..0x9F in Windows-1252; 0 where the code page has no character.
constexpr char32_t kHigh[32] = {
    0x20AC, 0, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0, 0x017D, 0,
    0, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0, 0x017E, 0x0178,
};

void AppendUtf8(std::string& out, char32_t cp)
{
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

// Decodes one UTF-8 sequence at `i`; returns its length, 0 when invalid.
std::size_t DecodeUtf8(std::string_view s, std::size_t i, char32_t& cp)
{
    auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(s[k]); };
    std::uint8_t b0 = byte(i);
    std::size_t length;
    if (b0 < 0x80) { cp = b0; return 1; }
    if ((b0 & 0xE0) == 0xC0) { length = 2; cp = b0 & 0x1F; }
    else if ((b0 & 0xF0) == 0xE0) { length = 3; cp = b0 & 0x0F; }
    else if ((b0 & 0xF8) == 0xF0) { length = 4; cp = b0 & 0x07; }
    else return 0;
    if (i + length > s.size()) return 0;
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (byte(i + k) & 0x3F);
    }
    static constexpr char32_t kMin[5] = {0, 0, 0x80, 0x800, 0x10000};
    if (cp < kMin[length] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return length;
}
}  // namespace

bool IsValidUtf8(std::string_view bytes)
{
    char32_t cp;
    for (std::size_t i = 0; i < bytes.size();) {
        std::size_t n = DecodeUtf8(bytes, i, cp);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

std::string Cp1252ToUtf8(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (const char byte : bytes) {
        const auto c = static_cast<unsigned char>(byte);
        char32_t cp = c;
        if (c >= 0x80 && c < 0xA0) cp = kHigh[c - 0x80] ? kHigh[c - 0x80] : U'?';
        AppendUtf8(out, cp);
    }
    return out;
}

std::string DisplayText(std::string_view bytes)
{
    return IsValidUtf8(bytes) ? std::string(bytes) : Cp1252ToUtf8(bytes);
}

std::string ToCp1252(std::string_view text)
{
    if (!IsValidUtf8(text)) return std::string(text);
    std::string out;
    out.reserve(text.size());
    char32_t cp = 0;
    for (std::size_t i = 0; i < text.size();) {
        i += DecodeUtf8(text, i, cp);
        char c = '?';
        if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) {
            c = static_cast<char>(cp);
        } else {
            for (int k = 0; k < 32; ++k)
                if (kHigh[k] == cp) c = static_cast<char>(0x80 + k);
        }
        out += c;
    }
    return out;
}
