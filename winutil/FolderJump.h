#pragma once
// Typing a folder into another program's file dialog, and putting the user's file name back.
// Each call waits on the dialog, as long as a busy dialog needs and never longer than its
// bounds, so it is made on a worker thread.
#include <windows.h>

#include <string>

namespace kestro {

// How long one message of the jump waits for a dialog that is busy but not hung.
constexpr UINT kJumpSendTimeoutMs = 5000;
// The name goes back no sooner than this after the Enter ...
constexpr DWORD kJumpPauseMs = 500;
// ... and once the dialog has taken the folder, or this long after the Enter at most.
constexpr DWORD kJumpTakeBoundMs = 5000;

// Brings the dialog forward, focuses `box`, replaces its text with `folder` and presses Enter;
// once the dialog has moved there, puts `name` (unless empty) back into the box. A dialog that
// does not take the folder ends with `name` in its box as well.
void SendFolderToDialog(HWND dialog, HWND box, const std::wstring& folder, const std::wstring& name);

// Brings the dialog forward, focuses `box` and sets its text to `name`.
void PutNameIntoDialog(HWND dialog, HWND box, const std::wstring& name);

// Whether the dialog has dealt with `folder` typed into its box: the box holds something else
// (the dialog empties it when it moves), or the breadcrumb bar shows the folder, or the dialog
// is gone. False while the dialog does not answer.
bool DialogTookFolder(HWND dialog, HWND box, const std::wstring& folder);

}  // namespace kestro
