#include "tests/support/Input.h"

#include "tests/support/Windows.h"

namespace kestro::test {

namespace {
void SendMouse(DWORD flags)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    ::SendInput(1, &input, sizeof input);
}

void MoveTo(POINT screen)
{
    ::SetCursorPos(screen.x, screen.y);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = MulDiv(screen.y, 65536, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SendInput(1, &input, sizeof input);
    PumpFor(30);
}
}  // namespace

void ClickAt(POINT screen)
{
    MoveTo(screen);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(50);
}

void DoubleClickAt(POINT screen)
{
    MoveTo(screen);
    for (int i = 0; i < 2; ++i) {
        SendMouse(MOUSEEVENTF_LEFTDOWN);
        SendMouse(MOUSEEVENTF_LEFTUP);
    }
    PumpFor(50);
}

void DragFromTo(POINT from, POINT to)
{
    MoveTo(from);
    SendMouse(MOUSEEVENTF_LEFTDOWN);
    PumpFor(50);
    POINT mid = {(from.x + to.x) / 2, (from.y + to.y) / 2};
    MoveTo(mid);
    MoveTo(to);
    PumpFor(50);
    SendMouse(MOUSEEVENTF_LEFTUP);
    PumpFor(100);
}

void PressKey(WORD virtualKey)
{
    INPUT inputs[2] = {};
    inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = inputs[1].ki.wVk = virtualKey;
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    ::SendInput(2, inputs, sizeof inputs[0]);
    PumpFor(50);
}

POINT CentreOf(HWND wnd)
{
    const RECT r = WindowRect(wnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace kestro::test
