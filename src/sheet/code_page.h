// Texts of an Excel 5.0 workbook are bytes in the code page its CODEPAGE record declares; the
// reader turns them into UTF-8 here. Windows-1252 serves when a book declares none, or one that
// this decoder does not know. Used by the workbook reader only; the writer always writes 1252.
#pragma once

#include <cstdint>
#include <span>
#include <string>

class CodePageDecoder {
public:
    explicit CodePageDecoder(int codePage);
    ~CodePageDecoder();
    CodePageDecoder(const CodePageDecoder&) = delete;
    CodePageDecoder& operator=(const CodePageDecoder&) = delete;

    // The code page the texts are read in: the declared one, or 1252.
    int CodePage() const { return codePage_; }
    // A byte that has no character in the code page becomes "?".
    std::string ToUtf8(std::span<const std::uint8_t> bytes);

private:
    int codePage_ = 1252;
    void* converter_ = nullptr;  // an iconv descriptor; none for 1252
};
