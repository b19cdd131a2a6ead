#pragma once
// Timers by number, as the window keeps them: the owners ask for them through this, so that a test
// can stand in for the window and say when a timer is due.
#include <windows.h>

#include <functional>

namespace kestro {

// The tick count in milliseconds (GetTickCount64, or a test's own clock).
using TClock = std::function<ULONGLONG()>;

class ITimers {
public:
    // Starts timer `id` to fall due every `ms` milliseconds, or starts it anew.
    virtual void StartTimer(UINT_PTR id, UINT ms) = 0;
    virtual void StopTimer(UINT_PTR id) = 0;

protected:
    ~ITimers() = default;
};

}  // namespace kestro
