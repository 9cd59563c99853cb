// The globals of an Excel 5.0 workbook stream, read for its sheets: the code page and date base,
// the cell formats (fonts, number formats, XFs and palette, interned as the book's styles) and the
// list of worksheets with where each begins. Used by the workbook reader.
#pragma once

#include "sheet/code_page.h"
#include "sheet/sheet_book.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

struct Biff5Globals {
    struct SheetEntry {
        std::size_t offset;  // of the sheet's BOF in the stream
        std::string name;
    };
    std::vector<SheetEntry> sheets;  // the worksheets, in the book's order
    std::size_t end = 0;             // where the globals end, after their EOF
    int activeSheet = 0;             // from 0
    bool dates1904 = false;          // the book's dates count from 01/01/1904
    std::unique_ptr<CodePageDecoder> decoder;
    std::vector<std::uint32_t> styleOfXf;  // the book's style of each XF
    std::vector<bool> datesOfXf;           // whether the XF's number format shows dates

    std::uint32_t StyleOfXf(std::uint16_t xf) const { return xf < styleOfXf.size() ? styleOfXf[xf] : 0; }
    bool DatesOfXf(std::uint16_t xf) const { return xf < datesOfXf.size() && datesOfXf[xf]; }
};

// Reads the globals from the stream's start, interning the styles in `book`; false with the
// reason in `error` for a stream that is no readable Excel 5.0 workbook.
bool ReadBiff5Globals(std::span<const std::uint8_t> stream, TF1Book& book, Biff5Globals& globals, std::string& error);
