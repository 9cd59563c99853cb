// Runs the xlrd dump script with Debian's own interpreter and parses its key=value lines.
#include "xlrd_check.h"

#include "platform/scripted_messages.h"
#include "sheet/sheet_book.h"

#include <cstdio>
#include <gtest/gtest.h>
#include <memory>

std::string XlrdDump::operator[](const std::string& key) const
{
    auto it = values.find(key);
    return it == values.end() ? std::string("<missing " + key + ">") : it->second;
}

std::string XlrdDump::XfOf(int sheet, int row, int col) const
{
    return "xf." + (*this)["cellxf." + std::to_string(sheet) + "." + std::to_string(row) + "." + std::to_string(col)] + ".";
}

std::string XlrdDump::FontOf(int sheet, int row, int col) const
{
    return "font." + (*this)[XfOf(sheet, row, col) + "font"] + ".";
}

XlrdDump RunXlrd(const std::string& path, bool everyRow)
{
    std::string command = "/usr/bin/python3 " ORV_SHEET_TEST_DIR "/xlrd_dump.py '" + path + "'" +
                          (everyRow ? " --every-row" : "") + " 2>&1";
    XlrdDump dump;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    if (!pipe) return dump;
    std::string text;
    char buffer[65536];
    std::size_t n;
    while ((n = fread(buffer, 1, sizeof buffer, pipe.get())) > 0) text.append(buffer, n);
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        std::size_t eq = line.find('=');
        if (eq != std::string::npos) dump.values[line.substr(0, eq)] = line.substr(eq + 1);
        else if (!line.empty()) dump.values["stray"] += line;  // anything else the interpreter said
        start = end + 1;
    }
    return dump;
}

XlrdDump CheckWithXlrd(const std::string& path, bool everyRow)
{
    XlrdDump dump = RunXlrd(path, everyRow);
    EXPECT_FALSE(dump.Has("error")) << dump["error"];
    EXPECT_EQ(dump["log"], "");
    EXPECT_EQ(dump["stray"], "<missing stray>");
    EXPECT_EQ(dump["biff"], "50");  // Excel 5.0
    return dump;
}

XlrdDump WriteAndCheckWithXlrd(const TF1Book& book, const std::string& path, bool everyRow)
{
    ScriptedMessages messages;
    EXPECT_TRUE(book.WriteFile(path, kFileTypeExcel5)) << testing::PrintToString(messages.Texts());
    return CheckWithXlrd(path, everyRow);
}
