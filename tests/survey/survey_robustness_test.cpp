// Damaged survey-side files: every truncation and thousands of seeded random byte changes (some
// aimed at header counts, sizes, offsets, lengths and content flags) of small valid files of each
// kind are either read or refused with a message, never a crash, a hang or a read past a buffer
// (this test also runs under AddressSanitizer and UndefinedBehaviorSanitizer).
#include "fixtures/archive_fixture.h"
#include "fixtures/data_fixture.h"
#include "fixtures/samples_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/temp_prog_dir.h"
#include "platform/prog_dirs.h"
#include "platform/scripted_messages.h"
#include "survey/data_file.h"
#include "survey/data_layout.h"
#include "survey/measure_file_info.h"
#include "survey/record_readers.h"
#include "survey/record_search.h"
#include "survey/samples_file.h"
#include "survey/samples_index.h"
#include "survey/samples_record.h"
#include "survey/survey_file.h"
#include "survey/text_tables.h"
#include "survey/intake/append_checks.h"
#include "survey/intake/archive_header.h"
#include "survey/intake/floppy_reader.h"
#include "survey/intake/received_store.h"
#include "survey/intake/repository_import.h"
#include "views/trace_settings.h"
#include "views/trend_reading.h"
#include "views/waveform_navigation.h"
#include "views/waveform_traces.h"
#include "views/waveform_triggers.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <random>

namespace {
// A field a targeted change aims at: `width` bytes (1, 2 or 4) at `offset`.
struct Field {
    std::size_t offset;
    int width;
};

std::uint32_t Load(const Bytes& b, const Field& f)
{
    std::uint32_t v = 0;
    for (int i = 0; i < f.width; ++i) v |= std::uint32_t(b[f.offset + static_cast<std::size_t>(i)]) << (8 * i);
    return v;
}

void Store(Bytes& b, const Field& f, std::uint32_t v)
{
    for (int i = 0; i < f.width; ++i) b[f.offset + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(v >> (8 * i));
}

// 1 to 8 bytes anywhere take random values.
Bytes Mutated(Bytes bytes, unsigned seed)
{
    std::mt19937 random(seed);
    if (bytes.empty()) return bytes;
    const int changes = 1 + static_cast<int>(random() % 8);
    for (int i = 0; i < changes; ++i) bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
    return bytes;
}

// One or two of the fields take a boundary value: 0, 1, the sign edges, all ones, the old value
// plus or minus one, doubled, or the file's size and its neighbours.
Bytes Targeted(Bytes bytes, const std::vector<Field>& fields, unsigned seed)
{
    std::mt19937 random(seed);
    std::vector<Field> usable;
    for (const Field& f : fields)
        if (f.offset + static_cast<std::size_t>(f.width) <= bytes.size()) usable.push_back(f);
    if (usable.empty()) return Mutated(std::move(bytes), seed);
    const int changes = 1 + static_cast<int>(random() % 2);
    for (int i = 0; i < changes; ++i) {
        const Field& f = usable[random() % usable.size()];
        const std::uint32_t old = Load(bytes, f);
        const auto size = static_cast<std::uint32_t>(bytes.size());
        const std::uint32_t values[] = {0, 1, 2, 3, 0x7F, 0x80, 0xFF, 0x100, 0x7FFF, 0x8000, 0xFFFF, 0x10000,
                                        0x7FFFFFFF, 0x80000000u, 0xFFFFFFFFu, old + 1, old - 1, old * 2, old / 2,
                                        size, size + 1, size - 1, size - 8, size - 9, static_cast<std::uint32_t>(random())};
        Store(bytes, f, values[random() % std::size(values)]);
    }
    return bytes;
}

Bytes Cut(const Bytes& b, std::size_t n) { return Bytes(b.begin(), b.begin() + static_cast<std::ptrdiff_t>(n)); }

Bytes Concat(std::initializer_list<Bytes> parts)
{
    Bytes out;
    for (const auto& p : parts) out.insert(out.end(), p.begin(), p.end());
    return out;
}

bool AnyShown(const ScriptedMessages& messages) { return !messages.messages.empty(); }

std::string CorruptedText(std::string_view measureName)
{
    std::string text(kSurveyCorruptedMessage);
    return text.replace(text.find("%s"), 2, std::string(measureName));
}

// Answers so that no prompt can loop for ever: OK to insert a disk, No to a retry, Yes to skip
// a file, Cancel after a score of disks. After many other messages everything is cancelled and the case counts as a hang.
class AnsweringMessages : public ScriptedMessages {
public:
    int shown = 0;
    int inserts = 0;
    bool runaway = false;
    MsgButton Message(const std::string& text, MsgType type, unsigned buttons, const std::string& caption) override
    {
        const bool insert = text.rfind("Insert disk", 0) == 0;
        // A damaged disk count may ask for many disks; a user gives up after a score of them.
        if (insert && ++inserts > 20) {
            AnswerNext(MbCancel);
        } else if (!insert && ++shown > 60) {
            runaway = true;
            AnswerNext((buttons & MbCancel) ? MbCancel : MbNo);
        } else if (text.find("Retry") != std::string::npos) {
            AnswerNext(MbNo);
        } else if (text.rfind("Skip", 0) == 0) {
            AnswerNext(MbYes);
        }
        return ScriptedMessages::Message(text, type, buttons, caption);
    }
};

// ---------------------------------------------------------------------------------------------
// Fixed-record data files.

FixtureStamp Minute(int minute, int second = 0, int hundredths = 0)
{
    FixtureStamp s;
    s.hour = 10 + minute / 60;
    s.minute = minute % 60;
    s.second = second;
    s.hundredths = hundredths;
    return s;
}

struct DataKind {
    std::string name;
    int measure;
    std::vector<Bytes> records;
};

std::vector<DataKind> DataKinds()
{
    std::vector<DataKind> kinds;
    auto trend = [](int measure, std::uint16_t flags, std::uint16_t wiring, std::vector<std::int32_t> curve) {
        std::vector<Bytes> records;
        for (int i = 0; i < 3; ++i) {
            TrendRecordFields r{.time = Minute(10 * i, i), .wiring = wiring, .period = 10, .flags = flags};
            const float v = 230.0f + static_cast<float>(i);
            for (int p = 0; p < 3; ++p) r.phases.push_back({.values = {v - 1, v, v + 1}, .percentiles = {1, 2, 3, 4, 5, 6},
                                                           .curveTotal = 7, .curve = curve});
            records.push_back(TrendRecord(measure, r));
        }
        return records;
    };
    kinds.push_back({"voltage", MeasureVoltage, trend(1, 2 | 4 | 8 | 16, 0, {})});
    kinds.push_back({"voltage with curves", MeasureVoltage, trend(1, 2 | 32, 0, {1, 2, 3})});
    kinds.push_back({"single-phase voltage", MeasureVoltage, trend(1, 2, 1, {})});
    kinds.push_back({"frequency", MeasureFrequency, trend(2, 2 | 4, 0, {})});
    kinds.push_back({"unbalance", MeasureUnbalance, trend(3, 2 | 32, 0, {4})});
    {
        std::vector<Bytes> records;
        for (int i = 0; i < 3; ++i)
            records.push_back(HarmonicsRecord({.time = Minute(10 * i),
                                               .blocks = {{.flags = 2, .order = 1}, {.flags = 2 | 4, .order = 3},
                                                          {.flags = 2 | 0x100, .order = 5}}}));
        kinds.push_back({"voltage harmonics", MeasureVoltageHarmonics, records});
    }
    {
        std::vector<Bytes> full, shortSet;
        for (int i = 0; i < 3; ++i) {
            full.push_back(FlickerRecord({.time = Minute(10 * i), .phases = {{.stats = {1, 2, 3, 4, 5, 6, 7, 8}}}}));
            shortSet.push_back(FlickerRecord({.time = Minute(10 * i), .mode = 1, .phases = {{.stats = {1, 2}}}}));
        }
        kinds.push_back({"flicker", MeasureFlicker, full});
        kinds.push_back({"flicker short set", MeasureFlicker, shortSet});
    }
    kinds.push_back({"events", MeasureEvents,
                     {EventRecord({.type = 1, .threshold = 207, .time = Minute(1, 2, 3), .duration = 10}),
                      EventRecord({.type = 2, .threshold = 253, .time = Minute(1, 2, 40), .duration = 20}),
                      EventRecord({.type = 3, .threshold = 207, .time = Minute(9, 0, 99), .duration = 30})}});
    {
        std::vector<Bytes> records;
        for (int i = 0; i < 3; ++i) records.push_back(PowerRecord({.time = Minute(15 * i), .active = {1, 2, 3}}));
        kinds.push_back({"powers", MeasurePowers, records});
    }
    {
        std::vector<Bytes> records;
        for (int i = 0; i < 3; ++i)
            records.push_back(CurrentHarmonicsRecord({.time = Minute(10 * i),
                                                      .blocks = {{.index = 0}, {.index = 2}, {.flags = 2 | 4, .index = 3}}}));
        kinds.push_back({"current harmonics", MeasureCurrentHarmonics, records});
    }
    {
        std::vector<Bytes> totals, phases;
        for (int i = 0; i < 3; ++i) {
            totals.push_back(EnergyRecord({.time = Minute(15 * i), .totals = {1, 2, 3}}));
            phases.push_back(EnergyRecord({.time = Minute(15 * i), .perPhase = 0, .totals = {1, 2, 3}}));
        }
        kinds.push_back({"energy", MeasureEnergy, totals});
        kinds.push_back({"energy per phase", MeasureEnergy, phases});
    }
    return kinds;
}

// The header words, then each record's stamp, wiring, period, content flags, block counts and
// harmonic block flags.
std::vector<Field> DataFields(const DataKind& kind)
{
    std::vector<Field> fields{{0, 4}, {4, 4}};
    std::size_t at = kDataFileHeaderSize;
    for (const Bytes& record : kind.records) {
        auto add = [&](std::size_t offset, int width) { fields.push_back({at + offset, width}); };
        const StampLayout layout = *StampLayoutOf(kind.measure);
        add(layout.dateAt, 2), add(layout.dateAt + 2, 1), add(layout.dateAt + 3, 1), add(layout.timeAt, 1),
            add(layout.timeAt + 1, 1);
        switch (kind.measure) {
        case MeasureVoltageHarmonics:
        case MeasureCurrentHarmonics: {
            const bool current = kind.measure == MeasureCurrentHarmonics;
            add(current ? CurrentHarmonicsHead::Wiring : HarmonicsHead::Wiring, 2);
            add(current ? CurrentHarmonicsHead::BlockCount : HarmonicsHead::BlockCount, 2);
            const auto blocks = HarmonicBlocks(record, current);
            for (const auto& block : *blocks) add(block.start, 2), add(block.start + 2, 2);
            break;
        }
        case MeasureFlicker: add(FlickerHead::Flags, 2), add(FlickerHead::Mode, 1), add(FlickerHead::Wiring, 2); break;
        case MeasureEvents: add(EventField::Type, 2), add(EventField::Channel, 2), add(EventField::Time + 2, 1); break;
        case MeasurePowers: add(PowerHead::Flags, 2), add(PowerHead::Wiring, 2), add(PowerHead::CurrentWiring, 2); break;
        case MeasureEnergy: add(EnergyField::PerPhase, 2); break;
        default: add(TrendHead::Flags, 2), add(TrendHead::Wiring, 2), add(TrendHead::SecondsWord, 2), add(TrendHead::Period, 2);
        }
        at += record.size();
    }
    return fields;
}

// Trace entries at the given offsets (one deliberately at the record's last float and one just
// past it, as a corrupt flag word might announce).
TTraceSettings TracesAt(std::vector<std::int32_t> offsets)
{
    TTraceSettings s = NewTraceSettings(0, 500);
    for (std::size_t k = 0; k < offsets.size() && k < kTraceCount; ++k) {
        s.Entries[k].Item = static_cast<std::int32_t>(k + 1);
        s.Entries[k].Offset = offsets[k];
    }
    return s;
}

std::vector<std::int32_t> TraceOffsets(int measure, RecordBytes first, std::uint32_t recordSize)
{
    std::vector<std::int32_t> offsets;
    const auto size = static_cast<std::int32_t>(recordSize);
    auto u16 = [&](std::size_t at) { return at + 2 <= first.size() ? LoadU16(&first[at]) : std::uint16_t(0); };
    switch (measure) {
    case MeasureVoltage:
    case MeasureFrequency:
    case MeasureUnbalance: {
        const std::uint16_t flags = u16(TrendHead::Flags);
        for (int p = 0; p < 3; ++p)
            if (auto at = TrendValueOffset(flags, CurveClasses(measure), p, TrendValue::Average)) offsets.push_back(static_cast<std::int32_t>(*at));
        break;
    }
    case MeasurePowers:
        if (auto at = PowerGroupOffset(u16(PowerHead::Flags), IsThreePhaseWiring(u16(PowerHead::Wiring)),
                                       u16(PowerHead::CurrentWiring), PowerGroup::Active))
            offsets.push_back(static_cast<std::int32_t>(*at));
        break;
    case MeasureFlicker:
        if (first.size() > FlickerHead::Mode)
            if (auto at = FlickerStatOffset(u16(FlickerHead::Flags), first[FlickerHead::Mode], 0, 0))
                offsets.push_back(static_cast<std::int32_t>(*at));
        break;
    case MeasureEnergy: offsets.push_back(static_cast<std::int32_t>(EnergyField::Totals)); break;
    default: offsets.push_back(size / 2); break;
    }
    offsets.push_back(size - 4);
    offsets.push_back(size - 3);
    return offsets;
}

bool IsRecordStart(const TDataFile& F, std::int64_t position) { return F.RecordIndex(static_cast<std::uint64_t>(position)) >= 0; }

// Every search over the whole range and at each record, every record reader over every record
// (from a block reader and from the file), the append check against the good file, and the
// trend view's opening and window reading.
void RunRecordReaders(const std::string& path, int measure, const TMeasureFileInfo& info, const std::string& goodPath,
                      const std::string& what)
{
    TDataFile F;
    ASSERT_EQ(F.Open(path, measure), DataFileFault::None) << what << ": accepted by the gate, refused when opened";
    const std::int64_t count = F.RecordCount();
    auto find = [&](TDateTime t) {
        if (measure == MeasureFlicker) return FindFlickerRecordAtTime(F, info, t);
        if (measure == MeasureEvents) return FindEventRecordAtTime(F, info, t);
        return FindRecordAtTime(F, info, t);
    };
    std::vector<TDateTime> times{info.FirstTime - 1, info.FirstTime, (info.FirstTime + info.LastTime) / 2, info.LastTime,
                                 info.LastTime + 1};
    Bytes record;
    for (std::int64_t i = 0; i < count; ++i)
        if (F.ReadRecord(F.RecordPosition(i), record))
            if (auto t = RecordTime(*StampLayoutOf(measure), record)) times.push_back(*t);
    for (TDateTime t : times) {
        EXPECT_TRUE(IsRecordStart(F, find(t))) << what;
        for (TDateTime u : times) {
            if (auto range = FindRecordsInInterval(F, info, t, u)) {
                EXPECT_TRUE(IsRecordStart(F, range->First) && IsRecordStart(F, range->Last)) << what;
                EXPECT_LE(range->First, range->Last) << what;
            }
        }
    }

    if (!F.ReadRecord(F.RecordPosition(0), record)) {
        ADD_FAILURE() << what << ": first record unreadable after the gate";
        return;
    }
    const TTraceSettings traces = TracesAt(TraceOffsets(measure, record, F.RecordSize()));
    const std::uint16_t flags0 = record.size() >= TrendHead::Size ? LoadU16(&record[TrendHead::Flags]) : 0;
    auto readOne = [&](RecordBytes r) {
        TTraceSettings s = traces;
        TPhaseValues v;
        switch (measure) {
        case MeasureVoltageHarmonics:
        case MeasureCurrentHarmonics: {
            const bool current = measure == MeasureCurrentHarmonics;
            if (current) {
                TCurrentHarmonicPairs pairs{};
                ReadCurrentHarmonicsTrendRecord(r, s, pairs);
            } else {
                ReadTrendRecord(measure, r, s);
            }
            if (auto blocks = HarmonicBlocks(r, current)) {
                std::vector<std::uint16_t> blockFlags;
                for (const auto& b : *blocks) blockFlags.push_back(b.flags);
                THarmonicPhaseValues hv;
                hv.ThreePhase = IsThreePhaseWiring(LoadU16(&r[current ? CurrentHarmonicsHead::Wiring : HarmonicsHead::Wiring]));
                hv.BlockCount = static_cast<std::int16_t>(blockFlags.size());
                if (!current && SetHarmonicPhaseOffsets(blockFlags, hv)) ReadHarmonicPhaseValues(r, hv);
            }
            break;
        }
        case MeasureFlicker:
            ReadFlickerTrendRecord(r, s);
            v.ThreePhase = r.size() > FlickerHead::Wiring + 1 && IsThreePhaseWiring(LoadU16(&r[FlickerHead::Wiring]));
            if (r.size() > FlickerHead::Mode) SetFlickerPhaseOffsets(LoadU16(&r[FlickerHead::Flags]), r[FlickerHead::Mode], v);
            ReadFlickerPhaseValues(r, v);
            break;
        case MeasureEnergy: ReadEnergyTrendRecord(r, s); break;
        case MeasureEvents: break;
        default:
            ReadTrendRecord(measure, r, s);
            v.ThreePhase = IsThreePhaseWiring(LoadU16(&r[TrendHead::Wiring]));
            if (SetPhaseOffsets(flags0, v)) ReadPhaseValues(measure, r, v);
        }
    };
    RecordBlockReader block(F, 0, count - 1, 2 * F.RecordSize() + 3);
    for (auto r = block.Next(); !r.empty(); r = block.Next()) readOne(r);
    EXPECT_FALSE(block.Failed()) << what;
    // The file forms, at every record and at positions that are no record start.
    for (std::int64_t i = 0; i <= count; ++i) {
        for (std::int64_t position : {static_cast<std::int64_t>(F.RecordPosition(i)), static_cast<std::int64_t>(F.RecordPosition(i)) + 1}) {
            TTraceSettings s = traces;
            TPhaseValues v;
            v.OffsetL1 = traces.Entries[0].Offset;
            THarmonicPhaseValues hv;
            switch (measure) {
            case MeasureFlicker: ReadFlickerTrendRecord(F, position, s), ReadFlickerPhaseValues(F, position, v); break;
            case MeasureEnergy: ReadEnergyTrendRecord(F, position, s); break;
            case MeasureCurrentHarmonics: {
                TCurrentHarmonicPairs pairs{};
                ReadCurrentHarmonicsTrendRecord(F, position, s, pairs);
                break;
            }
            case MeasureVoltageHarmonics: ReadTrendRecord(F, position, s), ReadHarmonicPhaseValues(F, position, hv); break;
            case MeasureEvents: break;
            default: ReadTrendRecord(F, position, s), ReadPhaseValues(F, position, v);
            }
        }
    }
    F.Close();

    // The append checks both ways: either compatible or a reason, never a fault.
    AppendIncompatibility(goodPath, path, measure);
    AppendIncompatibility(path, goodPath, measure);

    // The trend opening and window reading of the measure's view.
    if (const TTrendMember* member = TrendMemberOf(measure)) {
        ScriptedMessages messages;
        const TTrendOpening opening = OpenTrendHead(info, *member, info.FirstTime - 1, info.LastTime + 1);
        if (opening.Fault != TrendOpenFault::None) {
            EXPECT_TRUE(AnyShown(messages)) << what << ": trend opening refused without a message";
            return;
        }
        TDataFile V;
        ASSERT_TRUE(OpenTrendDataFile(V, info, measure)) << what;
        // Every column the layout offers, up to six traces.
        const TTrendLayout& layout = opening.Head.Layout;
        std::vector<std::int32_t> offsets;
        for (int k = 1; k < kColumnEntries && offsets.size() < kTraceCount; ++k)
            if (layout.Columns.Columns[static_cast<std::size_t>(k)] != 0) offsets.push_back(layout.Columns.Columns[static_cast<std::size_t>(k)]);
        TTraceSettings s = TracesAt(offsets);
        const TWindowValues values = ReadTraceWindow(V, opening.Head.FullWindow, *member, layout, s);
        EXPECT_LE(values.RecordsRead(), opening.Head.PeriodRecords) << what;
        JoinFlags(values.Times.Values(), DescribePeriod(member->PeriodUnit, layout.Period).GapSeconds);
        // A window dragged right to left, and one that is no record's start.
        TRecordWindow reversed{opening.Head.FullWindow.LastPos, opening.Head.FullWindow.FirstPos};
        ReadTraceWindow(V, reversed, *member, layout, s);
        TRecordWindow odd{opening.Head.FullWindow.FirstPos + 1, opening.Head.FullWindow.LastPos};
        EXPECT_FALSE(ReadTraceWindow(V, odd, *member, layout, s).Complete) << what;
    }
}

// The gate, then (when it accepts) every reader.
void ExpectDataFileReadOrRefused(const std::string& path, const Bytes& bytes, int measure, const std::string& goodPath,
                                 const std::string& what)
{
    WriteBytes(path, bytes);
    TMeasureFileInfo info;
    bool accepted = false;
    {
        ScriptedMessages messages;
        accepted = ReadMeasureFileInfo(path, measure, info);
        if (!accepted) {
            EXPECT_TRUE(messages.Shown(CorruptedText(MeasureName(measure)))) << what;
            return;
        }
        EXPECT_FALSE(AnyShown(messages)) << what << ": accepted with a message";
    }
    ScriptedMessages messages;
    RunRecordReaders(path, measure, info, goodPath, what);
}

// ---------------------------------------------------------------------------------------------
// Samples files.

std::vector<std::pair<std::uint8_t, Bytes>> SamplesFiles()
{
    std::vector<std::pair<std::uint8_t, Bytes>> files;
    for (std::uint8_t type : {4, 6, 12}) {
        std::vector<Bytes> records;
        for (int i = 0; i < 3; ++i) {
            SamplesRecordFields r;
            r.time = Minute(10 * i, 30, 50);
            r.channelSet = static_cast<std::uint8_t>(i == 1 ? 1 : 7);
            r.samplesPerChannel = 3;
            r.content = static_cast<std::uint8_t>(i == 2 ? 2 : 0);
            r.seventhScale = -2;
            r.triggers = {{.type = 1, .channel = 1, .value1 = 207}};
            r.samples = {{1, 2, 3}, {4, 5, 6}};
            records.push_back(SamplesRecord(type, r));
        }
        files.emplace_back(type, SamplesFileBytes(type, records));
    }
    return files;
}

std::vector<Field> SamplesFields(const Bytes& file)
{
    std::vector<Field> fields{{0, 1}, {1, 4}, {5, 4}, {file.size() - 4, 4}};
    // Walk the records by their lengths: each head's length, channel set, samples and content.
    std::size_t at = kSamplesFileHeaderSize;
    while (at + 4 <= file.size() && fields.size() < 40) {
        const std::uint32_t length = LoadU32(&file[at]);
        for (std::size_t offset : {0, 12, 13, 15, 17, 19}) fields.push_back({at + offset, offset == 0 ? 4 : 2});
        if (length < 8 || at + length > file.size()) break;
        fields.push_back({at + length - 4, 4});
        at += length;
    }
    return fields;
}

void ExpectSamplesFileReadOrRefused(const std::string& path, const Bytes& bytes, const std::string& what)
{
    WriteBytes(path, bytes);
    ScriptedMessages messages;
    const std::uint8_t type = GetSamplesFileType(path);
    if (type == 0) {
        EXPECT_TRUE(AnyShown(messages)) << what;
    }
    messages.Clear();
    TMeasureFileInfo info;
    const bool accepted = ReadMeasureFileInfo(path, MeasureSamples, info);
    if (!accepted) {
        EXPECT_TRUE(messages.Shown(CorruptedText("Voltage Samples"))) << what;
    }

    BinaryFile file;
    ASSERT_TRUE(file.Open(path));
    TSamplesRecordHead head;
    std::uint64_t lastAt = 0;
    if (ReadLastSamplesRecordHead(file, head, &lastAt)) {
        EXPECT_LT(lastAt, file.Size()) << what;
        SamplesRecordTime(head, false);
    }

    auto index = BuildSamplesIndexEntries(path);
    if (!index) return;
    EXPECT_EQ(index->size() % kSamplesIndexEntrySize, 0u) << what;
    TSamplesFileHeader header;
    ASSERT_TRUE(ReadSamplesFileHeader(file, header)) << what;
    const auto entries = static_cast<std::int64_t>(index->size() / kSamplesIndexEntrySize);
    for (std::int64_t n = 0; n <= entries; ++n) {
        auto entry = IndexEntry(*index, n);
        if (n == entries) {
            EXPECT_FALSE(entry) << what;
            break;
        }
        ASSERT_TRUE(entry) << what;
        EXPECT_LT(entry->Offset, file.Size()) << what;
        if (ReadSamplesRecordHead(file, entry->Offset, header.FileType, head) == 0) continue;
        // What a waveform view reads: the head, the trigger table and each channel's samples,
        // within the record's own length.
        Bytes record;
        if (!file.ReadAt(entry->Offset, head.Length, record)) continue;
        TTriggerEntries triggers;
        if (HasTriggerTable(header.FileType) && record.size() >= SamplesHeadSize(header.FileType))
            ReadTriggerEntries(RecordBytes(record).subspan(SamplesHeadSize(header.FileType)), triggers);
        SamplesRecordMinimumLength(head, header.FileType);
        for (int c = 0; c < SamplesChannelCount(head.ChannelSet); ++c) ChannelSamplesOffset(head, header.FileType, c);
        for (int i = 0; i < head.SamplesPerChannel && i < 4; ++i) SampleTimeMs(head, i);
        // The waveform view's reading: a checked record, its channels' values and its triggers.
        if (auto checked = ReadSamplesRecord(file, header, entry->Offset)) {
            EXPECT_LE(checked->Head.Length, file.Size() - entry->Offset) << what;
            for (int c = 0; c < checked->Channels(); ++c)
                EXPECT_EQ(checked->ChannelValues(c).size(), checked->Head.SamplesPerChannel) << what;
            const TRecordTraces traces = BuildRecordTraces(checked->Key(), TWaveformTraceMemory(NewWaveformTraceSettings()));
            FillTriggerGrid(*checked, traces.Settings, traces.Channels);
        }
    }
    if (accepted) {
        for (TDateTime t : {info.FirstTime - 1, info.FirstTime, (info.FirstTime + info.LastTime) / 2, info.LastTime, info.LastTime + 1}) {
            const std::int32_t at = FindIndexEntryAtTime(*index, info, t);
            EXPECT_GE(at, 0) << what;
            EXPECT_LE(static_cast<std::size_t>(at), index->size()) << what;
            EXPECT_EQ(static_cast<std::size_t>(at) % kSamplesIndexEntrySize, 0u) << what;
        }
        TWaveformNavigation navigation;
        if (navigation.Open(*index, info, info.FirstTime, info.LastTime)) {
            EXPECT_LE(navigation.FirstEntry() + navigation.Count(), entries) << what;
            navigation.GoToLast();
            EXPECT_TRUE(navigation.CurrentEntry()) << what;
        }
    }
}
}  // namespace

class SurveyRobustness : public ::testing::Test {
protected:
    void SetUp() override { CreateProgramFolders(); }
    TempProgDir dir;
};

TEST_F(SurveyRobustness, EveryDataFileKindSurvivesEveryTruncation)
{
    for (const DataKind& kind : DataKinds()) {
        const Bytes good = DataFileBytes(kind.records);
        const std::string goodPath = WriteBytes(dir / "good.dat", good);
        for (std::size_t n = 0; n < good.size(); ++n)
            ExpectDataFileReadOrRefused(dir / "cut.dat", Cut(good, n), kind.measure, goodPath,
                                        kind.name + " cut at " + std::to_string(n));
        // The whole file, and the file with a partial extra record.
        ExpectDataFileReadOrRefused(dir / "cut.dat", good, kind.measure, goodPath, kind.name + " whole");
        ExpectDataFileReadOrRefused(dir / "cut.dat", Concat({good, Bytes(5, 0xEE)}), kind.measure, goodPath, kind.name + " tail");
    }
}

TEST_F(SurveyRobustness, EveryDataFileKindSurvivesSeededByteChanges)
{
    for (const DataKind& kind : DataKinds()) {
        const Bytes good = DataFileBytes(kind.records);
        const std::string goodPath = WriteBytes(dir / "good.dat", good);
        const std::vector<Field> fields = DataFields(kind);
        for (unsigned seed = 1; seed <= 400; ++seed) {
            ExpectDataFileReadOrRefused(dir / "bad.dat", Mutated(good, seed), kind.measure, goodPath,
                                        kind.name + " seed " + std::to_string(seed));
            ExpectDataFileReadOrRefused(dir / "bad.dat", Targeted(good, fields, seed), kind.measure, goodPath,
                                        kind.name + " targeted seed " + std::to_string(seed));
        }
    }
}

TEST_F(SurveyRobustness, SamplesFilesSurviveTruncationsAndByteChanges)
{
    for (const auto& [type, good] : SamplesFiles()) {
        const std::string name = "samples type " + std::to_string(type);
        for (std::size_t n = 0; n <= good.size(); ++n)
            ExpectSamplesFileReadOrRefused(dir / "s.tme", Cut(good, n), name + " cut at " + std::to_string(n));
        const std::vector<Field> fields = SamplesFields(good);
        for (unsigned seed = 1; seed <= 1000; ++seed) {
            ExpectSamplesFileReadOrRefused(dir / "s.tme", Mutated(good, seed), name + " seed " + std::to_string(seed));
            ExpectSamplesFileReadOrRefused(dir / "s.tme", Targeted(good, fields, seed), name + " targeted seed " + std::to_string(seed));
        }
    }
}

namespace {
// A survey of the layout whose data files exist beside it; the text is read with each upgrade
// and its data files are found and passed through the gate.
void ExpectSurveyReadOrRefused(const std::string& folder, const Bytes& text, const std::string& what)
{
    const std::string path = folder + "s.orv";
    for (SurveyUpgrade upgrade : {SurveyUpgrade::None, SurveyUpgrade::Full, SurveyUpgrade::Short, SurveyUpgrade::TenLineStep}) {
        WriteBytes(path, text);
        ScriptedMessages messages;
        auto lines = OpenSurveyFile(path, upgrade);
        // Only an upgrade of a file that passed the header check may rewrite it.
        if (!lines || upgrade == SurveyUpgrade::None) {
            EXPECT_EQ(ReadWholeFile(path), text) << what;
        }
        if (!lines) {
            EXPECT_TRUE(AnyShown(messages)) << what;
            continue;
        }
        ReadSurveyInfo(*lines);
        InfoLineIndex(*lines);
        for (int k = 0; k <= kMeasureSlots + 1; ++k) DataFileLine(*lines, k);
        for (int k = 1; k <= kMeasureCount; ++k) {
            auto data = FindSurveyDataFile(path, *lines, k);
            if (!data) continue;
            TMeasureFileInfo info;
            messages.Clear();
            if (!ReadMeasureFileInfo(*data, k, info)) {
                EXPECT_TRUE(AnyShown(messages)) << what;
            }
        }
    }
}
}  // namespace

TEST_F(SurveyRobustness, SurveyFilesOfEachLayoutSurviveTruncationsAndByteChanges)
{
    const std::string folder = dir / "survey/";
    std::filesystem::create_directories(folder);
    const std::map<int, std::string> names{{1, "s.vme"}, {5, "s.fle"}, {6, "s.ale"}, {8, "s.tme"}, {10, "s.ene"}};
    WriteDataFile(folder + "s.vme", DataKinds()[0].records);
    WriteDataFile(folder + "s.fle", DataKinds()[6].records);
    WriteDataFile(folder + "s.ale", DataKinds()[8].records);
    WriteBytes(folder + "s.tme", SamplesFiles()[0].second);
    WriteDataFile(folder + "s.ene", DataKinds()[12].records);
    for (int layout : {10, 13, 18}) {
        std::map<int, std::string> files;
        for (const auto& [k, name] : names)
            if (k <= (layout == 10 ? 6 : layout == 13 ? 9 : 14)) files[k] = name;
        const std::string written = WriteSurveyFile(dir / "proto.orv", {.layout = layout, .dataFiles = files});
        const Bytes good = *ReadWholeFile(written);
        const std::string name = std::to_string(layout) + "-line survey";
        for (std::size_t n = 0; n <= good.size(); ++n) ExpectSurveyReadOrRefused(folder, Cut(good, n), name + " cut at " + std::to_string(n));
        for (unsigned seed = 1; seed <= 300; ++seed) ExpectSurveyReadOrRefused(folder, Mutated(good, seed), name + " seed " + std::to_string(seed));
    }
    // Reading never changes a data file.
    EXPECT_EQ(ReadWholeFile(folder + "s.vme"), DataFileBytes(DataKinds()[0].records));
    EXPECT_EQ(ReadWholeFile(folder + "s.ene"), DataFileBytes(DataKinds()[12].records));
    EXPECT_EQ(ReadWholeFile(folder + "s.tme"), SamplesFiles()[0].second);
}

namespace {
// Appends the received temporary files of `mask` to a sound survey in `folder` + "existing/".
void ExpectAppendKeepsTheSurvey(const std::string& folder, std::uint16_t mask, const std::string& what);

// Drive A shows the disk folders in turn; the last stays in.
class FolderDrive : public TDriveAccess {
public:
    std::vector<std::string> disks;
    std::optional<std::string> DiskFolder(char, int disk) override
    {
        return disks[static_cast<std::size_t>(std::min<int>(disk, static_cast<int>(disks.size())) - 1)];
    }
};

// The whole disk loop, each showing stepped to its end; the loop ends with a message and a
// received measure's temporary file holds what the header announced.
void ExpectDisksReadOrRefused(FolderDrive& drive, const std::string& folder, const std::string& what)
{
    DeleteTempFiles();
    AnsweringMessages messages;
    TFloppyReader reader('A', drive);
    std::uint16_t mask = 0;
    bool runaway = false;
    const bool ok = ReadArchiveDisks(reader, [&] {
        int steps = 0;
        while (reader.Step()) {
            if (++steps > 10000) {
                runaway = true;
                reader.Abort();
            }
        }
    }, mask);
    EXPECT_FALSE(runaway || messages.runaway) << what << ": the reader did not end " << ::testing::PrintToString(messages.Texts());
    EXPECT_TRUE(AnyShown(messages)) << what;
    if (ok) {
        EXPECT_TRUE(messages.Shown("Copy completed successfully.")) << what;
        EXPECT_EQ(mask & ~kArchiveMeasureBits, 0) << what;
        for (int k = 1; k <= kMeasureCount; ++k)
            if (mask & (1u << (k - 1))) {
                EXPECT_TRUE(std::filesystem::exists(TempFileName(k))) << what << " measure " << k;
            }
        // What was received from damaged disks must not spoil a survey it is appended to.
        ExpectAppendKeepsTheSurvey(folder, mask, what);
    }
}
}  // namespace

TEST_F(SurveyRobustness, FloppyDisksSurviveDamagedHeadersAndParts)
{
    const Bytes vm = DataFileBytes(DataKinds()[0].records);
    const Bytes al = DataFileBytes(DataKinds()[8].records);
    const std::size_t split = vm.size() / 2;
    const Bytes vm1 = Cut(vm, split), vm2(vm.begin() + static_cast<std::ptrdiff_t>(split), vm.end());
    const auto sizes = std::array<std::uint32_t, 9>{static_cast<std::uint32_t>(vm.size()), 0, 0, 0, 0, static_cast<std::uint32_t>(al.size())};
    const Bytes header = ArchiveHeaderBytes(0x21, 2, sizes);
    std::vector<Field> headerFields{{0, 2}, {2, 2}};
    for (std::size_t k = 0; k < 9; ++k) headerFields.push_back({4 + 4 * k, 4});

    FolderDrive drive;
    drive.disks = {dir / "disk1/", dir / "disk2/"};
    auto writeDisks = [&](const Bytes& head, const Bytes& part1, const Bytes& part2) {
        std::filesystem::remove_all(drive.disks[0]);
        std::filesystem::remove_all(drive.disks[1]);
        WriteArchiveDisk(drive.disks[0], {{1, 1, 2, part1}}, head);
        WriteArchiveDisk(drive.disks[1], {{1, 2, 2, part2}, {6, 1, 1, al}});
    };
    writeDisks(header, vm1, vm2);
    ExpectDisksReadOrRefused(drive, dir.Path(), "sound disks");
    {
        // The sound disks' records were appended to the survey of the day before.
        ScriptedMessages messages;
        TMeasureFileInfo info;
        ASSERT_TRUE(ReadMeasureFileInfo(dir / "existing/old.vme", MeasureVoltage, info));
        EXPECT_EQ(info.RecordCount, 2 + 3);
        ASSERT_TRUE(ReadMeasureFileInfo(dir / "existing/old.ale", MeasureEvents, info));
        EXPECT_EQ(info.RecordCount, 1 + 3);
    }

    for (std::size_t n = 0; n <= header.size() + 1; ++n) {
        Bytes head = n <= header.size() ? Cut(header, n) : Concat({header, Bytes(1, 0)});
        writeDisks(head, vm1, vm2);
        ExpectDisksReadOrRefused(drive, dir.Path(), "header cut at " + std::to_string(n));
    }
    for (std::size_t n = 0; n <= vm1.size() + 3; n += 7) {
        Bytes part = n <= vm1.size() ? Cut(vm1, n) : Concat({vm1, Bytes(n - vm1.size(), 1)});
        writeDisks(header, part, vm2);
        ExpectDisksReadOrRefused(drive, dir.Path(), "first part cut at " + std::to_string(n));
        writeDisks(header, vm1, n <= vm2.size() ? Cut(vm2, n) : vm2);
        ExpectDisksReadOrRefused(drive, dir.Path(), "second part cut at " + std::to_string(n));
    }
    for (unsigned seed = 1; seed <= 300; ++seed) {
        writeDisks(Mutated(header, seed), vm1, vm2);
        ExpectDisksReadOrRefused(drive, dir.Path(), "header seed " + std::to_string(seed));
        writeDisks(Targeted(header, headerFields, seed), vm1, vm2);
        ExpectDisksReadOrRefused(drive, dir.Path(), "header targeted seed " + std::to_string(seed));
    }
}

namespace {
struct RepositoryCase {
    Bytes bytes;
    std::vector<Field> fields;
};

RepositoryCase SoundRepository(int tableEntries)
{
    std::map<int, Bytes> sections;
    // Received data an hour after the survey's own records, so that it may be appended.
    std::vector<Bytes> voltage;
    for (int i = 0; i < 3; ++i) {
        TrendRecordFields r{.time = Minute(60 + 10 * i, 5 * i), .period = 10, .flags = 2 | 4 | 8 | 16};
        r.phases = {{.values = {229, 230, 231}}, {}, {}};
        voltage.push_back(TrendRecord(1, r));
    }
    sections[1] = DataFileBytes(voltage);
    sections[6] = DataFileBytes({EventRecord({.time = Minute(61, 2, 3)}), EventRecord({.time = Minute(62, 2, 3)})});
    if (tableEntries > 8) {
        SamplesRecordFields r;
        r.time = Minute(61, 0, 10);
        const Bytes a = SamplesRecord(4, r);
        r.time = Minute(63, 0, 10);
        sections[8] = SamplesFileBytes(4, {a, SamplesRecord(4, r)});
    }
    if (tableEntries > 9) sections[10] = DataFileBytes({EnergyRecord({.time = Minute(75)}), EnergyRecord({.time = Minute(90)})});
    RepositoryCase c{RepositoryBytes(tableEntries, sections), {}};
    for (int k = 0; k < tableEntries; ++k) c.fields.push_back({static_cast<std::size_t>(4 * k), 4});
    for (const auto& [measure, section] : sections) {
        const std::size_t at = RepositorySectionOffset(tableEntries, sections, measure);
        if (measure == MeasureSamples) {
            c.fields.insert(c.fields.end(), {{at, 1}, {at + 1, 4}, {at + 5, 4}, {at + 9, 4}, {at + section.size() - 4, 4}});
        } else {
            c.fields.insert(c.fields.end(), {{at, 4}, {at + 4, 4}, {at + 8, 2}, {at + 10, 1}, {at + 8 + 16, 2}});
        }
    }
    return c;
}

FixtureStamp DayBefore(FixtureStamp s)
{
    --s.day;
    return s;
}

// Writes a survey of voltage, events and samples files from the day before the received data.
std::string WriteExistingSurvey(const std::string& folder)
{
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::vector<Bytes> voltage;
    for (int i = 0; i < 2; ++i) {
        TrendRecordFields r{.time = DayBefore(Minute(10 * i)), .period = 10, .flags = 2 | 4 | 8 | 16};
        r.phases = {{}, {}, {}};
        voltage.push_back(TrendRecord(1, r));
    }
    WriteDataFile(folder + "old.vme", voltage);
    WriteDataFile(folder + "old.ale", {EventRecord({.time = DayBefore(Minute(1))})});
    SamplesRecordFields r;
    r.time = DayBefore(Minute(2));
    WriteBytes(folder + "old.tme", SamplesFileBytes(4, {SamplesRecord(4, r)}));
    return WriteSurveyFile(folder + "old.orv", {.dataFiles = {{1, "old.vme"}, {6, "old.ale"}, {8, "old.tme"}}});
}

// Import into the temporary data folder: refused with the message and nothing written, or every
// received measure's temporary file written. Every few cases the received data are then saved
// as a new survey and appended to an existing one, whose own records must survive.
void ExpectRepositoryReadOrRefused(const std::string& folder, const Bytes& bytes, bool store, const std::string& what)
{
    DeleteTempFiles();
    const std::string path = WriteBytes(folder + "r.rpy", bytes);
    AnsweringMessages messages;
    auto mask = ImportRepository(path);
    if (!mask) {
        EXPECT_TRUE(messages.Shown(std::string(kInvalidRepositoryMessage))) << what;
        for (int k = 1; k <= kMeasureCount; ++k) EXPECT_FALSE(std::filesystem::exists(TempFileName(k))) << what << " measure " << k;
        return;
    }
    for (int k = 1; k <= kMeasureCount; ++k)
        if (*mask & (1u << (k - 1))) {
            EXPECT_TRUE(std::filesystem::exists(TempFileName(k))) << what << " measure " << k;
        }
    if (store && *mask != 0) ExpectAppendKeepsTheSurvey(folder, *mask, what);
}

void ExpectAppendKeepsTheSurvey(const std::string& folder, std::uint16_t mask, const std::string& what)
{
    AnsweringMessages messages;
    // Onto an existing survey: its data files keep their records, whatever was received.
    const std::string surveyFolder = folder + "existing/";
    const std::string surveyPath = WriteExistingSurvey(surveyFolder);
    std::map<std::string, Bytes> before;
    for (const char* name : {"old.vme", "old.ale", "old.tme"}) before[name] = *ReadWholeFile(surveyFolder + name);
    auto lines = OpenSurveyFile(surveyPath, SurveyUpgrade::TenLineStep);
    ASSERT_TRUE(lines) << what;
    messages.Clear();
    AppendToSurvey(surveyPath, *lines, mask);
    for (const auto& [name, old] : before) {
        const Bytes now = ReadWholeFile(surveyFolder + name).value_or(Bytes{});
        const std::size_t headerSize = name == "old.tme" ? kSamplesFileHeaderSize : kDataFileHeaderSize;
        ASSERT_GE(now.size(), old.size()) << what << " " << name;
        EXPECT_TRUE(std::equal(old.begin() + static_cast<std::ptrdiff_t>(headerSize), old.end(),
                               now.begin() + static_cast<std::ptrdiff_t>(headerSize)))
            << what << ": the records of " << name << " were changed";
        // The survey's files stay readable after whatever was appended.
        const int measure = name == "old.vme" ? 1 : name == "old.ale" ? 6 : 8;
        ScriptedMessages gate;
        TMeasureFileInfo info;
        EXPECT_TRUE(ReadMeasureFileInfo(surveyFolder + name, measure, info)) << what << ": " << name << " no longer opens "
                                                                           << ::testing::PrintToString(messages.Texts());
    }
    // As a new survey, when the received data are still there.
    bool any = false;
    for (int k = 1; k <= kMeasureCount; ++k) any = any || std::filesystem::exists(TempFileName(k));
    if (any) CreateSurvey(folder + "new/n.orv", mask, {"d", "s", "o"});
}
}  // namespace

TEST_F(SurveyRobustness, RepositoryFilesSurviveTruncationsAndByteChanges)
{
    const std::string folder = dir / "repo/";
    std::filesystem::create_directories(folder + "new/");
    for (int entries : {6, 9, 14}) {
        const RepositoryCase good = SoundRepository(entries);
        const std::string name = std::to_string(entries) + "-entry repository";
        ExpectRepositoryReadOrRefused(folder, good.bytes, true, name + " sound");
        {
            // The sound file's records were appended to the survey of the day before.
            ScriptedMessages messages;
            TMeasureFileInfo info;
            ASSERT_TRUE(ReadMeasureFileInfo(folder + "existing/old.vme", MeasureVoltage, info)) << name;
            EXPECT_EQ(info.RecordCount, 2 + 3) << name;
            ASSERT_TRUE(ReadMeasureFileInfo(folder + "existing/old.tme", MeasureSamples, info)) << name;
            EXPECT_EQ(info.RecordCount, entries > 8 ? 1 + 2 : 1) << name;
        }
        for (std::size_t n = 0; n < good.bytes.size(); ++n)
            ExpectRepositoryReadOrRefused(folder, Cut(good.bytes, n), n % 16 == 0, name + " cut at " + std::to_string(n));
        for (unsigned seed = 1; seed <= 400; ++seed) {
            ExpectRepositoryReadOrRefused(folder, Mutated(good.bytes, seed), seed % 4 == 0, name + " seed " + std::to_string(seed));
            ExpectRepositoryReadOrRefused(folder, Targeted(good.bytes, good.fields, seed), seed % 4 == 1,
                                          name + " targeted seed " + std::to_string(seed));
        }
    }
}
