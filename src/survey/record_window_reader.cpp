// Reading a window of records into a times array and one array per column: blocks of whole
// records, each block's stamps decoded in one loop fixed to its measure's stamp layout, then
// each column taken from the block in one strided loop.
#include "survey/record_window_reader.h"

#include "platform/little_endian.h"
#include "survey/record_readers.h"
#include "survey/record_steps.h"

#include <algorithm>
#include <array>
#include <limits>
#include <type_traits>

std::size_t ColumnBytes(ColumnType type)
{
    switch (type) {
    case ColumnType::F32: case ColumnType::U32: case ColumnType::I32: return 4;
    case ColumnType::U16: case ColumnType::I16: return 2;
    case ColumnType::U8: return 1;
    }
    return 4;
}

namespace {
// A megabyte of records per read: a year of one-minute voltage records is 31 reads (the
// system's copy into smaller blocks costs more per byte, a third more at half a megabyte, and
// a larger block is memory a view holds beside its arrays while it reads).
constexpr std::size_t kBlockBytes = std::size_t(1) << 20;
// A block is decoded in pieces small enough to stay in the processor's first cache from the
// times loop to the column loops, and long enough that the many short column loops of a wide
// record (75 columns of voltage harmonics) cost little beside their values.
constexpr std::size_t kPieceBytes = std::size_t(16) << 10;

// What a decoding keeps from one piece of records to the next: the day number of the last date
// decoded (records of one day share their 4 date bytes), and for the gaps of the window the
// last time decoded and the window position of the next record.
struct DecodeState {
    std::uint64_t key = ~std::uint64_t(0);  // no 4 date bytes give this key
    TDateTime day = 0;
    TTimeSteps* steps = nullptr;
    TDateTime previous = 0;  // joins nothing
    std::size_t position = 0;
};

// The fraction of the day of each whole minute, as TimeFraction gives it: nearly every stamp is
// a whole minute, and looking its fraction up costs far less than the division.
const std::array<double, 1440> kMinuteFractions = [] {
    std::array<double, 1440> fractions{};
    for (int minute = 0; minute < 1440; ++minute) fractions[static_cast<std::size_t>(minute)] = TimeFraction(minute / 60, minute % 60, 0, 0);
    return fractions;
}();

// The day number of the 4 date bytes at d; out of line, off the hot path (once a day of records).
[[gnu::noinline]] std::optional<TDateTime> DayOfDate(const std::uint8_t* d) { return EncodeDate(d[0] | (d[1] << 8), d[3], d[2]); }
// Whether DayOfDate gives a day, without working it out.
[[gnu::noinline]] bool IsDate(const std::uint8_t* d) { return IsValidDate(d[0] | (d[1] << 8), d[3], d[2]); }

// A record that does not follow the one before: a gap of the window unless it is its first, and
// the window's times stop ascending unless it is later than the one before. Out of line: a
// regular recording has few gaps.
[[gnu::noinline]] void NoteGap(TTimeSteps& steps, std::size_t position, TDateTime previous, TDateTime time)
{
    if (position == 0) return;
    steps.Gaps.push_back(static_cast<std::uint32_t>(position));
    if (!(time > previous)) steps.Ascending = false;
}

// The time bytes of the record at r, as its layout keeps them.
template <const StampLayout* Layout>
struct TimeBytes {
    explicit TimeBytes(const std::uint8_t* r)
    {
        const std::uint8_t* t = r + Layout->timeAt;
        minute = t[0];
        hour = t[1];
        if constexpr (Layout->extendedTime) {
            hundredths = t[2];
            second = t[3];
        } else if constexpr (Layout->secondsAt.has_value()) {
            second = r[*Layout->secondsAt];
        }
    }
    // IsValidTime for byte fields, tested at once (hundredths, a byte, never reach 1000).
    bool Valid() const { return !((hour >= 24) | (minute >= 60) | (second >= 60)); }
    unsigned minute = 0, hour = 0, second = 0, hundredths = 0;
};

// The times of `count` records at `records` (each `size` bytes) into `times`, decoded as
// RecordStampTime decodes them, and with FindGaps their gaps into state.steps; stops at the
// first stamp that does not decode. Returns the number of records decoded. The layout is a
// template argument, so its offsets are constants.
template <const StampLayout* Layout, bool FindGaps>
std::size_t DecodeTimes(const std::uint8_t* records, std::size_t size, std::size_t count, DecodeState& state,
                        TDateTime* times)
{
    // The state in locals: stores into `times` cannot change them.
    std::uint64_t lastKey = state.key;
    TDateTime lastDay = state.day;
    TDateTime previous = state.previous;
    const TJoinBounds joins(FindGaps ? state.steps->PeriodSeconds : 0);
    const std::uint8_t* r = records;
    std::size_t i = 0;
    for (; i < count; ++i, r += size) {
        const std::uint32_t key = LoadU32(r + Layout->dateAt);
        if (key != lastKey) [[unlikely]] {
            const std::optional<TDateTime> day = DayOfDate(r + Layout->dateAt);
            if (!day) break;
            lastKey = key;
            lastDay = *day;
        }
        const TimeBytes<Layout> t(r);
        if (!t.Valid()) [[unlikely]] break;
        const TDateTime time = lastDay + ((t.second | t.hundredths) == 0
                                              ? kMinuteFractions[t.hour * 60 + t.minute]
                                              : TimeFraction(static_cast<int>(t.hour), static_cast<int>(t.minute),
                                                             static_cast<int>(t.second), static_cast<int>(t.hundredths)));
        times[i] = time;
        if constexpr (FindGaps) {
            // A joined record lies a positive period after the one before: only a gap can break
            // the ascending order.
            if (!joins.Join(previous, time)) [[unlikely]] NoteGap(*state.steps, state.position + i, previous, time);
            previous = time;
        }
    }
    state.key = lastKey;
    state.day = lastDay;
    state.previous = previous;
    state.position += i;
    return i;
}

// The stamps of `count` records checked as DecodeTimes checks them, with no time made (`times`
// is not used): the number of records before the first stamp that does not decode.
template <const StampLayout* Layout>
std::size_t CheckStamps(const std::uint8_t* records, std::size_t size, std::size_t count, DecodeState& state,
                        TDateTime*)
{
    std::uint64_t lastKey = state.key;
    const std::uint8_t* r = records;
    std::size_t i = 0;
#pragma GCC unroll 4
    for (; i < count; ++i, r += size) {
        const std::uint32_t key = LoadU32(r + Layout->dateAt);
        if (key != lastKey) [[unlikely]] {
            if (!IsDate(r + Layout->dateAt)) break;
            lastKey = key;
        }
        if (!TimeBytes<Layout>(r).Valid()) [[unlikely]] break;
    }
    state.key = lastKey;
    state.position += i;
    return i;
}

using TimesDecoder = std::size_t (*)(const std::uint8_t*, std::size_t, std::size_t, DecodeState&, TDateTime*);

enum class StampWork { None, Check, Decode, DecodeWithGaps };

template <const StampLayout* Layout>
TimesDecoder TimesDecoderFor(StampWork work)
{
    switch (work) {
    case StampWork::Check: return CheckStamps<Layout>;
    case StampWork::Decode: return DecodeTimes<Layout, false>;
    case StampWork::DecodeWithGaps: return DecodeTimes<Layout, true>;
    case StampWork::None: break;
    }
    return nullptr;
}

TimesDecoder TimesDecoderOf(const StampLayout* layout, StampWork work)
{
    if (layout == &stamp_layouts::WithSeconds) return TimesDecoderFor<&stamp_layouts::WithSeconds>(work);
    if (layout == &stamp_layouts::MinutesOnly) return TimesDecoderFor<&stamp_layouts::MinutesOnly>(work);
    if (layout == &stamp_layouts::Flicker) return TimesDecoderFor<&stamp_layouts::Flicker>(work);
    if (layout == &stamp_layouts::Events) return TimesDecoderFor<&stamp_layouts::Events>(work);
    return nullptr;
}

// One column of `count` records, `stride` bytes apart from `p`: the stored value times the
// scale, as the trend readers compute it (a float in single precision), kept as Out, four
// records a turn. Returns the largest of them (a value that is not a number is never the
// largest), kept in four running maxima so that no value waits for the comparison of the one
// before.
template <typename Out, typename Load>
double TakeColumn(Out* out, const std::uint8_t* p, std::size_t stride, std::size_t count, float scale, Load load)
{
    auto larger = [](Out v, Out highest) { return v > highest ? v : highest; };
    auto take = [&](auto value) {
        constexpr Out none = -std::numeric_limits<Out>::infinity();
        Out h0 = none, h1 = none, h2 = none, h3 = none;
        std::size_t i = 0;
        for (; i + 4 <= count; i += 4, p += 4 * stride) {
            h0 = larger(out[i] = value(p), h0);
            h1 = larger(out[i + 1] = value(p + stride), h1);
            h2 = larger(out[i + 2] = value(p + 2 * stride), h2);
            h3 = larger(out[i + 3] = value(p + 3 * stride), h3);
        }
        for (; i < count; ++i, p += stride) h0 = larger(out[i] = value(p), h0);
        return static_cast<double>(std::max(std::max(h0, h1), std::max(h2, h3)));
    };
    // A scale of 1 (every float the views plot) multiplies nothing.
    if (scale == 1.0f) return take([&](const std::uint8_t* q) { return static_cast<Out>(load(q)); });
    return take([&](const std::uint8_t* q) { return static_cast<Out>(load(q) * scale); });
}

// Inlined into each read: one that keeps no largest (the summary's singles) then drops the
// comparisons.
template <typename Out>
[[gnu::always_inline]] inline double TakeRecordColumn(Out* out, const TRecordColumn& c, const std::uint8_t* records, std::size_t size, std::size_t count)
{
    const std::uint8_t* p = records + c.Offset;
    switch (c.Type) {
    case ColumnType::F32: return TakeColumn(out, p, size, count, c.Scale, [](const std::uint8_t* q) { return LoadF32(q); });
    case ColumnType::U32:
        return TakeColumn(out, p, size, count, c.Scale, [](const std::uint8_t* q) { return static_cast<double>(LoadU32(q)); });
    case ColumnType::I32:
        return TakeColumn(out, p, size, count, c.Scale,
                            [](const std::uint8_t* q) { return static_cast<double>(static_cast<std::int32_t>(LoadU32(q))); });
    case ColumnType::U16:
        return TakeColumn(out, p, size, count, c.Scale, [](const std::uint8_t* q) { return static_cast<double>(LoadU16(q)); });
    case ColumnType::I16:
        return TakeColumn(out, p, size, count, c.Scale,
                            [](const std::uint8_t* q) { return static_cast<double>(static_cast<std::int16_t>(LoadU16(q))); });
    case ColumnType::U8:
        return TakeColumn(out, p, size, count, c.Scale, [](const std::uint8_t* q) { return static_cast<double>(*q); });
    }
    return -std::numeric_limits<double>::infinity();
}

// Where a read puts its values: the arrays of a TRecordWindowData, grown piece by piece
// (sizes kept from an earlier window are reused as they are), their memory first touched where
// it is written. Double columns (Columns) come with their largest; single ones (Singles) alone.
template <typename Value>
class VectorTarget {
public:
    static constexpr bool kHighest = std::is_same_v<Value, double>;
    // Without `keepTimes` the times array stays empty.
    VectorTarget(TRecordWindowData& data, bool keepTimes) : data_(data), keepTimes_(keepTimes) {}
    void Prepare(std::size_t columns, std::size_t expected)
    {
        Arrays().resize(columns);
        if (keepTimes_) data_.Times.reserve(expected);
        for (auto& column : Arrays()) column.reserve(expected);
    }
    TDateTime* Times(std::size_t at, std::size_t count) { return keepTimes_ ? Room(data_.Times, at, count) : nullptr; }
    Value* Column(std::size_t c, std::size_t at, std::size_t count) { return Room(Arrays()[c], at, count); }
    // The arrays hold exactly the records read, whichever way the read ends.
    void Finish(std::size_t read)
    {
        data_.Times.resize(keepTimes_ ? read : 0);
        for (auto& column : Arrays()) column.resize(read);
    }

private:
    std::vector<TUnsetArray<Value>>& Arrays()
    {
        if constexpr (kHighest) return data_.Columns;
        else return data_.Singles;
    }
    template <typename T>
    static T* Room(TUnsetArray<T>& v, std::size_t at, std::size_t count)
    {
        if (v.size() < at + count) v.resize(at + count);
        return v.data() + at;
    }
    TRecordWindowData& data_;
    bool keepTimes_;
};

// The caller's arrays, each with room for the whole window.
class ArrayTarget {
public:
    static constexpr bool kHighest = true;
    ArrayTarget(TDateTime* times, std::span<float* const> values) : times_(times), values_(values) {}
    void Prepare(std::size_t, std::size_t) {}
    TDateTime* Times(std::size_t at, std::size_t) { return times_ ? times_ + at : nullptr; }
    float* Column(std::size_t c, std::size_t at, std::size_t) { return values_[c] ? values_[c] + at : nullptr; }
    void Finish(std::size_t) {}

private:
    TDateTime* times_;
    std::span<float* const> values_;
};

// The reading of every entry point: records first..last into `target`, the largest of each
// column into `highest` (one per column; none for a target without them); with no stamp work
// every record counts as read, and with DecodeWithGaps the gaps go into `steps`.
template <typename Target>
TWindowRead ReadWindow(TDataFile& F, std::int64_t first, std::int64_t last, std::span<const TRecordColumn> columns,
                       StampWork work, TTimeSteps* steps, bool showFault, Target& target, std::span<double> highest)
{
    TWindowRead result;
    std::fill(highest.begin(), highest.end(), -std::numeric_limits<double>::infinity());
    const StampLayout* layout = StampLayoutOf(F.Measure());
    const TimesDecoder decoder = TimesDecoderOf(layout, work);
    const std::int64_t count = static_cast<std::int64_t>(F.RecordCount());
    const std::size_t size = F.RecordSize();
    bool outside = !layout || first < 0 || last < first || last >= count || size < layout->bytesNeeded;
    // Every column is checked once against the record size, so the loops need no checks.
    for (const TRecordColumn& c : columns) outside = outside || c.Offset + ColumnBytes(c.Type) > size;
    target.Prepare(columns.size(), outside ? 0 : static_cast<std::size_t>(last - first + 1));
    if (outside) {
        result.Complete = false;
        target.Finish(0);
        return result;
    }

    const std::int64_t perBlock = static_cast<std::int64_t>(std::max<std::size_t>(1, kBlockBytes / size));
    const std::size_t perPiece = std::max<std::size_t>(1, kPieceBytes / size);
    Bytes badStamp;  // the record whose stamp did not decode
    DecodeState state;
    if (work == StampWork::DecodeWithGaps) {
        steps->Gaps.clear();
        steps->Ascending = true;
        state.steps = steps;
    }
    // The block lives for this read only: the memory of what the read fills (a view's envelope,
    // made next) can then be where it was.
    TUnsetArray<std::uint8_t> block(static_cast<std::size_t>(std::min<std::int64_t>(perBlock, last - first + 1)) * size);
    for (std::int64_t at = first; at <= last && result.Complete;) {
        const std::int64_t wanted = std::min(perBlock, last - at + 1);
        const std::optional<std::int64_t> got = F.ReadWholeRecords(at, wanted, block);
        const auto n = static_cast<std::size_t>(got.value_or(0));
        if (!got || n < static_cast<std::size_t>(wanted)) {
            result.Complete = false;
            result.ShortFile = got.has_value();
        }
        for (std::size_t from = 0; from < n; from += perPiece) {
            const std::size_t pieceCount = std::min(perPiece, n - from);
            const std::uint8_t* piece = block.data() + from * size;
            std::size_t decoded = pieceCount;
            if (decoder) decoded = decoder(piece, size, pieceCount, state, target.Times(result.Read, pieceCount));
            for (std::size_t c = 0; c < columns.size(); ++c)
                if (auto* out = target.Column(c, result.Read, decoded)) {
                    const double largest = TakeRecordColumn(out, columns[c], piece, size, decoded);
                    if constexpr (Target::kHighest) highest[c] = std::max(highest[c], largest);
                }
            result.Read += decoded;
            if (decoded < pieceCount) {
                const std::uint8_t* bad = piece + decoded * size;
                badStamp.assign(bad, bad + size);
                result.Complete = false;
                result.ShortFile = false;
                break;
            }
        }
        at += wanted;
    }
    target.Finish(result.Read);
    if (showFault && !badStamp.empty()) record_reading::ShowRecordStampFault(*layout, badStamp);
    return result;
}

void ReadIntoData(TDataFile& F, std::int64_t first, std::int64_t last, std::span<const TRecordColumn> columns,
                  bool showFault, StampUse stamps, TRecordWindowData& data,
                  ColumnPrecision precision = ColumnPrecision::Double)
{
    const bool keepTimes = stamps == StampUse::Times;
    const StampWork work = keepTimes ? StampWork::Decode : StampWork::Check;
    if (precision == ColumnPrecision::Single) {
        data.Columns.clear();
        data.Highest.clear();
        VectorTarget<float> target(data, keepTimes);
        static_cast<TWindowRead&>(data) = ReadWindow(F, first, last, columns, work, nullptr, showFault, target, {});
        return;
    }
    data.Singles.clear();
    VectorTarget<double> target(data, keepTimes);
    data.Highest.resize(columns.size());
    static_cast<TWindowRead&>(data) = ReadWindow(F, first, last, columns, work, nullptr, showFault, target, data.Highest);
}
}  // namespace

TRecordWindowData ReadRecordWindow(TDataFile& F, std::int64_t first, std::int64_t last,
                                   std::span<const TRecordColumn> columns, bool showFault, StampUse stamps)
{
    TRecordWindowData data;
    ReadIntoData(F, first, last, columns, showFault, stamps, data);
    return data;
}

TWindowRead ReadRecordWindowInto(TDataFile& F, std::int64_t first, std::int64_t last,
                                 std::span<const TRecordColumn> columns, TDateTime* times, TTimeSteps* steps,
                                 std::span<float* const> values, std::span<double> highest, bool showFault)
{
    if (values.size() != columns.size() || highest.size() != columns.size()) return {.Read = 0, .Complete = false};
    ArrayTarget target(times, values);
    const StampWork work = !times ? StampWork::None : steps ? StampWork::DecodeWithGaps : StampWork::Decode;
    return ReadWindow(F, first, last, columns, work, steps, showFault, target, highest);
}

const TRecordWindowData& TRecordWindowRefill::Read(TDataFile& F, std::int64_t first, std::int64_t last,
                                                   std::span<const TRecordColumn> columns, bool showFault,
                                                   StampUse stamps, ColumnPrecision precision)
{
    ReadIntoData(F, first, last, columns, showFault, stamps, data_, precision);
    return data_;
}
