#include "winutil/FileDialog.h"

#include <cwchar>

namespace kestro {

namespace {
// The search state of FindChildByClass lives here rather than in the callback's application
// value, which stays 0; so only one search may run at a time.
std::wstring GClassSought;
HWND GChildFound = nullptr;

BOOL CALLBACK MatchChildClass(HWND child, LPARAM)
{
    if (GetWindowClass(child) != GClassSought) return TRUE;
    GChildFound = child;
    return FALSE;
}

bool HasDirectChild(HWND parent, const wchar_t* className)
{
    return ::FindWindowExW(parent, nullptr, className, nullptr) != nullptr;
}
}  // namespace

std::wstring GetWindowClass(HWND wnd)
{
    wchar_t name[MAX_PATH] = {};
    ::GetClassNameW(wnd, name, MAX_PATH);
    return std::wstring(name, wcsnlen(name, MAX_PATH));
}

bool IsFileDialog(HWND wnd)
{
    if (GetWindowClass(wnd) != L"#32770") return false;
    // The older Explorer-style dialog hosts the shell's folder view directly; the newer item
    // dialog hosts a view frame instead.
    if (!HasDirectChild(wnd, L"SHELLDLL_DefView") && !HasDirectChild(wnd, L"DUIViewWndClassName"))
        return false;
    return ::GetDlgItem(wnd, IDOK) != nullptr && ::GetDlgItem(wnd, IDCANCEL) != nullptr;
}

HWND FindChildByClass(HWND parent, const std::wstring& className)
{
    GClassSought = className;
    GChildFound = nullptr;
    ::EnumChildWindows(parent, MatchChildClass, 0);
    return GChildFound;
}

}  // namespace kestro
