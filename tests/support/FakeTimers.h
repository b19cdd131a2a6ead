#pragma once
// Stands in for the window's timers in the owners' tests: remembers which run, and with what
// period; the test says when one falls due by calling the owner's handler.
#include <windows.h>

#include <map>

#include "winutil/Timers.h"

namespace kestro::test {

class TFakeTimers : public ITimers {
public:
    void StartTimer(UINT_PTR id, UINT ms) override
    {
        Running[id] = ms;
        ++Starts;
    }
    void StopTimer(UINT_PTR id) override { Running.erase(id); }
    bool IsRunning(UINT_PTR id) const { return Running.count(id) != 0; }

    std::map<UINT_PTR, UINT> Running;
    int Starts = 0;
};

}  // namespace kestro::test
