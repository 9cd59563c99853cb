// Fuzz target: "summary.tmp", the survey summary engine's hand-over to the summary report, and
// the report's sheet built from it.
// Must hold: the file is read only when it holds its 7333 bytes, and the report's reading
// deletes it, read or not; a record read packs again into what reads the same; its sheet shows
// "***" where a value is no number, never a C library's text for it.
#include "fuzz/fuzz_support.h"
#include "summary/summary_file.h"
#include "summary/summary_sheet.h"

namespace {
// The cells that show the file's own texts: name, description, site, operator, limits file.
bool ShowsStoredText(int row, int col) { return col == 5 && ((row >= 6 && row <= 9) || row == 14); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    const fuzz::FolderSnapshot before = fuzz::Snapshot(run.Folder());
    const std::string path = fuzz::WriteInput(run.Path(std::string("data/") + std::string(kSummaryFileName)), {data, size});
    const std::optional<TSummaryFile> summary = TakeSummaryFile(path);
    FUZZ_CHECK(!FileExists(path));
    FUZZ_CHECK(fuzz::Snapshot(run.Folder()) == before);
    FUZZ_CHECK(summary.has_value() == (size >= TSummaryFile::kPackedSize));
    if (!summary) {
        FUZZ_CHECK(run.messages.messages.size() == 1);
        return 0;
    }
    const std::optional<Bytes> packed = summary->Pack();
    FUZZ_CHECK(packed.has_value() && packed->size() == TSummaryFile::kPackedSize);
    const std::string again = fuzz::WriteInput(run.Path("again.tmp"), *packed);
    const TSummaryFileRead read = ReadSummaryFile(again);
    FUZZ_CHECK(read.File.has_value() && read.File->Pack() == packed);

    TF1Book book;
    FillSummarySheet(book, *summary);
    const int lastRow = book.LastRow(), lastCol = book.LastCol();
    for (int row = 1; row <= lastRow; ++row)
        for (int col = 1; col <= lastCol; ++col)
            FUZZ_CHECK(ShowsStoredText(row, col) || !fuzz::ShowsNonNumber(book.DisplayText(1, row, col)));
    return 0;
}
