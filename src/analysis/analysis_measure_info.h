// The analysis wizard's reading of a data file: the checked descriptor of the file, as every
// survey reader fills it, and whether the measure can be analysed at all.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "survey/records.h"

struct TAnalysisMeasureInfo {
    // Voltage, frequency, unbalance and voltage harmonics need minimum, average and maximum
    // values (flag 2 of the first record's content flags, the first block's for harmonics);
    // flicker and events need only a readable file.
    bool Usable = false;
    // Frequency file: the word at offset 12 of the first record, non-zero when its recording
    // period is counted in seconds; 0 for the other measures.
    std::int16_t FrequencyFlagWord = 0;
};

// Fills `info` from the data file of measure 1 to 6 at Path as ReadMeasureFileInfo does; nothing
// when the file is refused (its message shown), so the wizard empties the measure's line.
std::optional<TAnalysisMeasureInfo> ReadAnalysisMeasureInfo(const std::string& Path, int Measure,
                                                            TMeasureFileInfo& info);
