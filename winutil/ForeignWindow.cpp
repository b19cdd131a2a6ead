#include "winutil/ForeignWindow.h"

#include <algorithm>
#include <cwchar>

namespace kestro {

bool SendToForeign(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs, LRESULT* result)
{
    DWORD_PTR answer = 0;
    const bool answered =
        ::SendMessageTimeoutW(wnd, message, wParam, lParam, SMTO_ABORTIFHUNG, timeoutMs, &answer) != 0;
    if (result) *result = answered ? static_cast<LRESULT>(answer) : 0;
    return answered;
}

std::optional<std::wstring> QueryForeignText(HWND wnd, UINT timeoutMs)
{
    LRESULT length = 0;
    if (!SendToForeign(wnd, WM_GETTEXTLENGTH, 0, 0, timeoutMs, &length)) return std::nullopt;
    if (length <= 0) return std::wstring();
    // The length may be more than the text holds (a mix of ANSI and Unicode windows), never less;
    // WM_GETTEXT says how much it copied.
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    LRESULT copied = 0;
    if (!SendToForeign(wnd, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), timeoutMs, &copied))
        return std::nullopt;
    text.resize(std::min(static_cast<size_t>(copied > 0 ? copied : 0), text.size() - 1));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

bool SetForeignText(HWND wnd, const std::wstring& text, UINT timeoutMs)
{
    return SendToForeign(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), timeoutMs);
}

bool ForeignWindowAnswers(HWND wnd, UINT timeoutMs)
{
    return SendToForeign(wnd, WM_NULL, 0, 0, timeoutMs);
}

}  // namespace kestro
