#pragma once
// Bringing a window of another process to the front and focusing a control of another thread.
#include <windows.h>

namespace kestro {

// Whether SetForegroundWindow needs the thread-attach path on this system version
// (Windows 2000 and later, Windows 98 and later).
bool UsesAttachPath(DWORD platformId, DWORD majorVersion, DWORD minorVersion);

// Tries to make `wnd` the foreground window; true when it is at the end of the call.
// The foreground-lock time-out is restored to the value it had, without a broadcast, and no
// thread of this process is attached to another thread's input.
bool ForceForeground(HWND wnd);

// Gives the keyboard focus to `control`, a child of another thread's window. The calling
// thread joins the foreground thread's input for the call only, and never a thread of its own
// process; it waits as long as that thread does, so the call belongs on a worker thread.
void FocusForeignControl(HWND control);

}  // namespace kestro
