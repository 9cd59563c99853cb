// The block of values a trend view hands to the values sheet, in this order: the survey name,
// the view's copy of its measure's file information, the six caption lines, the records of the
// selected interval and the trace settings as last applied.
#pragma once

#include <cstdint>
#include <string>

#include "survey/records.h"
#include "survey/trace_records.h"

struct TTrendValuesBlock {
    std::string SurveyName;
    TMeasureFileInfo FileInfo;
    TInfoPrintVal InfoPrint;
    std::uint32_t PeriodRecords = 0;
    TTraceSettings Traces;
};
