// Writes a demonstration survey for looking at the program by hand:
//   orv_make_demo_survey <folder> [days]
// A three-phase voltage file of one-minute records with a density curve, and an events file.
#include "fixtures/data_fixture.h"
#include "fixtures/survey_fixture.h"
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

    TrendRecordFields proto;
    proto.flags = 2 | 32;
    proto.phases.resize(3);
    for (auto& p : proto.phases) {
        p.values = {225, 230, 235};
        // A bell-shaped density around the middle class.
        p.curve.assign(kVoltageCurveClasses, 0);
        for (int c = 0; c < kVoltageCurveClasses; ++c) {
            p.curve[static_cast<std::size_t>(c)] = static_cast<std::int32_t>(1000 * std::exp(-(c - 60) * (c - 60) / 50.0));
            p.curveTotal += static_cast<std::uint32_t>(p.curve[static_cast<std::size_t>(c)]);
        }
    }
    Bytes record = TrendRecord(MeasureVoltage, proto);
    int avgOffset[3];
    for (int phase = 0; phase < 3; ++phase) avgOffset[phase] = static_cast<int>(*TrendValueOffset(proto.flags, kVoltageCurveClasses, phase, TrendValue::Average));
    WriteRecordSeries(folder + "demo.vme", MeasureVoltage, record, start, 1.0 / 1440, std::int64_t(days) * 1440,
                      [&](std::int64_t i, std::uint8_t* r) {
                          for (int phase = 0; phase < 3; ++phase) {
                              float avg = 230 + 6 * std::sin(i / 240.0 + phase) + (i % 997 == 0 ? 25 : 0);
                              std::memcpy(r + avgOffset[phase], &avg, 4);
                          }
                      });

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
    if (!FileExists(path) || !FileExists(folder + "demo.vme")) {
        std::fprintf(stderr, "cannot write the survey into %s\n", folder.c_str());
        return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
}
