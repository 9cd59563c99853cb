// The analysis wizard's data-file reading.
#include "analysis/analysis_measure_info.h"

#include <algorithm>

#include "platform/file_io.h"
#include "platform/little_endian.h"
#include "survey/data_layout.h"
#include "survey/measure_file_info.h"

std::optional<TAnalysisMeasureInfo> ReadAnalysisMeasureInfo(const std::string& Path, int Measure,
                                                            TMeasureFileInfo& info)
{
    if (Measure < MeasureVoltage || Measure > MeasureEvents || !ReadMeasureFileInfo(Path, Measure, info))
        return std::nullopt;
    TAnalysisMeasureInfo result;
    if (Measure == MeasureFlicker || Measure == MeasureEvents) {
        result.Usable = true;
        return result;
    }
    // The file has passed its check, so its first record is there; a harmonics record without
    // blocks is shorter than the flags word and has nothing to analyse.
    const std::size_t head = std::min<std::size_t>(TrendHead::Size, static_cast<std::size_t>(info.RecordSize));
    const auto first = ReadFileRange(Path, kDataFileHeaderSize, head);
    if (!first) return result;
    FieldView record(*first);
    // For voltage harmonics offset 16 is the first block's flags word, right after the 16-byte head.
    static_assert(HarmonicsHead::Size == TrendHead::Flags);
    result.Usable = (record.U16(TrendHead::Flags) & FlagMinAvgMax) != 0 && record.Ok();
    if (Measure == MeasureFrequency) result.FrequencyFlagWord = record.I16(TrendHead::SecondsWord);
    return result;
}
