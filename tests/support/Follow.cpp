#include "tests/support/Follow.h"

#include <gtest/gtest.h>

#include "tests/support/Windows.h"

namespace kestro::test {

namespace {
void SendButtons(POINT screen, int clicks)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(screen.x, 65536, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = ::MulDiv(screen.y, 65536, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ::SetCursorPos(screen.x, screen.y);
    ::SendInput(1, &input, sizeof input);
    PumpFor(30);
    for (int i = 0; i < clicks; ++i) {
        for (DWORD button : {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP}) {
            input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
            ::SendInput(1, &input, sizeof input);
        }
    }
    PumpFor(50);
}
}  // namespace

std::wstring FollowCaption(const std::wstring& exe)
{
    return L"Kestro - " + exe;
}

bool SitsOnTopRightOf(const TKestro& kestro, HWND dialog)
{
    const RECT tool = WindowRect(kestro.Main());
    const RECT target = WindowRect(dialog);
    return kestro.Visible() && tool.right == target.right && tool.top == target.top;
}

bool WaitFollowing(const TKestro& kestro, HWND dialog, DWORD timeoutMs)
{
    return WaitFor([&] { return SitsOnTopRightOf(kestro, dialog); }, timeoutMs);
}

bool BringToFront(HWND wnd)
{
    ::SetForegroundWindow(wnd);
    return WaitFor([&] { return ::GetForegroundWindow() == wnd; });
}

void MoveTo(HWND dialog, int left, int top)
{
    ::SetWindowPos(dialog, nullptr, left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

POINT ListBelowItems(const TKestro& kestro)
{
    const RECT list = ClientRectOnScreen(kestro.ListBox());
    return {list.left + 20, list.bottom - 6};
}

void ClickOn(POINT screen)
{
    SendButtons(screen, 1);
}

void DoubleClickOn(POINT screen)
{
    SendButtons(screen, 2);
}

bool ActivateToolWindow(const TKestro& kestro)
{
    ClickOn(ListBelowItems(kestro));
    if (!WaitFor([&] { return ::GetForegroundWindow() == kestro.Main(); })) return false;
    PumpFor(300);
    return ::GetForegroundWindow() == kestro.Main();
}

void ClickEntry(const TKestro& kestro, int index)
{
    const bool inFront = ActivateToolWindow(kestro);
    const std::wstring front = ClassOf(::GetForegroundWindow());
    EXPECT_TRUE(inFront) << "the tool window did not come to the front; in front: \""
                         << std::string(front.begin(), front.end()) << "\"";
    ClickOn(kestro.ListItemPoint(index));
}

}  // namespace kestro::test
