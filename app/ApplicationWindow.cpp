#include "app/ApplicationWindow.h"

#include "app/Names.h"
#include "ui/FormNames.h"

namespace kestro {

HWND CreateApplicationWindow(HINSTANCE instance)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = ::DefWindowProcW;
    wc.hInstance = instance;
    wc.lpszClassName = kApplicationWindowClass;
    ::RegisterClassExW(&wc);
    return ::CreateWindowExW(0, kApplicationWindowClass, kApplicationTitle,
                             WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0, 0, 0, 0, nullptr, nullptr,
                             instance, nullptr);
}

}  // namespace kestro
