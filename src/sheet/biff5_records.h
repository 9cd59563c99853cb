// Record numbers and fixed values of the Excel 5.0 (BIFF5) workbook stream, shared by its writer
// and reader.
#pragma once

#include <cstdint>

namespace biff5 {
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kBlank = 0x0201;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kBoolErr = 0x0205;
constexpr std::uint16_t kString = 0x0207;
constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kMulBlank = 0x00BE;
constexpr std::uint16_t kRString = 0x00D6;
constexpr std::uint16_t kFormula = 0x0006;
constexpr std::uint16_t kFormulaOld = 0x0406;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kCodePage = 0x0042;
constexpr std::uint16_t kDateMode = 0x0022;
constexpr std::uint16_t kWindow1 = 0x003D;
constexpr std::uint16_t kWindow2 = 0x023E;
constexpr std::uint16_t kSelection = 0x001D;
constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kFormat = 0x041E;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kStyle = 0x0293;
constexpr std::uint16_t kPalette = 0x0092;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kFilePass = 0x002F;
constexpr std::uint16_t kHeader = 0x0014;
constexpr std::uint16_t kFooter = 0x0015;
constexpr std::uint16_t kLeftMargin = 0x0026;
constexpr std::uint16_t kRightMargin = 0x0027;
constexpr std::uint16_t kTopMargin = 0x0028;
constexpr std::uint16_t kBottomMargin = 0x0029;
constexpr std::uint16_t kPrintHeaders = 0x002A;
constexpr std::uint16_t kPrintGridLines = 0x002B;
constexpr std::uint16_t kGridSet = 0x0082;
constexpr std::uint16_t kSetup = 0x00A1;
constexpr std::uint16_t kDefColWidth = 0x0055;
constexpr std::uint16_t kColInfo = 0x007D;
constexpr std::uint16_t kDefaultRowHeight = 0x0225;
constexpr std::uint16_t kContinue = 0x003C;

constexpr std::uint16_t kVersionBiff5 = 0x0500;
constexpr std::uint16_t kVersionBiff8 = 0x0600;
constexpr std::uint16_t kBofGlobals = 0x0005;
constexpr std::uint16_t kBofWorksheet = 0x0010;
constexpr std::uint16_t kCodePage1252 = 1252;
constexpr std::uint8_t kErrorNum = 0x24;  // the error value #NUM!

constexpr std::size_t kMaxRecordData = 2080;  // longest record body Excel 5.0 writes
constexpr int kStyleXfCount = 15;             // XF 0 to 14 are styles, XF 15 the default cell
constexpr int kDefaultCellXf = 15;
constexpr int kMaxXf = 4050;
constexpr int kFirstCustomFormat = 164;
constexpr int kPaletteFirst = 8;  // palette entries 8 to 63
constexpr int kPaletteSize = 56;
constexpr std::uint16_t kAutoFontColour = 0x7FFF;
constexpr std::uint16_t kAutoPatternFore = 64;
constexpr std::uint16_t kAutoPatternBack = 65;

// Built-in number formats of every workbook, by format index.
struct BuiltinFormat {
    int index;
    const char* text;
};
constexpr BuiltinFormat kBuiltinFormats[] = {
    {0, "General"}, {1, "0"}, {2, "0.00"}, {3, "#,##0"}, {4, "#,##0.00"}, {9, "0%"}, {10, "0.00%"},
    {11, "0.00E+00"}, {14, "m/d/yy"}, {15, "d-mmm-yy"}, {16, "d-mmm"}, {17, "mmm-yy"}, {18, "h:mm AM/PM"},
    {19, "h:mm:ss AM/PM"}, {20, "h:mm"}, {21, "h:mm:ss"}, {22, "m/d/yy h:mm"}, {37, "#,##0 ;(#,##0)"},
    {38, "#,##0 ;[Red](#,##0)"}, {39, "#,##0.00;(#,##0.00)"}, {40, "#,##0.00;[Red](#,##0.00)"},
    {45, "mm:ss"}, {46, "[h]:mm:ss"}, {47, "mm:ss.0"}, {48, "##0.0E+0"}, {49, "@"},
};

// The workbook's default colour palette (entries 8 to 63), 0x00BBGGRR.
constexpr std::uint32_t kDefaultPalette[kPaletteSize] = {
    0x000000, 0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF, 0xFF00FF, 0xFFFF00,
    0x000080, 0x008000, 0x800000, 0x008080, 0x800080, 0x808000, 0xC0C0C0, 0x808080,
    0xFF9999, 0x663399, 0xCCFFFF, 0xFFFFCC, 0x660066, 0x8080FF, 0xCC6600, 0xFFCCCC,
    0x800000, 0xFF00FF, 0x00FFFF, 0xFFFF00, 0x800080, 0x000080, 0x808000, 0xFF0000,
    0xFFCC00, 0xFFFFCC, 0xCCFFCC, 0x99FFFF, 0xFFCC99, 0xCC99FF, 0xFF99CC, 0x99CCFF,
    0xFF6633, 0xCCCC33, 0x00CC99, 0x00CCFF, 0x0099FF, 0x0066FF, 0x996666, 0x969696,
    0x663300, 0x669933, 0x003300, 0x003333, 0x003399, 0x663399, 0x993333, 0x333333,
};
}  // namespace biff5
