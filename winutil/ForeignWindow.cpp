#include "winutil/ForeignWindow.h"

#include <cwchar>

namespace kestro {

bool SendToForeign(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result, UINT timeoutMs)
{
    DWORD_PTR answer = 0;
    const bool answered =
        ::SendMessageTimeoutW(wnd, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &answer) != 0;
    if (result) *result = answered ? static_cast<LRESULT>(answer) : 0;
    return answered;
}

int ForeignTextLength(HWND wnd)
{
    LRESULT length = 0;
    SendToForeign(wnd, WM_GETTEXTLENGTH, 0, 0, &length, kForeignReadTimeoutMs);
    return static_cast<int>(length);
}

std::wstring ReadForeignText(HWND wnd)
{
    wchar_t buffer[MAX_PATH] = {};
    SendToForeign(wnd, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(buffer), nullptr, kForeignReadTimeoutMs);
    return std::wstring(buffer, wcsnlen(buffer, MAX_PATH));
}

bool SetForeignText(HWND wnd, const std::wstring& text)
{
    return SendToForeign(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

bool ForeignWindowAnswers(HWND wnd)
{
    return SendToForeign(wnd, WM_NULL, 0, 0);
}

}  // namespace kestro
