#pragma once
// Finding, waiting for and reading windows of any process, as a user's eye would.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace kestro::test {

// `text` for a failure message: ASCII as it is, any other unit as '?'.
std::string Narrow(const std::wstring& text);
std::wstring ClassOf(HWND wnd);
// The window's text through a bounded WM_GETTEXT, so a hung window cannot stall the test.
std::wstring TextOf(HWND wnd);

// Top-level windows of process `pid`, visible or not, in z-order.
std::vector<HWND> TopWindowsOf(DWORD pid);
// The first top-level window of `pid` with class `className` (and caption `caption` if given).
HWND FindTopWindow(DWORD pid, const std::wstring& className, const wchar_t* caption = nullptr);
// The first visible "#32770" window of `pid`: a message box or a dialog.
HWND FindDialogOf(DWORD pid);
// Direct children of `parent` of class `className`, in z-order.
std::vector<HWND> ChildrenOfClass(HWND parent, const std::wstring& className);

// Polls `condition` every 20 ms, pumping this thread's messages, for up to `timeoutMs`.
bool WaitFor(const std::function<bool()>& condition, DWORD timeoutMs = 5000);
// Pumps this thread's messages for `ms` milliseconds.
void PumpFor(DWORD ms);

// Waits until `wnd` is the foreground window and stays there while Wine delivers the focus
// events of earlier activations: without a window manager a late focus-out of the window that
// was in front before can still hand the front to the desktop.
bool WaitStaysInFront(HWND wnd);
// Makes `wnd`, of any thread or process, the foreground window, as a click on it would.
bool BringToFront(HWND wnd);

// The window that has the keyboard focus in the input state of `wnd`'s thread, or 0.
HWND FocusOfThreadOf(HWND wnd);

RECT WindowRect(HWND wnd);
RECT ClientRectOnScreen(HWND wnd);

// The text of a message box: its static control 0xFFFF.
std::wstring MessageBoxText(HWND box);
// Whether a message box shows an icon: a visible static icon control holding one.
bool HasVisibleIcon(HWND box);
// Presses the dialog button `id` of a message box or dialog of another process.
void PressDialogButton(HWND dialog, int id);

// The major version of the Wine the tests run on (8, 10, ...), or 0 on Windows.
int WineMajorVersion();

}  // namespace kestro::test
