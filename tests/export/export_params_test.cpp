// The export hand-over file: its packed layout field by field, the round trip, refusals of
// paths too long to store and of damaged files, the workbook names and the wizard's check of them.
#include "export/export_params.h"
#include "export/output_files.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/file_io.h"
#include "platform/scripted_messages.h"

#include <gtest/gtest.h>

namespace {
TExportParams SampleParams()
{
    TExportParams p;
    p.Format = ExportText;
    TExportMeasureSel& voltage = p.Measure(1);
    voltage.OutputPath = "/out/x_vm.txt";
    voltage.Items[1] = true;
    voltage.Items[8] = true;
    voltage.Phases = {true, false, true};
    TExportMeasureSel& energy = p.Measure(10);
    energy.OutputPath = "/out/x_en.txt";
    energy.Items[16] = true;
    p.Measure(4).Present[19] = true;
    p.VoltageHarmonicFlags[0] = 0x0102;
    p.CurrentHarmonicFlags[52] = 2;
    p.VoltageOrders = {0, 3, 5};
    p.CurrentOrders[1] = 7;
    p.VoltageOrderCount = 3;
    p.CurrentOrderCount = 53;
    p.VoltageChosen = {5, 0};
    p.CurrentChosen[52] = 9;
    p.VoltageChosenCount = 2;
    p.CurrentChosenCount = 1;
    return p;
}

std::uint16_t U16At(const Bytes& b, std::size_t at) { return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8)); }
std::uint32_t U32At(const Bytes& b, std::size_t at) { return U16At(b, at) | (std::uint32_t{U16At(b, at + 2)} << 16); }
}  // namespace

TEST(ExportParams, PacksEveryFieldAtItsOffset)
{
    const Bytes b = PackExportParams(SampleParams()).value();
    ASSERT_EQ(b.size(), 4842u);
    // Block 1 at 0: the path's length byte and text, Items from 256, Phases from 276.
    EXPECT_EQ(b[0], 13);
    EXPECT_EQ(std::string(b.begin() + 1, b.begin() + 14), "/out/x_vm.txt");
    EXPECT_EQ(b[256 + 1], 1);
    EXPECT_EQ(b[256 + 8], 1);
    EXPECT_EQ(b[256 + 0], 0);
    EXPECT_EQ(b[276], 1);
    EXPECT_EQ(b[277], 0);
    EXPECT_EQ(b[278], 1);
    // Block 4's Present from 3 x 299 + 279; block 10 at 9 x 299.
    EXPECT_EQ(b[3 * 299 + 279 + 19], 1);
    EXPECT_EQ(b[9 * 299], 13);
    EXPECT_EQ(b[9 * 299 + 256 + 16], 1);
    EXPECT_EQ(U32At(b, 4186), 1u);
    EXPECT_EQ(U16At(b, 4190), 0x0102);
    EXPECT_EQ(U16At(b, 4296 + 2 * 52), 2);
    EXPECT_EQ(U16At(b, 4402 + 2), 3);
    EXPECT_EQ(U16At(b, 4402 + 4), 5);
    EXPECT_EQ(U16At(b, 4508 + 2), 7);
    EXPECT_EQ(U32At(b, 4614), 3u);
    EXPECT_EQ(U32At(b, 4618), 53u);
    EXPECT_EQ(U16At(b, 4622), 5);
    EXPECT_EQ(U16At(b, 4728 + 2 * 52), 9);
    EXPECT_EQ(U32At(b, 4834), 2u);
    EXPECT_EQ(U32At(b, 4838), 1u);
}

TEST(ExportParams, FileRoundTripDeletesTheFile)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = dir / "export.tmp";
    ASSERT_TRUE(WriteExportParams(SampleParams(), path));
    EXPECT_EQ(FileSize(path), 4842u);
    const auto read = ReadExportParams(path);
    ASSERT_TRUE(read.has_value());
    EXPECT_EQ(*read, SampleParams());
    EXPECT_FALSE(FileExists(path));
    EXPECT_EQ(std::vector<std::uint16_t>(read->ChosenVoltageOrders().begin(), read->ChosenVoltageOrders().end()),
              (std::vector<std::uint16_t>{5, 0}));
    EXPECT_TRUE(messages.messages.empty());
}

TEST(ExportParams, PathTooLongForAShortStringIsRefusedAndNothingWritten)
{
    TempProgDir dir;
    ScriptedMessages messages;
    const std::string path = dir / "export.tmp";
    TExportParams p = SampleParams();
    p.Measure(7).OutputPath = "/" + std::string(255, 'a');  // 256 bytes
    std::string tooLong;
    EXPECT_FALSE(PackExportParams(p, &tooLong).has_value());
    EXPECT_EQ(tooLong, p.Measure(7).OutputPath);
    EXPECT_FALSE(WriteExportParams(p, path));
    EXPECT_FALSE(FileExists(path));
    ASSERT_EQ(messages.messages.size(), 1u);
    EXPECT_EQ(messages.messages[0].type, MsgType::Error);
    p.Measure(7).OutputPath.pop_back();  // 255 bytes fit
    EXPECT_TRUE(WriteExportParams(p, path));
    EXPECT_EQ(ReadExportParams(path)->Measure(7).OutputPath, p.Measure(7).OutputPath);
}

// Each damage beside the largest or smallest value that is still read; the file is deleted
// either way.
TEST(ExportParams, DamagedFilesAreRefusedAndDeleted)
{
    TempProgDir dir;
    const std::string path = dir / "export.tmp";
    const Bytes good = PackExportParams(SampleParams()).value();
    struct Case {
        const char* what;
        std::size_t at;  // byte patched, or the size for a cut or grown file
        std::uint8_t value;
        int sizeChange;
        bool read;
    };
    const Case cases[] = {
        {"one byte short", 0, 0, -1, false},
        {"one byte more", 0, 0, +1, false},
        {"unknown format", 4186, 2, 0, false},
        {"text format", 4186, 1, 0, true},
        {"voltage block count above 53", 4614, 54, 0, false},
        {"voltage block count 53", 4614, 53, 0, true},
        {"negative current block count", 4618 + 3, 0x80, 0, false},
        {"current block count 0", 4618, 0, 0, true},
        {"chosen voltage count above 53", 4834, 54, 0, false},
        {"chosen voltage count 0", 4834, 0, 0, true},
        {"chosen current count above 53", 4838, 60, 0, false},
        {"chosen current count 53", 4838, 53, 0, true},
    };
    for (const Case& c : cases) {
        Bytes b = good;
        if (c.sizeChange < 0) b.pop_back();
        else if (c.sizeChange > 0) b.push_back(0);
        else b[c.at] = c.value;
        WriteFileAtomic(path, b);
        const auto read = ReadExportParams(path);
        EXPECT_EQ(read.has_value(), c.read) << c.what;
        if (read) {
            EXPECT_EQ(PackExportParams(*read), b) << c.what;
        }
        EXPECT_FALSE(FileExists(path)) << c.what;
    }
    EXPECT_FALSE(ReadExportParams(path).has_value()) << "a missing file";
}

TEST(ExportParams, WorkbookNamesTakeTheMeasureSuffixAndTheFormatExtension)
{
    EXPECT_EQ(ExportOutputPath("/F", "x", 1, ExportText), "/F/x_vm.txt");
    EXPECT_EQ(ExportOutputPath("/F/", "x", 10, ExportText), "/F/x_en.txt");
    EXPECT_EQ(ExportOutputPath("/F", "survey", 9, ExportExcel5), "/F/survey_hi.xls");
    EXPECT_EQ(ExportOutputPath("/F", "s", 6, ExportExcel5), "/F/s_al.xls");
    EXPECT_EQ(ExportOutputPath("/F", "s", 11, ExportExcel5), "");
    EXPECT_EQ(ExportOutputPath("/F", "s", 1, 2), "");
}

TEST(OutputFiles, ExistingWorkbooksAreAskedForAndNeverTouchedByTheCheck)
{
    TempProgDir dir;
    TExportParams p;
    p.Measure(1).OutputPath = dir / "x_vm.xls";
    p.Measure(10).OutputPath = dir / "x_en.xls";
    WriteFileAtomic(p.Measure(1).OutputPath, std::string("the old workbook"));
    for (MsgButton answer : {MbNo, MbYes}) {
        ScriptedMessages messages;
        messages.AnswerNext(answer);
        EXPECT_EQ(CheckOutputFiles(p), answer == MbYes ? OutputCheck::Accepted : OutputCheck::Declined);
        ASSERT_EQ(messages.messages.size(), 1u);
        EXPECT_EQ(messages.messages[0].text, "File already exists.\nOverwrite ?");
        EXPECT_EQ(messages.messages[0].type, MsgType::Warning);
        EXPECT_EQ(messages.messages[0].buttons, MbYesNo);
    }
    EXPECT_EQ(ReadText(p.Measure(1).OutputPath), "the old workbook");
    EXPECT_EQ(ListFiles(dir.Path(), "*"), std::vector<std::string>{"x_vm.xls"});
}

TEST(OutputFiles, NameThatCannotBeWrittenIsRefused)
{
    TempProgDir dir;
    ScriptedMessages messages;
    TExportParams p;
    p.Measure(1).OutputPath = dir / "x_vm.txt";
    p.Measure(2).OutputPath = dir / "no-such-folder/x_hz.txt";
    EXPECT_EQ(CheckOutputFiles(p), OutputCheck::InvalidName);
    EXPECT_EQ(messages.Texts(), std::vector<std::string>{"Invalid file name."});
    EXPECT_EQ(messages.messages[0].type, MsgType::Error);
    EXPECT_TRUE(ListFiles(dir.Path(), "*").empty());
    p.Measure(2).OutputPath.clear();
    EXPECT_EQ(CheckOutputFiles(p), OutputCheck::Accepted);
}
