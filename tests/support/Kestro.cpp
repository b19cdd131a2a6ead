#include "tests/support/Kestro.h"

#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/Windows.h"

namespace kestro::test {

namespace {
constexpr LRESULT kLongestPath = 32767;
}  // namespace

std::wstring KestroExe()
{
    return BinDir() + L"Kestro.exe";
}

TKestro::~TKestro()
{
    FProcess.Kill();
}

void TKestro::Start(const std::wstring& exe)
{
    KillProcessesNamed(L"Kestro.exe");
    FExe = exe;
    FProcess = TProcess::Start(exe);
}

void TKestro::StartReady(DWORD timeoutMs, const std::wstring& exe)
{
    Start(exe);
    if (WaitReady(timeoutMs)) return;
    std::string state = !FProcess.Running() ? "Kestro has ended"
                        : !FMain            ? "no main window"
                        : !ToolBar()        ? "the window has no tool bar yet"
                        : EditMode()        ? "creation did not reach standby mode"
                                            : "the window's thread does not answer";
    if (HWND box = FindDialogOf(FProcess.Id())) {
        const std::wstring text = MessageBoxText(box);
        state += "; a box is shown: " + std::string(text.begin(), text.end());
    }
    FAIL() << "Kestro was not ready within " << timeoutMs << " ms: " << state;
}

bool TKestro::WaitReady(DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    auto left = [&] { return static_cast<DWORD>(end > ::GetTickCount64() ? end - ::GetTickCount64() : 0); };
    if (!WaitForMainWindow(left())) return false;
    if (!WaitFor([&] { return ToolBar() && !EditMode(); }, left())) return false;
    if (!WaitFor([&] { return Answers(200); }, left())) return false;
    // On top, as the platform offers it; alone it proves little (a box shown during creation
    // makes the process idle too), so its answer is not needed.
    FProcess.WaitInputIdle(left());
    return true;
}

bool TKestro::Answers(DWORD timeoutMs) const
{
    DWORD_PTR result = 0;
    return FMain && ::SendMessageTimeoutW(FMain, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

bool TKestro::EditMode() const
{
    HWND bar = ToolBar();
    return !bar || (::GetWindowLongPtrW(bar, GWL_STYLE) & WS_VISIBLE) != 0;
}

HWND TKestro::WaitForMainWindow(DWORD timeoutMs)
{
    WaitFor([&] { return (FMain = FindTopWindow(FProcess.Id(), L"TMainForm")) != nullptr; }, timeoutMs);
    return FMain;
}

HWND TKestro::Child(const std::wstring& className) const
{
    return ::FindWindowExW(FMain, nullptr, className.c_str(), nullptr);
}

HWND TKestro::ToolBar() const
{
    return Child(TOOLBARCLASSNAMEW);
}
HWND TKestro::Tab() const
{
    return Child(WC_TABCONTROLW);
}
HWND TKestro::StatusBar() const
{
    return Child(STATUSCLASSNAMEW);
}

std::wstring TKestro::Caption() const
{
    return TextOf(FMain);
}

std::vector<std::wstring> TKestro::ListItems() const
{
    std::vector<std::wstring> items;
    HWND list = ListBox();
    const LRESULT count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        // LB_GETTEXT takes no buffer size, and Kestro may put a longer entry at this index between
        // the two messages: the buffer holds the longest path there can be, whatever the length.
        const LRESULT length = ::SendMessageW(list, LB_GETTEXTLEN, i, 0);
        std::wstring text(std::max<LRESULT>(length, kLongestPath) + 1, L'\0');
        const LRESULT got = ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()));
        text.resize(got > 0 ? got : 0);
        items.push_back(text);
    }
    return items;
}

int TKestro::ListSelection() const
{
    return static_cast<int>(::SendMessageW(ListBox(), LB_GETCURSEL, 0, 0));
}

int TKestro::TabIndex() const
{
    return static_cast<int>(::SendMessageW(Tab(), TCM_GETCURSEL, 0, 0));
}

std::wstring TKestro::StatusText() const
{
    return TextOf(StatusBar());
}

bool TKestro::ButtonShown(int command) const
{
    return ::SendMessageW(ToolBar(), TB_ISBUTTONHIDDEN, command, 0) == 0 &&
           ::SendMessageW(ToolBar(), TB_COMMANDTOINDEX, command, 0) >= 0;
}

POINT TKestro::ListItemPoint(int index) const
{
    HWND list = ListBox();
    const int top = static_cast<int>(::SendMessageW(list, LB_GETTOPINDEX, 0, 0));
    const int height = static_cast<int>(::SendMessageW(list, LB_GETITEMHEIGHT, 0, 0));
    POINT p = {20, (index - top) * height + height / 2};
    ::ClientToScreen(list, &p);
    return p;
}

namespace {
// Sends a message whose lParam points to a RECT, through a buffer in the window's process:
// pointers of common-control messages are not carried across processes.
RECT RemoteRect(HWND wnd, UINT message, WPARAM wParam)
{
    RECT rect = {};
    DWORD pid = 0;
    ::GetWindowThreadProcessId(wnd, &pid);
    UniqueHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, pid));
    if (!process) return rect;
    void* remote = ::VirtualAllocEx(process.get(), nullptr, sizeof rect, MEM_COMMIT, PAGE_READWRITE);
    if (!remote) return rect;
    DWORD_PTR result = 0;
    if (::SendMessageTimeoutW(wnd, message, wParam, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 2000, &result))
        ::ReadProcessMemory(process.get(), remote, &rect, sizeof rect, nullptr);
    ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return rect;
}

POINT CentreOnScreen(HWND wnd, RECT clientRect)
{
    POINT p = {(clientRect.left + clientRect.right) / 2, (clientRect.top + clientRect.bottom) / 2};
    ::ClientToScreen(wnd, &p);
    return p;
}
}  // namespace

POINT TKestro::ButtonPoint(int command) const
{
    HWND bar = ToolBar();
    const LRESULT index = ::SendMessageW(bar, TB_COMMANDTOINDEX, command, 0);
    return CentreOnScreen(bar, RemoteRect(bar, TB_GETITEMRECT, index));
}

RECT TKestro::TabItemRect(int index) const
{
    RECT r = RemoteRect(Tab(), TCM_GETITEMRECT, index);
    ::MapWindowPoints(Tab(), nullptr, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

POINT TKestro::TabPoint(int index) const
{
    const RECT r = TabItemRect(index);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

POINT TKestro::CaptionPoint() const
{
    RECT window = WindowRect(FMain);
    RECT client = ClientRectOnScreen(FMain);
    return {window.left + 30, (window.top + client.top) / 2};
}

DWORD TKestro::RelayShow(const std::wstring& arguments)
{
    TProcess second = TProcess::Start(FExe, arguments);
    DWORD code = 0xFFFFFFFF;
    EXPECT_TRUE(WaitFor([&] { return second.WaitExit(0, &code); }, 15000)) << "the second start did not end";
    return code;
}

bool TKestro::Close(DWORD timeoutMs)
{
    ::PostMessageW(FMain, WM_CLOSE, 0, 0);
    return WaitFor([&] { return FProcess.WaitExit(0); }, timeoutMs);
}

}  // namespace kestro::test
