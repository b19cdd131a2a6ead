#include "tests/support/Follow.h"

#include <gtest/gtest.h>
#include <cstdio>

#include "tests/support/Input.h"
#include "tests/support/Windows.h"

namespace kestro::test {

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

bool ActivateToolWindow(const TKestro& kestro)
{
    // The late focus events can take the front away again once; a second click settles it.
    for (int attempt = 0; attempt < 3; ++attempt) {
        const POINT p = ListBelowItems(kestro);
        const RECT r = WindowRect(kestro.Main());
        std::printf("DEBUG %llu attempt %d click %ld,%ld kestro %ld,%ld-%ld,%ld visible %d fg %ls\n", ::GetTickCount64(), attempt, p.x, p.y, r.left, r.top, r.right, r.bottom, kestro.Visible(), ClassOf(::GetForegroundWindow()).c_str());
        ClickAt(p);
        if (!WaitFor([&] { return ::GetForegroundWindow() == kestro.Main(); }, 2000)) { std::printf("DEBUG not in front: %ls\n", ClassOf(::GetForegroundWindow()).c_str()); continue; }
        PumpFor(300);
        if (::GetForegroundWindow() == kestro.Main()) return true;
    }
    return false;
}

void ClickEntry(const TKestro& kestro, int index)
{
    const bool inFront = ActivateToolWindow(kestro);
    const std::wstring front = ClassOf(::GetForegroundWindow());
    EXPECT_TRUE(inFront) << "the tool window did not come to the front; in front: \""
                         << std::string(front.begin(), front.end()) << "\"";
    ClickAt(kestro.ListItemPoint(index));
}

}  // namespace kestro::test
