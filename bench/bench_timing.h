// What the benchmarks that weigh a job against reading its files share: processor time, which a
// busy machine disturbs less than elapsed time, its multiple of the read's ("x_read"), and the
// plain sequential read of a file's bytes that the job is weighed against.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <fstream>
#include <string>
#include <type_traits>
#include <vector>

inline double ProcessorSeconds() { return static_cast<double>(std::clock()) / CLOCKS_PER_SEC; }

// Processor seconds per iteration of `run`, each after `prepare` unless it is null (not timed);
// with the read's own (readSeconds above 0), the multiple of it as the counter "x_read".
template <typename Prepare, typename Run>
double TimeProcessor(benchmark::State& state, double readSeconds, Prepare prepare, Run run)
{
    double seconds = 0;
    for (auto _ : state) {
        if constexpr (!std::is_null_pointer_v<Prepare>) {
            state.PauseTiming();
            prepare();
            state.ResumeTiming();
        }
        const double started = ProcessorSeconds();
        run();
        seconds += ProcessorSeconds() - started;
    }
    seconds /= static_cast<double>(state.iterations());
    if (readSeconds > 0) state.counters["x_read"] = seconds / readSeconds;
    return seconds;
}

template <typename Run>
double TimeProcessor(benchmark::State& state, double readSeconds, Run run)
{
    return TimeProcessor(state, readSeconds, nullptr, run);
}

// The plain read's processor time that a job's "x_read" is a multiple of: the median of the
// read's repetitions (every repetition of a benchmark runs before the next benchmark's), so one
// disturbed read does not move every ratio of the run.
class ReadBaseline {
public:
    void Add(double seconds) { seconds_.push_back(seconds); }
    double Seconds() const
    {
        if (seconds_.empty()) return 0;
        std::vector<double> sorted = seconds_;
        std::sort(sorted.begin(), sorted.end());
        return sorted[sorted.size() / 2];
    }

private:
    std::vector<double> seconds_;
};

// The file's bytes read front to back through `buffer`; how many there were.
inline std::size_t ReadWholeFile(const std::string& path, std::vector<char>& buffer)
{
    std::ifstream in(path, std::ios::binary);
    std::size_t total = 0;
    while (in.read(buffer.data(), static_cast<std::streamsize>(buffer.size())) || in.gcount() > 0)
        total += static_cast<std::size_t>(in.gcount());
    return total;
}

// The median of `runs` plain timings of `work` in elapsed seconds, for a closing note's figure.
template <typename Work>
double MedianSeconds(Work work, int runs = 5)
{
    std::vector<double> seconds;
    for (int i = 0; i < runs; ++i) {
        const auto t0 = std::chrono::steady_clock::now();
        work();
        seconds.push_back(std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count());
    }
    std::sort(seconds.begin(), seconds.end());
    return seconds[seconds.size() / 2];
}
