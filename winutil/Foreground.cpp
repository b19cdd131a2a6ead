#include "winutil/Foreground.h"

#include "winutil/Handles.h"

namespace kestro {

namespace {
// Windows' own default; put back when the current time-out cannot be read, so that the lock
// is never left switched off.
constexpr DWORD kDefaultForegroundLockTimeout = 200000;

bool OsUsesAttachPath()
{
    OSVERSIONINFOW version = {};
    version.dwOSVersionInfoSize = sizeof version;
    ::GetVersionExW(&version);
    return UsesAttachPath(version.dwPlatformId, version.dwMajorVersion, version.dwMinorVersion);
}

void BringToFront(HWND wnd)
{
    ::BringWindowToTop(wnd);
    ::SetForegroundWindow(wnd);
}

void SetForegroundLockTimeout(DWORD timeout)
{
    // Neither written to the profile nor broadcast: a broadcast waits on every top-level window,
    // and one hung window anywhere would hold the caller.
    ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(timeout)),
                            0);
}

// Switches the foreground lock off for one SetForegroundWindow and puts the old time-out back,
// whatever happens in between.
void BringToFrontUnlocked(HWND wnd)
{
    DWORD saved = kDefaultForegroundLockTimeout;
    ::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved, 0);
    const TScopeExit restore([saved] { SetForegroundLockTimeout(saved); });
    SetForegroundLockTimeout(0);
    BringToFront(wnd);
}

// The thread of `wnd`, and whether it belongs to this process.
DWORD ThreadOf(HWND wnd, bool& ours)
{
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(wnd, &process);
    ours = process == ::GetCurrentProcessId();
    return thread;
}
}  // namespace

bool UsesAttachPath(DWORD platformId, DWORD majorVersion, DWORD minorVersion)
{
    if (platformId == VER_PLATFORM_WIN32_NT) return majorVersion > 4;
    if (platformId == VER_PLATFORM_WIN32_WINDOWS) return majorVersion > 4 || (majorVersion == 4 && minorVersion > 0);
    return false;
}

bool ForceForeground(HWND wnd)
{
    if (::GetForegroundWindow() == wnd) return true;
    if (!OsUsesAttachPath()) {
        BringToFront(wnd);
        return ::GetForegroundWindow() == wnd;
    }
    bool foregroundOurs = false, targetOurs = false;
    const DWORD foregroundThread = ThreadOf(::GetForegroundWindow(), foregroundOurs);
    const DWORD targetThread = ThreadOf(wnd, targetOurs);
    // The foreground process may set the foreground window: after a click on the tool window
    // nothing more is needed.
    if (foregroundOurs) {
        BringToFront(wnd);
        if (::GetForegroundWindow() == wnd) return true;
    }
    // The target's thread joins the foreground thread's input, which lets it take the
    // foreground; the calling thread stays out of it. A thread of this process never joins or is
    // joined: it would wait whenever the other program waits, on a slow share for seconds.
    bool inFront = false;
    if (!foregroundOurs && !targetOurs && ::AttachThreadInput(targetThread, foregroundThread, TRUE)) {
        BringToFront(wnd);
        ::AttachThreadInput(targetThread, foregroundThread, FALSE);
        inFront = ::GetForegroundWindow() == wnd;
    }
    if (!inFront) BringToFrontUnlocked(wnd);
    return ::GetForegroundWindow() == wnd;
}

bool FocusForeignControl(HWND control)
{
    return ::PostMessageW(::GetAncestor(control, GA_ROOT), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(control), TRUE) !=
           FALSE;
}

}  // namespace kestro
