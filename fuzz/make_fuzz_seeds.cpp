// Writes the seed corpus of every fuzz target into <folder>/<target>/, from the fixture builder
// and the demo survey, each file in the form its target takes (choice bytes and parts before a
// file where the target reads them):
//   orv_make_fuzz_seeds <folder>
// The demo survey is cut to a few records per data file, so seeds stay small and quick to run.
#include <cstdio>
#include <filesystem>
#include <functional>
#include <map>
#include <string>

#include "analysis/analysis_engine.h"
#include "analysis/report_template.h"
#include "export/export_params.h"
#include "fixtures/archive_fixture.h"
#include "fixtures/demo_survey.h"
#include "fixtures/report_fixture.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fuzz/fuzz_support.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "setup/setup_file.h"
#include "sheet/sheet_files.h"
#include "summary/summary_engine.h"
#include "summary/summary_file.h"
#include "summary/summary_params.h"
#include "survey/data_layout.h"

namespace {
namespace fs = std::filesystem;

// The demo survey of one day, its files cut to fit the targets' inputs.
struct Demo {
    std::string folder;
    std::string survey;  // demo.orv
    // A data file's first records, at most `maxBytes` (at least two records), header made to fit.
    Bytes Cut(const std::string& name, std::size_t maxBytes) const
    {
        Bytes bytes = ReadWholeFile(folder + name).value_or(Bytes{});
        const auto header = LoadDataFileHeader(bytes);
        if (!header || header->RecordCount == 0) return bytes;
        const std::size_t size = (header->EndOffset - kDataFileHeaderSize) / header->RecordCount;
        const std::size_t records = std::max<std::size_t>(2, std::min<std::size_t>(header->RecordCount, (maxBytes - 8) / size));
        bytes.resize(kDataFileHeaderSize + records * size);
        StoreDataFileHeader(bytes.data(), {static_cast<std::uint32_t>(bytes.size()), static_cast<std::uint32_t>(records)});
        return bytes;
    }
    Bytes File(const std::string& name) const { return ReadWholeFile(folder + name).value_or(Bytes{}); }
};

const char* const kDataFiles[] = {"", "demo.vme", "demo.hze", "demo.une", "demo.hme", "demo.fle", "demo.ale",
                                  "demo.wme", "demo.tme", "demo.hmi", "demo.ene"};

Bytes Joined(std::initializer_list<Bytes> parts)
{
    Bytes all;
    for (const Bytes& p : parts) all.insert(all.end(), p.begin(), p.end());
    return all;
}

class SeedWriter {
public:
    explicit SeedWriter(std::string folder) : folder_(std::move(folder)) {}
    void Add(const std::string& target, const std::string& name, const Bytes& bytes)
    {
        fs::create_directories(folder_ + target);
        WriteBytes(folder_ + target + "/" + name, bytes);
        ++count_;
    }
    int Count() const { return count_; }

private:
    std::string folder_;
    int count_ = 0;
};

void ReportSeeds(SeedWriter& seeds, const Demo& demo)
{
    ReportFixture every = EveryMeasureReport();
    seeds.Add("report_file", "every_measure", Joined({{0}, ReportBytes(every)}));
    ReportFixture old = every;
    old.old = true;
    for (auto& w : old.measures[0].windows) w.Counts.resize(1);
    for (auto& f : old.measures[0].failed) f.Counts.resize(1);
    seeds.Add("report_file", "old_layout", Joined({{0}, ReportBytes(old)}));
    for (const ReportMeasureFields& m : every.measures) {
        Bytes input{1, static_cast<std::uint8_t>(m.measure - 1), 6, 3, static_cast<std::uint8_t>(every.channelCount), 3};
        fuzz::AppendPart(input, SummarySectionBytes(m, false));
        const Bytes bar = WindowSectionBytes(m, every.channelCount, false);
        input.insert(input.end(), bar.begin(), bar.end());
        seeds.Add("report_file", "temp_files_" + std::to_string(m.measure), input);
    }
    // The analysis of the demo day, as the engine writes it.
    ScriptedMessages quiet;
    TAnalysisParams params;
    SetDefaultAnalysisParams(params);
    params.WindowDays = 1;
    TAnalysisEngine engine(DemoAnalysisSelection(demo.survey, 1), params, demo.folder);
    while (engine.Step()) {}
    const std::string report = demo.folder + "demo.rep";
    if (engine.Completed() && engine.WriteReport(report).Saved)
        seeds.Add("report_file", "demo_day", Joined({{0}, ReadWholeFile(report).value_or(Bytes{})}));
}

void DataFileSeeds(SeedWriter& seeds, const Demo& demo)
{
    // The target's measures in its order: 1 to 7, 9, 10.
    const int measures[] = {1, 2, 3, 4, 5, 6, 7, 9, 10};
    for (std::uint8_t i = 0; i < 9; ++i) {
        const int k = measures[i];
        const Bytes traces = {0x01, 0x12, 0x23, 0x31, 0x05, 0x46};
        seeds.Add("data_file", std::string(kDataFiles[k]).substr(5), Joined({{i}, traces, demo.Cut(kDataFiles[k], 60000)}));
    }
    // A single-phase voltage file without density curves.
    TrendRecordFields single;
    single.wiring = 1;
    single.period = 10;
    single.phases = {{.values = {225, 230, 235}}};
    std::vector<Bytes> records;
    for (int r = 0; r < 4; ++r) {
        TrendRecordFields f = single;
        f.time = StampOf(FixtureTime(2024, 3, 15, 0, 10 * r));
        records.push_back(TrendRecord(1, f));
    }
    seeds.Add("data_file", "vme_single_phase", Joined({{0, 1, 2, 3, 4, 5, 6}, DataFileBytes(records)}));
}

void SamplesSeeds(SeedWriter& seeds, const Demo& demo)
{
    seeds.Add("samples_file", "demo", demo.File("demo.tme"));
    for (std::uint8_t type : {4, 6, 12}) {
        SamplesRecordFields r;
        r.time = StampOf(FixtureTime(2024, 3, 15, 10, 0));
        r.channelSet = type == 12 ? 4 : 0;
        r.samples = {{1, -1, 2, -2}, {3, 4}};
        r.triggers = {{1, 0, 253, 0}};
        SamplesRecordFields later = r;
        later.time = StampOf(FixtureTime(2024, 3, 15, 11, 0));
        later.content = 1;
        seeds.Add("samples_file", "type_" + std::to_string(type),
                  SamplesFileBytes(type, {SamplesRecord(type, r), SamplesRecord(type, later)}));
    }
}

// The floppy target's input: header, disks, each a count of files with name and bytes.
Bytes FloppyInput(const Bytes& header, const std::vector<std::vector<ArchivePart>>& disks)
{
    Bytes input;
    fuzz::AppendPart(input, header);
    input.push_back(static_cast<std::uint8_t>(disks.size() - 1));
    for (const auto& disk : disks) {
        input.push_back(static_cast<std::uint8_t>(disk.size()));
        for (const ArchivePart& part : disk) {
            const std::string name = ArchivePartFileName(part.measure, part.part, part.count);
            fuzz::AppendPart(input, Bytes(name.begin(), name.end()));
            fuzz::AppendPart(input, part.bytes);
        }
    }
    return input;
}

void FloppySeeds(SeedWriter& seeds, const Demo& demo)
{
    const Bytes vm = demo.Cut("demo.vme", 6000), al = demo.File("demo.ale");
    const auto size = [](const Bytes& b) { return static_cast<std::uint32_t>(b.size()); };
    seeds.Add("floppy_archive", "one_disk",
              FloppyInput(ArchiveHeaderBytes(0x21, 1, {size(vm), 0, 0, 0, 0, size(al)}), {{{1, 1, 1, vm}, {6, 1, 1, al}}}));
    const Bytes first(vm.begin(), vm.begin() + 3000), second(vm.begin() + 3000, vm.end());
    seeds.Add("floppy_archive", "two_disks",
              FloppyInput(ArchiveHeaderBytes(0x01, 2, {size(vm)}), {{{1, 1, 2, first}}, {{1, 2, 2, second}}}));
}

void RepositorySeeds(SeedWriter& seeds, const Demo& demo)
{
    seeds.Add("repository", "voltage_events_samples",
              RepositoryBytes(14, {{1, demo.Cut("demo.vme", 12000)}, {6, demo.File("demo.ale")}, {8, demo.File("demo.tme")}}));
    seeds.Add("repository", "six_entries", RepositoryBytes(6, {{2, demo.Cut("demo.hze", 8000)}, {5, demo.Cut("demo.fle", 30000)}}));
    // A ring-buffered voltage section: its newest records first.
    Bytes ring = demo.Cut("demo.vme", 12000);
    const auto header = LoadDataFileHeader(ring);
    const std::size_t size = (header->EndOffset - 8) / header->RecordCount;
    std::rotate(ring.begin() + 8, ring.begin() + 8 + static_cast<std::ptrdiff_t>(2 * size), ring.end());
    seeds.Add("repository", "ring_buffer", RepositoryBytes(9, {{1, ring}}));
}

void SmallRecordSeeds(SeedWriter& seeds, const Demo& demo)
{
    seeds.Add("limits_file", "default", LimitsRecordBytes(DefaultLimits()));
    TLimitsRecord strict = DefaultLimits();
    strict.VHigh = 100, strict.VLow = 0, strict.VPerc = 1, strict.FlkHigh = 100;
    seeds.Add("limits_file", "extremes", LimitsRecordBytes(strict));

    TExportParams params;
    params.Format = ExportText;
    params.Measure(1).OutputPath = "/sheets/demo_vm.txt";
    params.Measure(1).Items[0] = params.Measure(1).Items[2] = true;
    params.Measure(1).Phases = {true, true, false};
    params.Measure(4).OutputPath = "/sheets/demo_hm.txt";
    params.VoltageOrderCount = 3;
    params.VoltageOrders[0] = 0, params.VoltageOrders[1] = 3, params.VoltageOrders[2] = 5;
    params.VoltageChosenCount = 2;
    params.VoltageChosen[0] = 3, params.VoltageChosen[1] = 5;
    seeds.Add("export_params", "two_measures", PackExportParams(params).value_or(Bytes{}));
    seeds.Add("export_params", "empty", PackExportParams(TExportParams{}).value_or(Bytes{}));

    // The summary of the demo day, as the engine writes it.
    ScriptedMessages quiet;
    TSummaryParams summary;
    SetDefaultSummaryParams(summary);
    summary.Percentile = 95;
    for (int o : {0, 3, 5}) summary.HarmonicSelected[static_cast<std::size_t>(o)] = true;
    const std::string path = demo.folder + "summary.tmp";
    TSummaryEngine engine(DemoAnalysisSelection(demo.survey, 1), summary, path);
    while (engine.Step()) {}
    if (FileExists(path)) seeds.Add("summary_file", "demo_day", ReadWholeFile(path).value_or(Bytes{}));
    TSummaryFile empty;
    SetDefaultSummaryParams(empty.Params);
    seeds.Add("summary_file", "nothing_selected", empty.Pack().value_or(Bytes{}));
}

void SurveySeeds(SeedWriter& seeds, const Demo& demo)
{
    // Each upgrade of the demo survey with its data files, cut small.
    for (std::uint8_t upgrade = 0; upgrade < 4; ++upgrade) {
        Bytes input{upgrade};
        fuzz::AppendPart(input, demo.File("demo.orv"));
        for (int k = 1; k <= 10; ++k)
            fuzz::AppendPart(input, k == 8 ? demo.File("demo.tme") : demo.Cut(kDataFiles[k], k == 5 ? 30000 : 3000));
        seeds.Add("survey_file", "demo_upgrade_" + std::to_string(upgrade), input);
    }
    for (int layout : {10, 13}) {
        const std::string path = WriteSurveyFile(demo.folder + "old.orv", {.layout = layout, .dataFiles = {{1, "demo.vme"}, {6, "demo.ale"}}});
        Bytes input{1};
        fuzz::AppendPart(input, ReadWholeFile(path).value_or(Bytes{}));
        fuzz::AppendPart(input, demo.Cut("demo.vme", 3000));
        for (int k = 2; k <= 5; ++k) fuzz::AppendPart(input, {});
        fuzz::AppendPart(input, demo.File("demo.ale"));
        seeds.Add("survey_file", "layout_" + std::to_string(layout), input);
    }
}

void SetupSeeds(SeedWriter& seeds, const Demo& demo)
{
    // The whole record, and the shorter files of older software (533 and 359 bytes).
    std::string error;
    const std::string path = demo.folder + "default.cfg";
    if (!WriteSetupFile(path, DefaultSetup(), &error)) return;
    const Bytes whole = demo.File("default.cfg");
    seeds.Add("setup_file", "default", whole);
    for (std::size_t size : {533u, 359u}) seeds.Add("setup_file", "first_" + std::to_string(size), Bytes(whole.begin(), whole.begin() + size));
}

void EventsSeeds(SeedWriter& seeds, const Demo& demo)
{
    // Every event let through, then none of the voltage class; the demo day's captures, or none.
    const Bytes all = {0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0, 0, 3}, noVoltage = {0xFE, 0xFF, 0xFF, 0xFF, 0xFF, 0x09, 0x21, 0};
    for (const auto& [name, choice] : std::map<std::string, Bytes>{{"all", all}, {"no_voltage", noVoltage}}) {
        Bytes input = choice;
        fuzz::AppendPart(input, demo.File("demo.ale"));
        seeds.Add("events_list", name, input);
        const Bytes samples = demo.File("demo.tme");
        input.insert(input.end(), samples.begin(), samples.end());
        seeds.Add("events_list", name + "_with_captures", input);
    }
}

void ValuesSheetSeeds(SeedWriter& seeds, const Demo& demo)
{
    // The target's measures in its order: 1 to 5, 7 to 10; six traces on the first channels.
    const int kinds[] = {1, 2, 3, 4, 5, 7, 8, 9, 10};
    const Bytes traces = {1, 2, 3, 9, 10, 11};
    for (std::uint8_t i = 0; i < 9; ++i) {
        const int k = kinds[i];
        const Bytes file = k == 8 ? demo.File(kDataFiles[k]) : demo.Cut(kDataFiles[k], 30000);
        seeds.Add("values_sheet", std::string(kDataFiles[k]).substr(5), Joined({{i, 0, 0}, traces, file}));
        if (k == 4 || k == 9) seeds.Add("values_sheet", std::string(kDataFiles[k]).substr(5) + "_some", Joined({{i, 0x21, 0x05}, traces, file}));
    }
}

void RecentFilesSeeds(SeedWriter& seeds)
{
    std::string lines;
    for (const char* line : {"/surveys/feeder3.orv", "/surveys/Feeder3.ORV", "", "", "", "/reports/feeder3.rep", "", "", "", "",
                             "/reports/summary 1.sum", "", "", "", "", "/sheets/a&b.xls", "/sheets/c.txt", "", "", ""})
        lines += std::string(line) + "\r\n";
    seeds.Add("recent_files", "four_lists", Bytes(lines.begin(), lines.end()));
}

void SheetSeeds(SeedWriter& seeds)
{
    TF1Book small;
    small.SetCellText(1, 1, "Voltage");
    small.SetCellText(1, 2, "L1 Average");
    small.SetCellNumber(2, 1, 45366.5);
    small.SetCellNumber(2, 2, 230.25);
    small.SetCellText(3, 1, "Größe");
    small.SetCellNumber(3, 2, -1e-5);
    std::string error;
    for (const auto& [name, book] : std::map<std::string, TF1Book>{{"small", small}, {"report_template", ReportTemplateBook()}}) {
        if (auto xls = BookFileBytes(book, kFileTypeExcel5, error)) seeds.Add("excel_sheet", name, *xls);
        if (auto text = BookFileBytes(book, kFileTypeText, error)) seeds.Add("text_sheet", name, *text);
    }
}
}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const std::string folder = fs::path(argv[1]).string() + "/";
    fs::create_directories(folder);
    const std::string work = folder + "demo/";
    SetProgDir(folder);
    Demo demo{work, WriteDemoSurvey(work, 1)};
    if (demo.survey.empty()) {
        std::fprintf(stderr, "cannot write the demo survey into %s\n", work.c_str());
        return 1;
    }
    SeedWriter seeds(folder);
    ReportSeeds(seeds, demo);
    DataFileSeeds(seeds, demo);
    SamplesSeeds(seeds, demo);
    FloppySeeds(seeds, demo);
    RepositorySeeds(seeds, demo);
    SmallRecordSeeds(seeds, demo);
    SurveySeeds(seeds, demo);
    SetupSeeds(seeds, demo);
    SheetSeeds(seeds);
    EventsSeeds(seeds, demo);
    ValuesSheetSeeds(seeds, demo);
    RecentFilesSeeds(seeds);
    fs::remove_all(work);
    std::printf("%d seeds in %s\n", seeds.Count(), folder.c_str());
    return 0;
}
