// Code-page decoding of workbook texts through glibc's iconv.
#include "sheet/code_page.h"

#include "platform/text_encoding.h"

#include <algorithm>
#include <cerrno>
#include <iconv.h>

namespace {
// The code pages a workbook may declare that this decoder reads: Windows and DOS single-byte code
// pages, the four double-byte Windows ones and Mac Roman, by the name iconv knows them by.
std::string IconvName(int codePage)
{
    static constexpr int kNumbered[] = {437,  737,  775,  850,  852,  855,  857,  858,  860,  861,  862,
                                        863,  864,  865,  866,  869,  874,  932,  936,  949,  950,  1250,
                                        1251, 1253, 1254, 1255, 1256, 1257, 1258};
    if (std::find(std::begin(kNumbered), std::end(kNumbered), codePage) != std::end(kNumbered))
        return "CP" + std::to_string(codePage);
    if (codePage == 10000 || codePage == 32768) return "MACINTOSH";
    return {};
}

iconv_t AsIconv(void* converter) { return static_cast<iconv_t>(converter); }
}  // namespace

CodePageDecoder::CodePageDecoder(int codePage)
{
    const std::string name = IconvName(codePage);
    if (name.empty()) return;
    iconv_t converter = iconv_open("UTF-8", name.c_str());
    if (converter == reinterpret_cast<iconv_t>(-1)) return;
    converter_ = converter;
    codePage_ = codePage;
}

CodePageDecoder::~CodePageDecoder()
{
    if (converter_) iconv_close(AsIconv(converter_));
}

std::string CodePageDecoder::ToUtf8(std::span<const std::uint8_t> bytes)
{
    std::string raw(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (!converter_) return Cp1252ToUtf8(raw);
    // No character of these code pages takes more than four UTF-8 bytes for each byte it uses.
    std::string out(raw.size() * 4, '\0');
    char* in = raw.data();
    std::size_t inLeft = raw.size();
    char* at = out.data();
    std::size_t outLeft = out.size();
    iconv(AsIconv(converter_), nullptr, nullptr, nullptr, nullptr);
    while (inLeft > 0) {
        if (iconv(AsIconv(converter_), &in, &inLeft, &at, &outLeft) != static_cast<std::size_t>(-1)) break;
        if (errno != EILSEQ && errno != EINVAL) break;
        // A byte without a character, or a double-byte character cut off at the text's end.
        *at++ = '?';
        --outLeft;
        ++in;
        --inLeft;
        iconv(AsIconv(converter_), nullptr, nullptr, nullptr, nullptr);
    }
    out.resize(static_cast<std::size_t>(at - out.data()));
    return out;
}
