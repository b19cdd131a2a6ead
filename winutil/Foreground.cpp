#include "winutil/Foreground.h"

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

// Switches the foreground lock off for one SetForegroundWindow and puts the old time-out back.
// No SPIF_UPDATEINIFILE: the user's profile must not keep the zero.
void BringToFrontUnlocked(HWND wnd)
{
    DWORD saved = kDefaultForegroundLockTimeout;
    ::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &saved, 0);
    ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, nullptr, SPIF_SENDCHANGE);
    BringToFront(wnd);
    ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0,
                            reinterpret_cast<void*>(static_cast<UINT_PTR>(saved)),
                            SPIF_SENDCHANGE);
}
}  // namespace

bool UsesAttachPath(DWORD platformId, DWORD majorVersion, DWORD minorVersion)
{
    if (platformId == VER_PLATFORM_WIN32_NT) return majorVersion > 4;
    if (platformId == VER_PLATFORM_WIN32_WINDOWS)
        return majorVersion > 4 || (majorVersion == 4 && minorVersion > 0);
    return false;
}

bool ForceForeground(HWND wnd)
{
    if (::GetForegroundWindow() == wnd) return true;
    if (!OsUsesAttachPath()) {
        BringToFront(wnd);
        return ::GetForegroundWindow() == wnd;
    }
    // The target's thread joins the foreground thread's input, which lets it take the
    // foreground; the calling thread stays out of it.
    const DWORD foregroundThread = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    const DWORD targetThread = ::GetWindowThreadProcessId(wnd, nullptr);
    bool inFront = false;
    if (::AttachThreadInput(targetThread, foregroundThread, TRUE)) {
        BringToFront(wnd);
        ::AttachThreadInput(targetThread, foregroundThread, FALSE);
        inFront = ::GetForegroundWindow() == wnd;
    }
    if (!inFront) BringToFrontUnlocked(wnd);
    return ::GetForegroundWindow() == wnd;
}

void FocusForeignControl(HWND control)
{
    const DWORD foregroundThread = ::GetWindowThreadProcessId(::GetForegroundWindow(), nullptr);
    const DWORD ownThread = ::GetCurrentThreadId();
    // SetFocus reaches another thread's control only while the two threads share input.
    if (!::AttachThreadInput(ownThread, foregroundThread, TRUE)) {
        ::SetFocus(control);
        return;
    }
    ::SetFocus(control);
    // Left attached, this thread's input would stall whenever the other program stalls.
    ::AttachThreadInput(ownThread, foregroundThread, FALSE);
}

}  // namespace kestro
