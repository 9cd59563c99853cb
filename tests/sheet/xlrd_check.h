// Runs Debian's xlrd on a written workbook (tests/sheet/xlrd_dump.py) and gives what it read as
// keys: "sheet.1.name", "cell.1.2.3" ("t:text", "n:12.5", "d:16/03/2027 00:00:00", "b:"),
// "cellxf.1.2.3", "xf.N.font", "font.N.bold", "sheet.1.colwidth.2", "codepage", "datemode", ...;
// "log" and "stray" hold what xlrd said. Sheets, rows and columns count from 1. Cells are given
// for the first 40 and the last 3 rows of a sheet, or for every row when asked.
#pragma once

#include <map>
#include <string>

struct XlrdDump {
    std::map<std::string, std::string> values;
    bool Has(const std::string& key) const { return values.count(key) != 0; }
    std::string operator[](const std::string& key) const;
    // Key of the font or XF of a cell: "font.N." / "xf.N.".
    std::string XfOf(int sheet, int row, int col) const;
    std::string FontOf(int sheet, int row, int col) const;
};

XlrdDump RunXlrd(const std::string& path, bool everyRow = false);

class TF1Book;
// Writes the book as Excel 5.0 to `path` and reads it with xlrd, which must take it as an Excel
// 5.0 file and have nothing to say about it (failures are test failures).
XlrdDump WriteAndCheckWithXlrd(const TF1Book& book, const std::string& path, bool everyRow = false);
// The same for a file already written.
XlrdDump CheckWithXlrd(const std::string& path, bool everyRow = false);
