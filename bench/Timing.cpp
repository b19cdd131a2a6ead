#include "bench/Timing.h"

#include <windows.h>

#include <algorithm>
#include <cmath>

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

}  // namespace kestro::bench
