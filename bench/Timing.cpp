#include "bench/Timing.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace kestro::bench {

double Seconds()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

double Percentile(std::vector<double> values, double fraction)
{
    if (values.empty()) return -1;
    std::sort(values.begin(), values.end());
    const size_t rank = static_cast<size_t>(std::ceil(fraction * static_cast<double>(values.size())));
    return values[rank == 0 ? 0 : rank - 1];
}

double MillisecondsUntil(const std::function<bool()>& done)
{
    const double start = Seconds();
    while (Seconds() - start < kGiveUpSeconds) {
        if (done()) return (Seconds() - start) * 1000;
        ::Sleep(1);
    }
    return -1;
}

void PrintTimes(const char* what, const std::vector<double>& times, const char* unfinished)
{
    if (std::find(times.begin(), times.end(), -1.0) != times.end()) {
        std::printf("%-44s %s\n", what, unfinished);
        return;
    }
    std::printf("%-44s median %7.1f ms   p95 %7.1f ms (min %.1f, max %.1f)\n", what, Percentile(times, 0.5),
                Percentile(times, 0.95), *std::min_element(times.begin(), times.end()),
                *std::max_element(times.begin(), times.end()));
}

}  // namespace kestro::bench
