#pragma once
// Clock and statistics for the benchmarks.
#include <functional>
#include <vector>

namespace kestro::bench {

// Seconds on the performance counter.
double Seconds();

// The value at rank `fraction` (0.5 the median, 0.95 the 95th percentile) by the nearest rank.
double Percentile(std::vector<double> values, double fraction);

// How long a benchmark waits for what it times before the trial counts as unfinished.
constexpr double kGiveUpSeconds = 5;

// Milliseconds until `done`, polled every millisecond from now; -1 when it did not come about
// within kGiveUpSeconds.
double MillisecondsUntil(const std::function<bool()>& done);

// One line of `times` in milliseconds: median, p95, least and most; `unfinished` when a trial
// gave -1.
void PrintTimes(const char* what, const std::vector<double>& times, const char* unfinished);

// Microseconds per call of `body`, the median of `rounds` rounds of `count` calls.
template <typename F>
double MicrosecondsPerCall(int rounds, int count, F body)
{
    std::vector<double> perRound;
    for (int r = 0; r < rounds; ++r) {
        const double start = Seconds();
        for (int i = 0; i < count; ++i) body();
        perRound.push_back((Seconds() - start) * 1e6 / count);
    }
    return Percentile(perRound, 0.5);
}

}  // namespace kestro::bench
