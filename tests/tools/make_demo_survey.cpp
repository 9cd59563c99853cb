// Writes a demonstration survey for looking at the program by hand:
//   orv_make_demo_survey <folder> [days]
// demo.orv: every measure in ten-minute records over `days` days (a week when not given), out of
// its limits on the third and sixth days; demo_mv.orv: the same voltage at 11 kV.
#include "fixtures/demo_survey.h"

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s <folder> [days]\n", argv[0]);
        return 2;
    }
    const int days = argc > 2 ? std::atoi(argv[2]) : 7;
    const std::string path = WriteDemoSurvey(argv[1], days);
    if (path.empty()) {
        std::fprintf(stderr, "cannot write the survey into %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", path.c_str());
    return 0;
}
