// Writes a demonstration survey for looking at the program by hand:
//   orv_make_demo_survey <folder> [days]
// A three-phase voltage file of one-minute records with a density curve (an hour missing at noon
// each day) and an events file in demo.orv; the same voltage at 11 kV in demo_mv.orv.
#include "fixtures/data_fixture.h"
#include "fixtures/survey_fixture.h"
#include "fixtures/view_fixture.h"
#include "survey/data_layout.h"
#include "survey/records.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [days]\n", argv[0]);
        return 2;
    }
    std::string folder = argv[1];
    if (folder.back() != '/') folder += '/';
    int days = argc > 2 ? std::atoi(argv[2]) : 2;
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec || days < 1) {
        std::fprintf(stderr, "cannot write into %s\n", folder.c_str());
        return 1;
    }
    double start = FixtureTime(2024, 3, 15, 0, 0);

    // A bell-shaped density around the middle class; an hour missing at noon every day.
    VoltageSeriesFields series{.start = start, .periodMinutes = 1, .count = days * 1440, .flags = 2 | 32};
    series.curve.assign(kVoltageCurveClasses, 0);
    for (int c = 0; c < kVoltageCurveClasses; ++c) {
        series.curve[static_cast<std::size_t>(c)] = static_cast<std::int32_t>(1000 * std::exp(-(c - 60) * (c - 60) / 50.0));
        series.curveTotal += static_cast<std::uint32_t>(series.curve[static_cast<std::size_t>(c)]);
    }
    for (int i = 0; i < series.count; ++i)
        if (i % 1440 >= 720 && i % 1440 < 780) series.missing.insert(i);
    auto around = [](float nominal) {
        return [nominal](int i, int phase) {
            const float avg = nominal * (1 + 0.026f * static_cast<float>(std::sin(i / 240.0 + phase)) + (i % 997 == 0 ? 0.11f : 0));
            return MinAvgMax{avg - nominal * 0.02f, avg, avg + nominal * 0.02f};
        };
    };
    series.values = around(230);
    WriteVoltageSeries(folder + "demo.vme", series);
    // The same feeder at 11 kV, where the voltage view plots in kilovolts.
    series.values = around(11000);
    WriteVoltageSeries(folder + "demo_mv.vme", series);

    std::vector<Bytes> events;
    for (int i = 0; i < 12; ++i) {
        EventRecordFields e;
        e.type = 1 + i % 4;
        e.threshold = 253;
        e.time = StampOf(start + i * days / 12.0);
        e.duration = 150 + i * 10;
        e.peak = 260 + i;
        events.push_back(EventRecord(e));
    }
    WriteDataFile(folder + "demo.ale", events);

    SurveyFixture survey;
    survey.dataFiles = {{1, "demo.vme"}, {6, "demo.ale"}};
    survey.description = "Demonstration feeder";
    std::string path = WriteSurveyFile(folder + "demo.orv", survey);
    survey.dataFiles = {{1, "demo_mv.vme"}};
    survey.description = "Demonstration feeder, 11 kV";
    WriteSurveyFile(folder + "demo_mv.orv", survey);
    if (!FileExists(path) || !FileExists(folder + "demo.vme") || !FileExists(folder + "demo_mv.orv")) {
        std::fprintf(stderr, "cannot write the survey into %s\n", folder.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
}
