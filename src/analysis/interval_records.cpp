// Chunked reading of an interval's records.
#include "analysis/interval_records.h"

#include <algorithm>

namespace {
constexpr std::int64_t kChunkBytes = 512 << 10;
}

TIntervalRecords::TIntervalRecords(TDataFile& file, std::int64_t first, std::int64_t last,
                                   std::vector<TRecordColumn> columns, StampUse stamps, ColumnPrecision precision)
    : file_(file), first_(first), last_(last), columns_(std::move(columns)), stamps_(stamps), precision_(precision),
      chunkRecords_(std::max<std::int64_t>(1, kChunkBytes / std::max<std::int64_t>(file.RecordSize(), 1))),
      next_(first)
{
}

bool TIntervalRecords::NextChunk()
{
    if (failed_ || next_ > last_) return false;
    const std::int64_t chunkLast = std::min(last_, next_ + chunkRecords_ - 1);
    // Faults are reported once by the engine, naming the measure.
    const TRecordWindowData& chunk = reader_.Read(file_, next_, chunkLast, columns_, false, stamps_, precision_);
    if (!chunk.Complete || chunk.Count() == 0) {
        failed_ = true;
        return false;
    }
    next_ = chunkLast + 1;
    at_ = 0;
    return true;
}

std::size_t TIntervalRecords::NextRunAfterChunk(std::size_t most)
{
    if (failed_ || !NextChunk()) return 0;
    return NextRun(most);
}
