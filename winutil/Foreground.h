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

// Asks the dialog that holds `control` to give it the keyboard focus (WM_NEXTDLGCTL), which the
// dialog's own thread does as the dialog manager would, moving the default button with it and
// selecting an edit box's text; no thread joins another's input. The message is posted, as its
// documentation asks of a dialog that may move its focus meanwhile (one that handles its own
// activation gives the focus back to the control that had it): the focus has moved once the
// dialog's thread has taken it, which the caller sees with GetGUIThreadInfo. False when it could
// not be posted.
bool FocusForeignControl(HWND control);

}  // namespace kestro
