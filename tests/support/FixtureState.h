#pragma once
// The hidden window a fixture program reports on through its caption, as the tests read it, and
// the wait at the fixture's end for WM_CLOSE to that window.
#include <windows.h>

namespace kestro::test {

constexpr wchar_t kFixtureStateClass[] = L"KestroFixtureState";

inline LRESULT CALLBACK FixtureStateProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcW(wnd, message, wParam, lParam);
}

// The window, hidden, with the caption "starting".
inline HWND CreateFixtureStateWindow(HINSTANCE instance)
{
    WNDCLASSW wc = {};
    wc.lpfnWndProc = FixtureStateProc;
    wc.hInstance = instance;
    wc.lpszClassName = kFixtureStateClass;
    ::RegisterClassW(&wc);
    return ::CreateWindowExW(0, kFixtureStateClass, L"starting", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                             instance, nullptr);
}

// Keeps the fixture's messages flowing until `state` is closed, or 30 s, so that a test can read
// its last report.
inline void LingerUntilClosed(HWND state)
{
    const ULONGLONG end = ::GetTickCount64() + 30000;
    while (::IsWindow(state)) {
        const ULONGLONG now = ::GetTickCount64();
        if (now >= end) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(end - now), QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) return;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
}

}  // namespace kestro::test
