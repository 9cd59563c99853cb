// What the analysis judges in one measure's data file, set up from the file's first record and
// the limits: the columns read from every record, the bands outside which a record counts as
// out of limits, the tests a closed window must pass, and the records' layout facts. Used by the
// analysis engine's measure pass.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "analysis/analysis_params.h"
#include "survey/data_file.h"
#include "survey/record_window_reader.h"
#include "survey/records.h"

// A record is out of limits in counter [Group][Phase] when the value of Column lies strictly
// below Low or strictly above High (a value on a bound is inside).
struct TValueBand {
    std::size_t Column = 0;
    int Group = 0;
    int Phase = 0;
    float Low = 0, High = 0;
};

// One test of a closed window: item Item (its passed flag) fails when counter [Group][Phase]
// of the window is a share of its records strictly above 100 - Bound (Bound: a percentile), or,
// for a count test, a number of events above Bound (a maximum). A failure paints ColourPhase.
struct TWindowTest {
    int Item = 0;
    int Group = 0;
    int Phase = 0;
    double Bound = 0;
    bool Count = false;
    int ColourPhase = 0;
};

struct TMeasurePlan {
    int Measure = 0;
    bool ThreePhase = true;
    bool Events = false;  // events: columns type, threshold, peak, channel; calendar days count
    std::vector<TRecordColumn> Columns;
    std::vector<TValueBand> Bands;
    std::vector<TWindowTest> Tests;
    int Items = 1;  // passed flags per window: 1, one per harmonic block, one per event category
    int Groups = 1;  // counter groups in use: 2 for voltage and frequency, one per block or category
    std::vector<std::uint16_t> BlockOrders;  // voltage harmonics: the order of each block
    // Voltage harmonics: the first of each block's phase columns, kNoColumn when it is not read.
    std::vector<std::size_t> BlockColumns;
    static constexpr std::size_t kNoColumn = static_cast<std::size_t>(-1);
};

// Column indexes of an events plan.
namespace EventColumn {
constexpr std::size_t Type = 0, Threshold = 1, Peak = 2, Channel = 3;
}

struct TPlanResult {
    std::optional<TMeasurePlan> Plan;
    std::string Failure;  // the message when the measure cannot be analysed
};
// The plan of measure 1 to 6 for its open data file. Fails (with its message) when the first
// record cannot be read, lacks the average values, or holds a harmonic block count or channel
// code outside the tables, and (voltage, frequency) when the slot's nominal is 0, infinite or
// NaN or gives a band beyond single range: the file is then corrupt. The fundamental's harmonic columns are read only when asked (the
// analysis never judges it; the summary reports it).
TPlanResult PlanMeasure(int measure, TDataFile& file, const TSurveySelection& survey, const TLimitsRecord& limits,
                        bool readFundamental = false);

// Whether the survey's events are three-phase: the voltage file's wiring when that file can be
// read, else the flicker file's, else three-phase.
bool EventsThreePhase(const TSurveySelection& survey);
