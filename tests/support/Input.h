#pragma once
// Real input through the system's input stream, as a user's mouse and keyboard give it.
#include <windows.h>

namespace kestro::test {

void ClickAt(POINT screen);
void DoubleClickAt(POINT screen);
// Presses the left button at `from`, moves to `to` and releases there.
void DragFromTo(POINT from, POINT to);
void PressKey(WORD virtualKey);
// The centre of a window's rectangle, in screen pixels.
POINT CentreOf(HWND wnd);

}  // namespace kestro::test
