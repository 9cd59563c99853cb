// The records the analysis engine writes into its temporary files and the report file gathers
// into its sections: one TMeasureSummary per analysed measure (rewritten at offset 0 of the
// ".sta" file at every window close) followed by its TFailedInterval records, and one
// TWindowResult per closed window (appended to the ".bar" file). The engine writes them, the
// report reader and the report windows read them, all through the packing below.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "platform/little_endian.h"

// Measures 1 (voltage) to 6 (events) are analysed.
constexpr int kAnalysisMeasures = 6;
constexpr int kAnalysisEventCategories = 9;
// Counter groups of three phases: the voltage-harmonic blocks, the capacity of every group table.
constexpr int kAnalysisGroups = 51;
// A phase that a single-phase survey lacks (0xFFFFFFFF).
constexpr std::int32_t kMissingPhase = -1;
// Colours (0x00BBGGRR) of analysis results: passed, failed, and measures or phases not analysed.
constexpr std::uint32_t kPassedColour = 0x008000;
constexpr std::uint32_t kFailedColour = 0x0000FF;
constexpr std::uint32_t kNotAnalysedColour = 0x808080;

// Temporary file names in DataDir, indexed by measure 1 to 6 (index 0 unused).
extern const std::array<std::string_view, kAnalysisMeasures + 1> AnalysisStaFileNames;
extern const std::array<std::string_view, kAnalysisMeasures + 1> AnalysisBarFileNames;
// The engine's event categories 0 to 8.
extern const std::array<std::string_view, kAnalysisEventCategories> AnalysisEventCategoryNames;

// The record layouts of the reports written before the second voltage limits existed: their
// voltage windows and failed intervals have no limit-2 group.
enum class ReportVersion { Current, Old };

using TPhaseCounts = std::array<std::int32_t, 3>;  // L1, L2, L3

struct TMeasureSummary {
    static constexpr std::size_t kPackedSize = 617;

    bool Passed = false;  // every window of the measure passed
    // Totals over the whole interval, group g phase p: out-of-range records (events of category
    // g), as the engine's day counters.
    std::array<TPhaseCounts, kAnalysisGroups> Totals{};
    std::int32_t Records = 0;  // records analysed (events counted)

    void Pack(ByteWriter& out) const;
    static TMeasureSummary Unpack(ByteReader& in);
    bool operator==(const TMeasureSummary&) const = default;
};

// One closed window. Passed holds one flag per judged item (1 passed, 0 failed): 1 for most
// measures, 51 for voltage harmonics (one per block), 9 for events (one per category). Counts
// holds one group per item: voltage limit 1 and limit 2 (limit 1 only in old reports);
// frequency [limit 1, limit 2, 0]; unbalance [count, 0, 0]; one per harmonic block; one per
// event category.
struct TWindowResult {
    double Day = 0;  // the window's first day
    std::vector<std::uint8_t> Passed;
    std::vector<TPhaseCounts> Counts;
    std::int32_t Total = 0;  // records (counted events) in the window
    bool operator==(const TWindowResult&) const = default;
};

// One failed window (voltage, frequency, unbalance, flicker: as its window with Tag 0), failed
// harmonic block (Tag: the block's harmonic order) or failed event category (Tag: the category).
// Counts holds voltage limit 1 and 2 (limit 1 only in old reports), else one group.
struct TFailedInterval {
    double Day = 0;
    int Tag = 0;
    std::vector<TPhaseCounts> Counts;
    std::int32_t Total = 0;
    bool operator==(const TFailedInterval&) const = default;
};

// The shape of a measure's records: flag bytes and counter groups. A voltage-harmonics window
// holds one group per harmonic channel of the report (0 to 51).
struct TAnalysisRecordShape {
    std::size_t FlagBytes = 0;  // window: passed flags; failed interval: 1 (u8) or 2 (i16 category)
    int Groups = 0;
    std::size_t Size() const { return 8 + FlagBytes + 12 * static_cast<std::size_t>(Groups) + 4; }
};
TAnalysisRecordShape WindowResultShape(int measure, int harmonicChannels, ReportVersion version);
TAnalysisRecordShape FailedIntervalShape(int measure, ReportVersion version);

// Writes exactly the shape's bytes: missing flags and groups as 0, extra ones left out.
void PackWindowResult(ByteWriter& out, const TAnalysisRecordShape& shape, const TWindowResult& window);
TWindowResult UnpackWindowResult(ByteReader& in, const TAnalysisRecordShape& shape);
void PackFailedInterval(ByteWriter& out, const TAnalysisRecordShape& shape, const TFailedInterval& failed);
TFailedInterval UnpackFailedInterval(ByteReader& in, const TAnalysisRecordShape& shape);

// Records of one shape kept packed as a report holds them and unpacked one at a time, so a
// section takes no more memory than its bytes however many windows a long analysis closed.
template <typename Record, Record (*Unpack)(ByteReader&, const TAnalysisRecordShape&)>
class TPackedRecords {
public:
    TPackedRecords() = default;
    // `bytes` holds whole records of `shape`.
    TPackedRecords(std::vector<std::uint8_t> bytes, const TAnalysisRecordShape& shape)
        : bytes_(std::move(bytes)), shape_(shape)
    {
    }

    std::size_t size() const { return bytes_.size() / shape_.Size(); }
    bool empty() const { return bytes_.empty(); }
    Record operator[](std::size_t i) const
    {
        ByteReader in(std::span<const std::uint8_t>(bytes_).subspan(i * shape_.Size(), shape_.Size()));
        return Unpack(in, shape_);
    }
    std::vector<Record> All() const
    {
        std::vector<Record> records;
        records.reserve(size());
        for (std::size_t i = 0; i < size(); ++i) records.push_back((*this)[i]);
        return records;
    }

    struct Iterator {
        const TPackedRecords* records = nullptr;
        std::size_t index = 0;
        Record operator*() const { return (*records)[index]; }
        Iterator& operator++()
        {
            ++index;
            return *this;
        }
        bool operator==(const Iterator&) const = default;
    };
    Iterator begin() const { return {this, 0}; }
    Iterator end() const { return {this, size()}; }

private:
    std::vector<std::uint8_t> bytes_;
    TAnalysisRecordShape shape_;
};
using TWindowResults = TPackedRecords<TWindowResult, UnpackWindowResult>;
using TFailedIntervals = TPackedRecords<TFailedInterval, UnpackFailedInterval>;
