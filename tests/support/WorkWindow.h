#pragma once
// A window of the test's own thread for the owners' workers to announce their completions to, and
// the pump that hands those completions over, as the main window's loop does.
#include <windows.h>

#include <functional>

namespace kestro::test {

class TWorkWindow {
public:
    static constexpr UINT kDone = WM_APP + 2;

    TWorkWindow();
    TWorkWindow(const TWorkWindow&) = delete;
    TWorkWindow& operator=(const TWorkWindow&) = delete;
    ~TWorkWindow();

    HWND Handle() const { return FHandle; }
    // Pumps this thread's messages, calling `deliver` whenever a completion is announced, until
    // `condition` holds; false when it did not within `timeoutMs`.
    bool PumpUntil(const std::function<bool()>& condition, const std::function<void()>& deliver,
                   DWORD timeoutMs = 5000);

private:
    HWND FHandle;
};

}  // namespace kestro::test
