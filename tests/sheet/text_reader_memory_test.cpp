// The memory a large text file takes, refused or read, each read in a fresh process.
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"
#include "sheet/sheet_book.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <string>
#include <sys/resource.h>

namespace {
// Writes `rows` lines of `fields` tab-separated copies of `field`, without holding the file's text.
std::string WriteTable(const std::string& path, int rows, int fields, const std::string& field)
{
    std::string line = field;
    for (int i = 1; i < fields; ++i) line += "\t" + field;
    std::ofstream out(path, std::ios::binary);
    for (int i = 0; i < rows; ++i) out << line << "\r\n";
    return path;
}

// Reads the file into a book in this process (a fresh one: see below), says on stderr how much
// the resident peak grew, a multiple of the file's size, and exits with 0 when the read went as
// `readable` says and the peak stayed below `most` times the size; the folder goes with it.
[[noreturn]] void ReadAndExit(const TempProgDir& dir, const std::string& path, bool readable, double most)
{
    const double size = static_cast<double>(*FileSize(path));
    ScriptedMessages messages;
    std::ofstream("/proc/self/clear_refs") << "5";  // the kernel's peak set back to the present
    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    bool read = false;
    {
        TF1Book book;
        read = book.ReadFile(path) && book.LastRow() == 16384;
    }
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    const double peak = static_cast<double>(after.ru_maxrss - before.ru_maxrss) * 1024;
    std::fprintf(stderr, "peak %.1f MB for %.1f MB (%.2fx); %s\n", peak / (1 << 20), size / (1 << 20), peak / size,
                 messages.Texts().empty() ? "read" : messages.Texts()[0].c_str());
    std::filesystem::remove_all(dir.Path());
    std::_Exit(read == readable && peak < most * size ? 0 : 1);
}
}  // namespace

// 64 MB of 2000 x 16384 one-digit cells once took 1.6 GB before failing; a text is now read a
// block at a time and refused at its first line beyond a sheet's limits, so that file takes a
// megabyte. A file at the limits, 16384 rows of 256 numbers, is read within three times its size
// (the cells take 2.4 times). Each read runs in a fresh process (the test program started again
// for it), whose memory no earlier test has touched.
TEST(TextReader, LargeFilesAreRefusedOrReadWithinASmallMultipleOfTheirSize)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    TempProgDir dir;
    const std::string crafted = WriteTable(dir / "crafted.txt", 16384, 2000, "1");
    const std::string limits = WriteTable(dir / "limits.txt", 16384, 256, "230.25");
    EXPECT_EXIT(ReadAndExit(dir, crafted, false, 0.1), testing::ExitedWithCode(0), "has more than 256 fields");
    EXPECT_EXIT(ReadAndExit(dir, limits, true, 3), testing::ExitedWithCode(0), "read");
}

