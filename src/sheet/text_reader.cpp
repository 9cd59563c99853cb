// Tab-separated text into a book, from bytes in memory or from a file a block at a time.
#include "sheet/text_reader.h"

#include "platform/text_encoding.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string_view>

namespace {
constexpr const char* kNotText = "The file is neither an Excel 5.0 workbook nor a text file.";
constexpr std::size_t kBlockBytes = 1 << 20;

std::string_view View(std::span<const std::uint8_t> bytes)
{
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

// Characters of a field: code points of UTF-8, bytes of Windows-1252.
std::size_t Characters(std::string_view field, bool utf8)
{
    if (!utf8) return field.size();
    return static_cast<std::size_t>(std::count_if(field.begin(), field.end(), [](unsigned char c) { return (c & 0xC0) != 0x80; }));
}

// Calls `each(col, field)` for the fields of a line, tab by tab, from column 1.
template <class Each>
bool ForEachField(std::string_view line, Each each)
{
    int col = 1;
    for (std::size_t field = 0; field <= line.size(); ++col) {
        std::size_t tab = line.find('\t', field);
        if (tab == std::string_view::npos) tab = line.size();
        if (!each(col, line.substr(field, tab - field))) return false;
        field = tab + 1;
    }
    return true;
}

// Bytes of the UTF-8 sequence a lead byte starts; 0 for a byte that starts none.
std::size_t SequenceLength(unsigned char lead)
{
    if (lead < 0x80) return 1;
    if ((lead & 0xE0) == 0xC0) return 2;
    if ((lead & 0xF0) == 0xE0) return 3;
    if ((lead & 0xF8) == 0xF0) return 4;
    return 0;
}

// The whole text is UTF-8, or else Windows-1252: whether it is, and that it holds no zero byte,
// found block by block (a character cut by a block's end is carried to the next).
class TextCheck {
public:
    // False at a zero byte.
    bool Feed(std::string_view block)
    {
        if (block.find('\0') != std::string_view::npos) return false;
        if (!utf8_) return true;
        std::size_t from = 0;
        if (!carry_.empty()) {
            const std::size_t need = SequenceLength(static_cast<unsigned char>(carry_[0])) - carry_.size();
            if (block.size() < need) {
                carry_.append(block);
                return true;
            }
            carry_.append(block.substr(0, need));
            utf8_ = IsValidUtf8(carry_);
            carry_.clear();
            from = need;
        }
        // A character begun in the last three bytes and going on past them waits for the next block.
        std::size_t cut = block.size();
        for (std::size_t k = 1; k <= 3 && k <= block.size() - from; ++k) {
            const auto byte = static_cast<unsigned char>(block[block.size() - k]);
            if ((byte & 0xC0) == 0x80) continue;
            if (SequenceLength(byte) > k) cut = block.size() - k;
            break;
        }
        utf8_ = utf8_ && IsValidUtf8(block.substr(from, cut - from));
        carry_.assign(block.substr(cut));
        return true;
    }
    // At the end: a character still cut is no UTF-8.
    bool Utf8() const { return utf8_ && carry_.empty(); }

private:
    bool utf8_ = true;
    std::string carry_;
};

// The book a line at a time. What an Excel 5.0 sheet holds is what is read: a text beyond it is
// refused before its cells take memory.
class TextSheetBuilder {
public:
    explicit TextSheetBuilder(bool utf8) : utf8_(utf8) {}

    // One line, without its line break; false with the reason when it cannot be held.
    bool Line(std::string_view line, std::string& error)
    {
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        const int row = row_++;
        std::size_t filled = 0;
        const bool fits = ForEachField(line, [&](int col, std::string_view field) {
            if (field.empty()) return true;
            if (row > kExcelMaxRows) {
                error = "The text file has more than 16384 rows; a sheet holds at most 16384 rows.";
                return false;
            }
            if (col > kExcelMaxCols) {
                error = "Line " + std::to_string(row) + " of the text file has more than 256 fields; a sheet holds at most 256 columns.";
                return false;
            }
            if (Characters(field, utf8_) > static_cast<std::size_t>(kExcelMaxLabel)) {
                error = "Line " + std::to_string(row) + " of the text file holds a field of more than 255 characters; a cell holds at most 255.";
                return false;
            }
            ++filled;
            return true;
        });
        if (!fits) return false;
        if (filled == 0) return true;
        Worksheet& sheet = book_.SheetAt(1);
        sheet.rows.emplace_hint(sheet.rows.end(), row, SheetRow{})->second.cells.reserve(filled);
        ForEachField(line, [&](int col, std::string_view field) {
            if (field.empty()) return true;
            const bool ascii = std::all_of(field.begin(), field.end(), [](unsigned char c) { return c < 0x80; });
            if (utf8_ || ascii) book_.SetCellEntry(row, col, field);
            else book_.SetCellEntry(row, col, Cp1252ToUtf8(field));
            return true;
        });
        return true;
    }
    TF1Book Take() { return std::move(book_); }

private:
    bool utf8_;
    TF1Book book_;
    int row_ = 1;
};

// The lines of a text that arrives in blocks: a line cut by a block's end waits for the rest.
class LineSplitter {
public:
    explicit LineSplitter(TextSheetBuilder& builder) : builder_(builder) {}
    bool Feed(std::string_view block, std::string& error)
    {
        for (std::size_t start = 0; start < block.size();) {
            const std::size_t end = block.find('\n', start);
            if (end == std::string_view::npos) {
                pending_.append(block.substr(start));
                return true;
            }
            std::string_view line = block.substr(start, end - start);
            if (!pending_.empty()) line = pending_.append(line);
            if (!builder_.Line(line, error)) return false;
            pending_.clear();
            start = end + 1;
        }
        return true;
    }
    // The last line, when the text does not end with a line break.
    bool Finish(std::string& error) { return pending_.empty() || builder_.Line(pending_, error); }

private:
    TextSheetBuilder& builder_;
    std::string pending_;
};

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

// Calls `each(block)` for the file's bytes a block at a time; false when it cannot be read whole
// or `each` says so (then `failed` stays false).
template <class Each>
bool ForEachBlock(const std::string& path, bool& failed, Each each)
{
    std::unique_ptr<std::FILE, FileCloser> file(std::fopen(path.c_str(), "rb"));
    failed = !file;
    if (!file) return false;
    std::unique_ptr<char[]> block(new char[kBlockBytes]);
    while (const std::size_t n = std::fread(block.get(), 1, kBlockBytes, file.get()))
        if (!each(std::string_view(block.get(), n))) return false;
    failed = std::ferror(file.get()) != 0;
    return !failed;
}
}  // namespace

std::optional<TF1Book> ReadSheetText(std::span<const std::uint8_t> bytes, std::string& error)
{
    TextCheck check;
    if (!check.Feed(View(bytes))) {
        error = kNotText;
        return std::nullopt;
    }
    TextSheetBuilder builder(check.Utf8());
    LineSplitter lines(builder);
    if (!lines.Feed(View(bytes), error) || !lines.Finish(error)) return std::nullopt;
    return builder.Take();
}

std::optional<TF1Book> ReadSheetTextFile(const std::string& path, std::string& error, bool& unreadable)
{
    TextCheck check;
    bool text = true;
    if (!ForEachBlock(path, unreadable, [&](std::string_view block) { return text = check.Feed(block); })) {
        if (!text) error = kNotText;
        return std::nullopt;
    }
    TextSheetBuilder builder(check.Utf8());
    LineSplitter lines(builder);
    if (!ForEachBlock(path, unreadable, [&](std::string_view block) { return lines.Feed(block, error); }) || !lines.Finish(error))
        return std::nullopt;
    return builder.Take();
}
