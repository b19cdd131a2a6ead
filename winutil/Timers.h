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

// The timers of a window (SetTimer and KillTimer), whose WM_TIMER its window procedure hands on.
class TWindowTimers : public ITimers {
public:
    explicit TWindowTimers(HWND window) : FWindow(window) {}
    void StartTimer(UINT_PTR id, UINT ms) override { ::SetTimer(FWindow, id, ms, nullptr); }
    void StopTimer(UINT_PTR id) override { ::KillTimer(FWindow, id); }

private:
    const HWND FWindow;
};

}  // namespace kestro
