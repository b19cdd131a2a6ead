#pragma once
// Windows and modal boxes that a test makes in its own process, always cleaned up, also when
// the test fails half-way.
#include <windows.h>

#include <atomic>
#include <functional>
#include <thread>

namespace kestro::test {

// A window of the test thread, destroyed with this object.
class TOwnWindow {
public:
    TOwnWindow() = default;
    explicit TOwnWindow(HWND wnd) noexcept : FWnd(wnd) {}
    TOwnWindow(TOwnWindow&& other) noexcept : FWnd(other.FWnd) { other.FWnd = nullptr; }
    TOwnWindow& operator=(TOwnWindow&& other) noexcept;
    TOwnWindow(const TOwnWindow&) = delete;
    TOwnWindow& operator=(const TOwnWindow&) = delete;
    ~TOwnWindow();
    HWND get() const noexcept { return FWnd; }

private:
    HWND FWnd = nullptr;
};

// Registers `name` once in the test process, with `proc` (DefWindowProcW when none) as its
// window procedure, and returns it.
const wchar_t* OwnClass(const wchar_t* name, WNDPROC proc = nullptr);

// A top-level window of class `className` (registered or a system class) with these bounds.
TOwnWindow CreateTopWindow(const wchar_t* className, int left, int top, int width, int height,
                           DWORD style = WS_OVERLAPPEDWINDOW | WS_VISIBLE);
// A child window with control identifier `id`; it goes with its parent.
HWND CreateChild(HWND parent, const wchar_t* className, int id, DWORD style = WS_CHILD | WS_VISIBLE);

// Runs `body` (a modal box, or a window with its own message loop) on a thread of its own.
// The destructor cancels and closes the thread's windows until `body` returns, then joins.
class TModalThread {
public:
    explicit TModalThread(std::function<void()> body);
    TModalThread(const TModalThread&) = delete;
    TModalThread& operator=(const TModalThread&) = delete;
    ~TModalThread();

    // The thread's first visible window of class `className`, waited for up to `timeoutMs`;
    // 0 when none came.
    DWORD Id() const { return FId; }
    HWND WaitForWindow(const wchar_t* className = L"#32770", DWORD timeoutMs = 10000) const;

private:
    std::atomic<DWORD> FId{0};
    std::atomic<bool> FDone{false};
    std::thread FThread;
};

}  // namespace kestro::test
