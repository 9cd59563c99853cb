// What sets the members of the trend-view family apart where it is data: the measure,
// captions, Y title and default range, the gap unit, the cursor readout, the density
// curve's classes and the kilovolt rule. The windows take their texts from here.
#pragma once

#include <string>

struct TCurveClasses {
    int Count = 0;         // 0: the records carry no density curve
    int FirstValue = 0;
    float ClassWidth = 0;
};

struct TTrendMember {
    int Measure = 0;
    std::string CaptionFormat;   // "%s": the shortened data-file path
    std::string MeasureLabel;    // "Measure: ..."
    int YTitleIndex = 0;         // into YAxisTitles
    float DefaultMin = 0;
    float DefaultMax = 0;
    int PeriodUnitSeconds = 60;  // the recording period's unit
    std::string CursorFormat;    // one "%3.Nf" and the unit
    TCurveClasses Curve;
    bool KilovoltRule = false;
};

const TTrendMember& VoltageMember();

// The cursor readout of a value: the member's format, or "%3.3f kV" for kilovolts.
std::string FormatCursorValue(const TTrendMember& member, double value, bool kilovolts);
// Format("  (Rate: %d%s)", period, "min"), the tail of the record-count line.
std::string RateText(int period, const std::string& unit);
