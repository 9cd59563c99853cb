// Reading tab-separated text within what an Excel 5.0 sheet holds: both sides of each limit, and
// files read a block at a time. Run in the sanitizer build too.
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"
#include "sheet/sheet_book.h"
#include "sheet/sheet_files.h"
#include "sheet/text_reader.h"

#include <gtest/gtest.h>
#include <string>

namespace {
std::optional<TF1Book> Read(const std::string& text, std::string& error)
{
    return ReadSheetText(std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()), error);
}

std::string Lines(int count, const std::string& line)
{
    std::string text;
    for (int i = 0; i < count; ++i) text += line + "\r\n";
    return text;
}

std::string Fields(int count, const std::string& field)
{
    std::string line;
    for (int i = 0; i < count; ++i) line += (i ? "\t" : "") + field;
    return line;
}

}  // namespace

TEST(TextReader, ReadsUpToTheLimitsOfASheetAndRefusesBeyond)
{
    const std::string label255(255, 'x');
    std::string utf8Label;  // 255 characters of two bytes each
    for (int i = 0; i < 255; ++i) utf8Label += "\xC3\xA9";
    struct Case {
        const char* what;
        std::string text;
        std::string refusal;  // empty: read
    } cases[] = {
        {"16384 rows", Lines(16384, "1"), ""},
        {"16385 rows", Lines(16385, "1"), "The text file has more than 16384 rows; a sheet holds at most 16384 rows."},
        {"empty lines after row 16384", Lines(16384, "1") + Lines(3, ""), ""},
        {"256 fields", Fields(256, "2"), ""},
        {"257 fields", Fields(257, "2"), "Line 1 of the text file has more than 256 fields; a sheet holds at most 256 columns."},
        {"empty fields after column 256", Fields(256, "2") + "\t\t\t", ""},
        {"255 characters", "a\t" + label255, ""},
        {"255 two-byte characters", utf8Label, ""},
        {"256 characters", "a\r\nb\t" + label255 + "y",
         "Line 2 of the text file holds a field of more than 255 characters; a cell holds at most 255."},
    };
    for (const Case& c : cases) {
        std::string error;
        auto book = Read(c.text, error);
        EXPECT_EQ(book.has_value(), c.refusal.empty()) << c.what;
        EXPECT_EQ(error, c.refusal) << c.what;
    }
    std::string error;
    auto last = Read(Lines(16383, "") + Fields(256, "7"), error);
    ASSERT_TRUE(last) << error;
    EXPECT_EQ(last->LastRow(), 16384);
    EXPECT_EQ(last->LastCol(), 256);
    EXPECT_DOUBLE_EQ(last->CellNumber(16384, 256), 7);
    auto wide = Read(utf8Label, error);
    ASSERT_TRUE(wide) << error;
    EXPECT_EQ(wide->CellText(1, 1), utf8Label);
}

// A file is read a block at a time: characters and lines cut by a block's end read as in one
// piece, and a file with one byte that is no UTF-8 anywhere is Windows-1252 throughout.
TEST(TextReader, FilesReadInBlocksReadAsTheirBytesInOnePiece)
{
    TempProgDir dir;
    ScriptedMessages messages;
    std::string characters;  // two, three and four bytes each
    for (int i = 0; i < 20; ++i) characters += "\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80";
    std::string utf8;
    for (int i = 0; utf8.size() < (5u << 20) / 2; ++i) utf8 += "r" + std::to_string(i) + "\t" + characters + "\t" + std::to_string(i % 97) + ".5\r\n";
    const std::string cp1252 = utf8 + "\xE9t\xE9\r\n";
    for (const std::string& text : {utf8, cp1252}) {
        std::string error;
        int type = 0;
        auto whole = ReadBookBytes(Bytes(text.begin(), text.end()), type, error);
        ASSERT_TRUE(whole) << error;
        TF1Book blocks;
        ASSERT_TRUE(blocks.ReadFile(dir.Write("blocks.txt", text))) << testing::PrintToString(messages.Texts());
        ASSERT_EQ(blocks.LastRow(), whole->LastRow());
        for (int r = 1; r <= whole->LastRow(); ++r)
            for (int c = 1; c <= 3; ++c) ASSERT_EQ(blocks.CellText(r, c), whole->CellText(r, c)) << r << "," << c;
    }
}
