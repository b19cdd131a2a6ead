#include "tests/support/Windows.h"

#include <cstdlib>

namespace kestro::test {

std::string Narrow(const std::wstring& text)
{
    std::string narrow;
    for (wchar_t c : text) narrow += c < 0x80 ? static_cast<char>(c) : '?';
    return narrow;
}

std::wstring ClassOf(HWND wnd)
{
    wchar_t name[256] = {};
    const int n = ::GetClassNameW(wnd, name, 256);
    return std::wstring(name, n > 0 ? n : 0);
}

std::wstring TextOf(HWND wnd)
{
    DWORD_PTR length = 0;
    if (!::SendMessageTimeoutW(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length)) return L"";
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!::SendMessageTimeoutW(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                               2000, &copied))
        return L"";
    text.resize(copied);
    return text;
}

std::vector<HWND> TopWindowsOf(DWORD pid)
{
    struct TSearch {
        DWORD Pid;
        std::vector<HWND> Found;
    } search{pid, {}};
    ::EnumWindows(
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(param);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(wnd, &owner);
            if (owner == s->Pid) s->Found.push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND FindTopWindow(DWORD pid, const std::wstring& className, const wchar_t* caption)
{
    for (HWND wnd : TopWindowsOf(pid))
        if (ClassOf(wnd) == className && (!caption || TextOf(wnd) == caption)) return wnd;
    return nullptr;
}

HWND FindDialogOf(DWORD pid)
{
    for (HWND wnd : TopWindowsOf(pid))
        if (ClassOf(wnd) == L"#32770" && ::IsWindowVisible(wnd)) return wnd;
    return nullptr;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className)
{
    std::vector<HWND> found;
    for (HWND child = ::FindWindowExW(parent, nullptr, className.c_str(), nullptr); child;
         child = ::FindWindowExW(parent, child, className.c_str(), nullptr))
        found.push_back(child);
    return found;
}

void PumpFor(DWORD ms)
{
    const ULONGLONG end = ::GetTickCount64() + ms;
    do {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    } while (::GetTickCount64() < end);
}

bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition()) return true;
        if (::GetTickCount64() >= end) return false;
        PumpFor(20);
    }
}

bool WaitStaysInFront(HWND wnd)
{
    if (!WaitFor([&] { return ::GetForegroundWindow() == wnd; })) return false;
    PumpFor(300);
    return ::GetForegroundWindow() == wnd;
}

bool BringToFront(HWND wnd)
{
    // A window that has just been shown may still take its own activation after ours.
    for (int attempt = 0; attempt < 3; ++attempt) {
        ::SetForegroundWindow(wnd);
        if (WaitStaysInFront(wnd)) return true;
    }
    return false;
}

HWND FocusOfThreadOf(HWND wnd)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = ::GetWindowThreadProcessId(wnd, nullptr);
    return ::GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

RECT WindowRect(HWND wnd)
{
    RECT rect = {};
    ::GetWindowRect(wnd, &rect);
    return rect;
}

RECT ClientRectOnScreen(HWND wnd)
{
    RECT rect = {};
    ::GetClientRect(wnd, &rect);
    ::MapWindowPoints(wnd, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::wstring MessageBoxText(HWND box)
{
    return TextOf(::GetDlgItem(box, 0xFFFF));
}

bool HasVisibleIcon(HWND box)
{
    for (HWND child : ChildrenOfClass(box, L"Static")) {
        const LONG_PTR style = ::GetWindowLongPtrW(child, GWL_STYLE);
        if ((style & SS_TYPEMASK) == SS_ICON && ::IsWindowVisible(child) &&
            ::SendMessageW(child, STM_GETICON, 0, 0) != 0)
            return true;
    }
    return false;
}

void PressDialogButton(HWND dialog, int id)
{
    ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

int WineMajorVersion()
{
    using TVersion = const char*(CDECL*)();
    const FARPROC proc = ::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "wine_get_version");
    // Through void(*)(), the one function type any other converts from cleanly.
    return proc ? std::atoi(reinterpret_cast<TVersion>(reinterpret_cast<void (*)()>(proc))()) : 0;
}

}  // namespace kestro::test
