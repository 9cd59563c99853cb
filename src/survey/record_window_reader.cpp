// Reading a window of records into a times array and one array per column: blocks of whole
// records, each block's stamps decoded in one loop fixed to its measure's stamp layout, then
// each column taken from the block in one strided loop.
#include "survey/record_window_reader.h"

#include "platform/little_endian.h"
#include "survey/record_readers.h"

#include <algorithm>
#include <array>
#include <limits>

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
// About a megabyte of records per read: a year of one-minute voltage records is 31 reads.
constexpr std::size_t kBlockBytes = std::size_t(1) << 20;
// A block is decoded in pieces small enough to stay in the processor's cache from the times
// loop to the column loops, and long enough that the many short column loops of a wide record
// (75 columns of voltage harmonics) cost little beside their values.
constexpr std::size_t kPieceBytes = std::size_t(64) << 10;

// The day number of the last date decoded; records of one day share their 4 date bytes.
struct DayOfLastDate {
    std::uint64_t key = ~std::uint64_t(0);  // no 4 date bytes give this key
    TDateTime day = 0;
};

// The fraction of the day of each whole minute, as TimeFraction gives it: nearly every stamp is
// a whole minute, and looking its fraction up costs far less than the division.
const std::array<double, 1440> kMinuteFractions = [] {
    std::array<double, 1440> fractions{};
    for (int minute = 0; minute < 1440; ++minute) fractions[static_cast<std::size_t>(minute)] = TimeFraction(minute / 60, minute % 60, 0, 0);
    return fractions;
}();

// The times of `count` records at `records` (each `size` bytes) into `times`, decoded as
// RecordStampTime decodes them; stops at the first stamp that does not decode. Returns the
// number of records decoded. The layout is a template argument, so its offsets are constants.
template <const StampLayout* Layout>
std::size_t DecodeTimes(const std::uint8_t* records, std::size_t size, std::size_t count, DayOfLastDate& last,
                        TDateTime* times)
{
    // The last date in locals: stores into `times` cannot change them.
    std::uint64_t lastKey = last.key;
    TDateTime lastDay = last.day;
    std::size_t i = 0;
    for (; i < count; ++i) {
        const std::uint8_t* r = records + i * size;
        const std::uint8_t* d = r + Layout->dateAt;
        const std::uint32_t key = LoadU32(d);
        if (key != lastKey) {
            const std::optional<TDateTime> day = EncodeDate(d[0] | (d[1] << 8), d[3], d[2]);
            if (!day) break;
            lastKey = key;
            lastDay = *day;
        }
        const std::uint8_t* t = r + Layout->timeAt;
        int second = 0, hundredths = 0;
        if constexpr (Layout->extendedTime) {
            hundredths = t[2];
            second = t[3];
        } else if constexpr (Layout->secondsAt.has_value()) {
            second = r[*Layout->secondsAt];
        }
        if (!IsValidTime(t[1], t[0], second, hundredths)) break;
        times[i] = lastDay + (second == 0 && hundredths == 0 ? kMinuteFractions[static_cast<std::size_t>(t[1] * 60 + t[0])]
                                                              : TimeFraction(t[1], t[0], second, hundredths));
    }
    last = {lastKey, lastDay};
    return i;
}

using TimesDecoder = std::size_t (*)(const std::uint8_t*, std::size_t, std::size_t, DayOfLastDate&, TDateTime*);

TimesDecoder TimesDecoderOf(const StampLayout* layout)
{
    if (layout == &stamp_layouts::WithSeconds) return DecodeTimes<&stamp_layouts::WithSeconds>;
    if (layout == &stamp_layouts::MinutesOnly) return DecodeTimes<&stamp_layouts::MinutesOnly>;
    if (layout == &stamp_layouts::Flicker) return DecodeTimes<&stamp_layouts::Flicker>;
    if (layout == &stamp_layouts::Events) return DecodeTimes<&stamp_layouts::Events>;
    return nullptr;
}

// One column of `count` records, `stride` bytes apart from `p`: the stored value in single
// precision times the scale, as the trend readers compute it, widened to double.
// Returns the largest of them (a value that is not a number is never the largest), kept in
// four running maxima so that no value waits for the comparison of the one before.
template <typename Load>
double TakeColumn(double* out, const std::uint8_t* p, std::size_t stride, std::size_t count, float scale, Load load)
{
    auto value = [&](std::size_t i) { return static_cast<double>(load(p + i * stride) * scale); };
    auto larger = [](double v, double highest) { return v > highest ? v : highest; };
    constexpr double none = -std::numeric_limits<double>::infinity();
    double h0 = none, h1 = none, h2 = none, h3 = none;
    std::size_t i = 0;
    for (; i + 4 <= count; i += 4) {
        out[i] = value(i);
        out[i + 1] = value(i + 1);
        out[i + 2] = value(i + 2);
        out[i + 3] = value(i + 3);
        h0 = larger(out[i], h0);
        h1 = larger(out[i + 1], h1);
        h2 = larger(out[i + 2], h2);
        h3 = larger(out[i + 3], h3);
    }
    for (; i < count; ++i) {
        out[i] = value(i);
        h0 = larger(out[i], h0);
    }
    return std::max(std::max(h0, h1), std::max(h2, h3));
}

// At least `count` entries of `v` from `at` on: sizes kept from an earlier window are reused as
// they are, without zero-filling.
template <typename T>
T* Room(std::vector<T>& v, std::size_t at, std::size_t count)
{
    if (v.size() < at + count) v.resize(at + count);
    return v.data() + at;
}

double TakeRecordColumn(double* out, const TRecordColumn& c, const std::uint8_t* records, std::size_t size, std::size_t count)
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

// The reading of every entry point into `result`, whose arrays and the read buffer `block` keep
// their memory; with `decodeTimes` false every record counts as read and Times stays empty.
void ReadWindow(TDataFile& F, std::int64_t first, std::int64_t last, std::span<const TRecordColumn> columns,
                bool decodeTimes, bool showFault, TRecordWindowData& result, Bytes& block)
{
    result.Complete = true;
    result.Read = 0;
    result.Columns.resize(columns.size());
    result.Highest.assign(columns.size(), -std::numeric_limits<double>::infinity());
    // The arrays hold exactly the records read, whichever way the read ends.
    struct TrimToRead {
        TRecordWindowData& r;
        bool times;
        ~TrimToRead()
        {
            r.Times.resize(times ? r.Read : 0);
            for (auto& column : r.Columns) column.resize(r.Read);
        }
    } trim{result, decodeTimes};
    const StampLayout* layout = StampLayoutOf(F.Measure());
    const TimesDecoder decoder = TimesDecoderOf(layout);
    const std::int64_t count = static_cast<std::int64_t>(F.RecordCount());
    const std::size_t size = F.RecordSize();
    if (!decoder || first < 0 || last < first || last >= count || size < layout->bytesNeeded) {
        result.Complete = false;
        return;
    }
    // Every column is checked once against the record size, so the loops need no checks.
    for (const TRecordColumn& c : columns)
        if (c.Offset + ColumnBytes(c.Type) > size) {
            result.Complete = false;
            return;
        }
    const std::size_t expected = static_cast<std::size_t>(last - first + 1);
    if (decodeTimes) result.Times.reserve(expected);
    for (auto& column : result.Columns) column.reserve(expected);

    const std::int64_t perBlock = static_cast<std::int64_t>(std::max<std::size_t>(1, kBlockBytes / size));
    const std::size_t perPiece = std::max<std::size_t>(1, kPieceBytes / size);
    DayOfLastDate day;
    for (std::int64_t at = first; at <= last;) {
        const std::int64_t n = std::min(perBlock, last - at + 1);
        if (!F.ReadRecords(at, n, block)) {
            result.Complete = false;
            return;
        }
        for (std::size_t from = 0; from < static_cast<std::size_t>(n); from += perPiece) {
            const std::size_t pieceCount = std::min(perPiece, static_cast<std::size_t>(n) - from);
            const std::uint8_t* piece = block.data() + from * size;
            std::size_t decoded = pieceCount;
            if (decodeTimes) decoded = decoder(piece, size, pieceCount, day, Room(result.Times, result.Read, pieceCount));
            for (std::size_t c = 0; c < columns.size(); ++c) {
                const double highest = TakeRecordColumn(Room(result.Columns[c], result.Read, decoded), columns[c], piece, size, decoded);
                result.Highest[c] = std::max(result.Highest[c], highest);
            }
            result.Read += decoded;
            if (decoded < pieceCount) {
                if (showFault) record_reading::ShowRecordStampFault(*layout, RecordBytes(piece + decoded * size, size));
                result.Complete = false;
                return;
            }
        }
        at += n;
    }
}

TRecordWindowData ReadWindow(TDataFile& F, std::int64_t first, std::int64_t last, std::span<const TRecordColumn> columns,
                             bool decodeTimes, bool showFault)
{
    TRecordWindowData result;
    Bytes block;
    ReadWindow(F, first, last, columns, decodeTimes, showFault, result, block);
    return result;
}
}  // namespace

TRecordWindowData ReadRecordWindow(TDataFile& F, std::int64_t first, std::int64_t last,
                                   std::span<const TRecordColumn> columns, bool showFault)
{
    return ReadWindow(F, first, last, columns, true, showFault);
}

TRecordWindowData ReadRecordColumns(TDataFile& F, std::int64_t first, std::int64_t last,
                                    std::span<const TRecordColumn> columns)
{
    return ReadWindow(F, first, last, columns, false, false);
}

const TRecordWindowData& TRecordWindowRefill::Read(TDataFile& F, std::int64_t first, std::int64_t last,
                                                   std::span<const TRecordColumn> columns, bool showFault)
{
    ReadWindow(F, first, last, columns, true, showFault, data_, block_);
    return data_;
}
