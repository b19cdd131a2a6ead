#pragma once
// The hidden top-level window every process of the program has. It owns the main window, so
// the tool window gets no task-bar button of its own, and it travels in the relay's wParam.
#include <windows.h>

namespace kestro {

HWND CreateApplicationWindow(HINSTANCE instance);

}  // namespace kestro
