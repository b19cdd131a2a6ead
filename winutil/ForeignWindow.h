#pragma once
// Messages to other programs' windows, with a bounded wait: a hung program must never
// freeze Kestro. A time-out counts as the call's silent failure.
#include <windows.h>

#include <optional>
#include <string>

namespace kestro {

// Sends `message`; false when the window did not answer in time (or is hung or gone).
bool SendToForeign(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam, UINT timeoutMs, LRESULT* result = nullptr);

// The window's text as the follow loop reads it: WM_GETTEXTLENGTH, and when that is above 0,
// WM_GETTEXT into 260 zero-filled units, up to the first NUL (at most 259 units arrive). Nothing when the window did
// not answer in time.
std::optional<std::wstring> QueryForeignText(HWND wnd, UINT timeoutMs);

// WM_SETTEXT with `text`; false when the window did not answer in time.
bool SetForeignText(HWND wnd, const std::wstring& text, UINT timeoutMs);

// Whether the window's thread answers a message in time. Calls that wait for another thread
// without a limit (bringing its window forward, moving its focus) are made only after this.
bool ForeignWindowAnswers(HWND wnd, UINT timeoutMs);

}  // namespace kestro
