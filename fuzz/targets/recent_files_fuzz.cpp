// Fuzz target: the recent-files file "orv.mru", read at start.
// Must hold: each list holds at most five entries, none empty and none holding a line break; the
// lists saved and read again are the same lists; each entry's menu caption is made.
#include "app/recent_files.h"
#include "fuzz/fuzz_support.h"

namespace {
constexpr RecentList kLists[] = {RecentList::Surveys, RecentList::Reports, RecentList::Summaries, RecentList::Sheets};
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    fuzz::Run run;
    const std::string path = fuzz::WriteInput(run.Path("orv.mru"), {data, size});
    RecentFiles recent;
    FUZZ_CHECK(recent.Load(path));
    for (RecentList list : kLists) {
        FUZZ_CHECK(recent.List(list).size() <= RecentFiles::kEntries);
        for (std::size_t i = 0; i < recent.List(list).size(); ++i) {
            const std::string& entry = recent.List(list)[i];
            FUZZ_CHECK(!entry.empty() && entry.find('\n') == std::string::npos);
            FUZZ_CHECK(RecentFiles::Caption(i, entry).size() >= entry.size());
        }
    }
    const std::string again = run.Path("again.mru");
    FUZZ_CHECK(recent.Save(again));
    RecentFiles read;
    FUZZ_CHECK(read.Load(again));
    for (RecentList list : kLists) FUZZ_CHECK(read.List(list) == recent.List(list));
    return 0;
}
