#include "tests/support/Input.h"

#include "tests/support/Windows.h"

namespace kestro::test {

namespace {
// Every event carries its position: under Wine a button event without one lands where the
// pointer was last seen, which a late motion event can still put at an earlier click.
INPUT PositionedMouse(POINT screen, DWORD buttons)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = MulDiv(screen.x, 65536, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = MulDiv(screen.y, 65536, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | buttons;
    return input;
}

void MoveTo(POINT screen)
{
    ::SetCursorPos(screen.x, screen.y);
    SendMouse(screen, 0);
    PumpFor(30);
}

void Clicks(POINT screen, int count)
{
    MoveTo(screen);
    for (int i = 0; i < count; ++i) {
        SendMouse(screen, MOUSEEVENTF_LEFTDOWN);
        SendMouse(screen, MOUSEEVENTF_LEFTUP);
    }
    PumpFor(50);
}
}  // namespace

void SendMouse(POINT screen, DWORD buttons)
{
    INPUT input = PositionedMouse(screen, buttons);
    ::SendInput(1, &input, sizeof input);
}

void ClickAt(POINT screen)
{
    Clicks(screen, 1);
}

void DoubleClickAt(POINT screen)
{
    Clicks(screen, 2);
}

void DragFromTo(POINT from, POINT to)
{
    MoveTo(from);
    SendMouse(from, MOUSEEVENTF_LEFTDOWN);
    PumpFor(50);
    const POINT mid = {(from.x + to.x) / 2, (from.y + to.y) / 2};
    MoveTo(mid);
    MoveTo(to);
    PumpFor(50);
    SendMouse(to, MOUSEEVENTF_LEFTUP);
    PumpFor(100);
}
void PressKey(WORD virtualKey, WORD modifier)
{
    INPUT inputs[4] = {};
    UINT count = 0;
    auto key = [&](WORD vk, DWORD flags) {
        inputs[count].type = INPUT_KEYBOARD;
        inputs[count].ki.wVk = vk;
        inputs[count].ki.dwFlags = flags;
        ++count;
    };
    if (modifier) key(modifier, 0);
    key(virtualKey, 0);
    key(virtualKey, KEYEVENTF_KEYUP);
    if (modifier) key(modifier, KEYEVENTF_KEYUP);
    ::SendInput(count, inputs, sizeof inputs[0]);
    PumpFor(50);
}

void TypeText(const std::wstring& text)
{
    for (wchar_t c : text) {
        INPUT inputs[2] = {};
        inputs[0].type = inputs[1].type = INPUT_KEYBOARD;
        inputs[0].ki.wScan = inputs[1].ki.wScan = c;
        inputs[0].ki.dwFlags = KEYEVENTF_UNICODE;
        inputs[1].ki.dwFlags = KEYEVENTF_UNICODE | KEYEVENTF_KEYUP;
        ::SendInput(2, inputs, sizeof inputs[0]);
        PumpFor(30);
    }
}

POINT CentreOf(HWND wnd)
{
    const RECT r = WindowRect(wnd);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

}  // namespace kestro::test
