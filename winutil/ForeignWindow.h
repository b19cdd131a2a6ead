#pragma once
// Messages to other programs' windows, with a bounded wait: a hung program must never
// freeze Kestro. A time-out counts as the call's silent failure.
#include <windows.h>

#include <string>

namespace kestro {

constexpr UINT kForeignReplyTimeoutMs = 1000;

// Sends `message`; false when the window did not answer in time (or is hung or gone).
bool SendToForeign(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result = nullptr);

// WM_GETTEXTLENGTH as a signed number; 0 when the window did not answer.
int ForeignTextLength(HWND wnd);

// WM_GETTEXT into 260 zero-filled units, up to the first NUL (at most 259 units arrive).
std::wstring ReadForeignText(HWND wnd);

// WM_SETTEXT with `text`.
void SetForeignText(HWND wnd, const std::wstring& text);

}  // namespace kestro
