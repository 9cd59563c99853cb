// Fuzz target: the voltage-samples file (.tme) and its time index: the gate that accepts it
// (ReadMeasureFileInfo), the file-type check, the walk that builds the index, the index searches,
// the record heads and trigger tables the index points at, and each record as the waveform view
// reads it, with the scaling of its traces' axes and its navigation over the period.
// Must hold: the index holds one 13-byte entry per record walked, at increasing offsets inside
// the file, each a record whose head reads and whose length holds its head and stays in the file; the
// index file written holds exactly those entries; a search lands on an entry or just past them; a
// record the waveform view accepts gives each channel one value per sample, and an axis over
// them a handful of labels; the view's navigation finds each record of the period again by its
// offset and steps forward to the period's last record.
#include <cmath>

#include "fuzz/fuzz_support.h"
#include "survey/measure_file_info.h"
#include "survey/samples_file.h"
#include "survey/samples_index.h"
#include "survey/samples_record.h"
#include "views/waveform_navigation.h"
#include "views/waveform_scaling.h"

namespace {
void ReadAsWaveform(BinaryFile& file, std::uint32_t offset)
{
    TSamplesFileHeader header;
    FUZZ_CHECK(ReadSamplesFileHeader(file, header));
    const std::optional<TSamplesRecord> record = ReadSamplesRecord(file, header, offset);
    if (!record) return;
    FUZZ_CHECK(SamplesHeadUsable(record->Head, header.FileType));
    for (int c = 0; c < record->Channels(); ++c) {
        const std::vector<double> values = record->ChannelValues(c);
        FUZZ_CHECK(values.size() == record->Head.SamplesPerChannel);
        const TValueRange range = ScanSampleRange(values);
        FUZZ_CHECK(AxisLabels(range, VoltAxisUnit(range).Divisor).size() <= 32);
    }
    FUZZ_CHECK(record->ChannelValues(record->Channels()).empty());
}

// The waveform view's navigation over the file's period: each record of the period is found
// again by its offset and by its time, and stepping ends at the period's end.
void Navigate(const Bytes& index, const TMeasureFileInfo& info)
{
    TWaveformNavigation navigation;
    if (!navigation.Open(index, info, info.FirstTime, info.LastTime + 1.0 / 1440)) return;
    FUZZ_CHECK(navigation.Count() >= 1 && navigation.Current() == 1);
    FUZZ_CHECK(static_cast<std::size_t>(navigation.FirstEntry() + navigation.Count()) * kSamplesIndexEntrySize <= index.size());
    for (int n = 1; n <= std::min(navigation.Count(), 16); ++n) {
        const auto entry = navigation.Entry(n);
        FUZZ_CHECK(entry.has_value());
        navigation.GoToLast();
        FUZZ_CHECK(navigation.GoToOffset(entry->Offset) && navigation.CurrentEntry()->Offset == entry->Offset);
        navigation.GoToLast();
        if (navigation.GoToTime(entry->Time))
            FUZZ_CHECK(ToMilliseconds(navigation.CurrentEntry()->Time) == ToMilliseconds(entry->Time));
    }
    FUZZ_CHECK(!navigation.Entry(0) && !navigation.Entry(navigation.Count() + 1));
    navigation.GoToFirst();
    navigation.ToggleAutoForward();
    int ticks = 0;
    while (navigation.Tick()) FUZZ_CHECK(++ticks < navigation.Count());
    FUZZ_CHECK(navigation.Current() == navigation.Count() && navigation.Stepping() == AutoStep::Off);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    const std::string path = fuzz::WriteInput(run.Path("survey.tme"), {data, size});
    const std::uint8_t type = GetSamplesFileType(path);
    FUZZ_CHECK(type == 0 || IsSamplesFileType(type));
    TMeasureFileInfo info;
    const bool accepted = ReadMeasureFileInfo(path, MeasureSamples, info);
    FUZZ_CHECK(!accepted || (type != 0 && info.RecordCount > 0));

    BinaryFile file;
    FUZZ_CHECK(file.Open(path));
    TSamplesRecordHead last;
    std::uint64_t lastAt = 0;
    if (ReadLastSamplesRecordHead(file, last, &lastAt)) FUZZ_CHECK(lastAt < size);

    const std::optional<Bytes> index = BuildSamplesIndexEntries(path);
    if (!index) return 0;
    FUZZ_CHECK(type != 0);
    FUZZ_CHECK(index->size() % kSamplesIndexEntrySize == 0);
    const std::int64_t entries = static_cast<std::int64_t>(index->size() / kSamplesIndexEntrySize);
    std::uint64_t previous = 0;
    for (std::int64_t n = 0; n < entries; ++n) {
        const auto entry = IndexEntry(*index, n);
        FUZZ_CHECK(entry.has_value());
        FUZZ_CHECK(entry->Offset >= kSamplesFileHeaderSize && entry->Offset < size && entry->Offset >= previous);
        previous = entry->Offset + 1;
        TSamplesRecordHead head;
        FUZZ_CHECK(ReadSamplesRecordHead(file, entry->Offset, type, head) != 0);
        FUZZ_CHECK(head.Length >= SamplesHeadSize(type));
        FUZZ_CHECK(entry->Offset + head.Length <= size);
        if (HasTriggerTable(type)) {
            Bytes table;
            if (file.ReadAt(entry->Offset + SamplesHeadSize(type), kTriggerTableSize, table)) {
                TTriggerEntries triggers;
                FUZZ_CHECK(ReadTriggerEntries(table, triggers));
            }
        }
        (void)SamplesRecordTime(head, false);
        (void)SampleTimeMs(head, head.SamplesPerChannel);
        if (n < 16) ReadAsWaveform(file, entry->Offset);
    }
    FUZZ_CHECK(!IndexEntry(*index, entries).has_value() && !IndexEntry(*index, -1).has_value());
    if (accepted) {
        for (TDateTime t : {info.FirstTime, info.LastTime, (info.FirstTime + info.LastTime) / 2, info.FirstTime - 1,
                            info.LastTime + 1, std::nan("")}) {
            const std::int32_t at = FindIndexEntryAtTime(*index, info, t);
            FUZZ_CHECK(at >= 0 && static_cast<std::size_t>(at) <= index->size() && at % kSamplesIndexEntrySize == 0);
        }
        Navigate(*index, info);
    }

    const std::string indexPath = run.Path("off.idx");
    FUZZ_CHECK(BuildSamplesIndex(path, indexPath));
    FUZZ_CHECK(ReadWholeFile(indexPath) == index);
    return 0;
}
