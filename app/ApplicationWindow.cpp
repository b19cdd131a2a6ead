#include "app/ApplicationWindow.h"

#include "app/Names.h"
#include "ui/FormNames.h"

namespace kestro {

namespace {
// The main window that `application` owns, if it exists yet.
HWND OwnedMainWindow(HWND application)
{
    for (HWND wnd = ::FindWindowExW(nullptr, nullptr, kMainWindowClass, nullptr); wnd;
         wnd = ::FindWindowExW(nullptr, wnd, kMainWindowClass, nullptr))
        if (::GetWindow(wnd, GW_OWNER) == application) return wnd;
    return nullptr;
}

LRESULT CALLBACK ApplicationWindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Updaters and scripts ask a program to close by posting WM_CLOSE to the first top-level window
    // they find, often this one: the main window's close writes the lists before the program ends.
    if (message == WM_CLOSE) {
        if (HWND main = OwnedMainWindow(wnd)) {
            ::SendMessageW(main, WM_CLOSE, 0, 0);
            return 0;
        }
    }
    return ::DefWindowProcW(wnd, message, wParam, lParam);
}
}  // namespace

HWND CreateApplicationWindow(HINSTANCE instance)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = &ApplicationWindowProc;
    wc.hInstance = instance;
    wc.lpszClassName = kApplicationWindowClass;
    ::RegisterClassExW(&wc);
    return ::CreateWindowExW(0, kApplicationWindowClass, kApplicationTitle,
                             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr,
                             instance, nullptr);
}

}  // namespace kestro
