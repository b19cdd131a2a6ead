#pragma once
// Real input through the system's input stream, as a user's mouse and keyboard give it.
#include <windows.h>

#include <string>

namespace kestro::test {

// One mouse event at `screen` with `buttons` (MOUSEEVENTF_LEFTDOWN, ..., or 0 for a move alone).
void SendMouse(POINT screen, DWORD buttons);
void ClickAt(POINT screen);
void DoubleClickAt(POINT screen);
// Presses the left button at `from`, moves to `to` and releases there.
void DragFromTo(POINT from, POINT to);
// Presses and releases `virtualKey`, with `modifier` (such as VK_CONTROL) held down if given.
void PressKey(WORD virtualKey, WORD modifier = 0);
// Types `text` character by character into the window that has the keyboard focus.
void TypeText(const std::wstring& text);
// The centre of a window's rectangle, in screen pixels.
POINT CentreOf(HWND wnd);

}  // namespace kestro::test
