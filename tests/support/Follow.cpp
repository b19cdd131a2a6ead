#include "tests/support/Follow.h"

#include <gtest/gtest.h>

#include <cwchar>

#include "tests/support/ItemDialog.h"
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

namespace {
std::wstring Environment(const wchar_t* name)
{
    wchar_t value[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return length > 0 && length < MAX_PATH ? value : L"";
}
}  // namespace

std::wstring SlowDrive()
{
    return Environment(L"KESTRO_SLOW_DRIVE");
}

std::wstring FastDrive()
{
    return Environment(L"KESTRO_FAST_DRIVE");
}

DWORD SlowDriveDelayMs()
{
    return static_cast<DWORD>(_wtoi(Environment(L"KESTRO_SLOW_DELAY_MS").c_str()));
}

TOwnWindow CreateExplorerWindow(const std::wstring& label, const std::wstring& folder, int left, DWORD style)
{
    TOwnWindow window = CreateTopWindow(OwnClass(L"CabinetWClass"), left, 40, 400, 300, style);
    HWND link = window.get();
    for (const wchar_t* className : kItemBreadcrumbChain) link = CreateChild(link, OwnClass(className), 0);
    ::SetWindowTextW(link, (label + folder).c_str());
    return window;
}

bool WaitFollowing(const TKestro& kestro, HWND dialog, DWORD timeoutMs)
{
    return WaitFor([&] { return SitsOnTopRightOf(kestro, dialog); }, timeoutMs);
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
    ClickAt(ListBelowItems(kestro));
    return WaitStaysInFront(kestro.Main());
}

void ClickEntry(const TKestro& kestro, int index)
{
    const bool inFront = ActivateToolWindow(kestro);
    const std::wstring front = ClassOf(::GetForegroundWindow());
    EXPECT_TRUE(inFront) << "the tool window did not come to the front; in front: \"" << Narrow(front) << "\"";
    ClickAt(kestro.ListItemPoint(index));
}

}  // namespace kestro::test
