#include "winutil/ForeignWindow.h"

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

namespace {
// WM_GETTEXT into 260 zero-filled units, up to the first NUL; false when the window did not
// answer in time.
bool GetForeignText(HWND wnd, std::wstring& text, UINT timeoutMs)
{
    wchar_t buffer[MAX_PATH] = {};
    const bool answered = SendToForeign(wnd, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(buffer), timeoutMs);
    text.assign(buffer, wcsnlen(buffer, MAX_PATH));
    return answered;
}
}  // namespace

std::optional<std::wstring> QueryForeignText(HWND wnd, UINT timeoutMs)
{
    LRESULT length = 0;
    if (!SendToForeign(wnd, WM_GETTEXTLENGTH, 0, 0, timeoutMs, &length)) return std::nullopt;
    std::wstring text;
    if (static_cast<int>(length) > 0 && !GetForeignText(wnd, text, timeoutMs)) return std::nullopt;
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
