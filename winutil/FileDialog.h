#pragma once
// Recognising the common open/save file dialog of any program, and searching its window tree.
#include <windows.h>

#include <string>

namespace kestro {

// The window's class name (up to 259 units); empty when it cannot be read.
std::wstring GetWindowClass(HWND wnd);

// True for a "#32770" window with a direct "SHELLDLL_DefView" (or else "DUIViewWndClassName")
// child and both controls 1 and 2.
bool IsFileDialog(HWND wnd);

// The first descendant of `parent`, in EnumChildWindows order, whose class is exactly
// `className`; 0 when there is none. Not re-entrant: the search state lives in this module.
HWND FindChildByClass(HWND parent, const std::wstring& className);

}  // namespace kestro
