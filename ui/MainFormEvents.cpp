// Window events make the follower act the moment a dialog takes the front, moves or goes,
// instead of at the next tick. The timer still does all of it on its own where the system
// raises no events.
#include <windows.h>

#include "ui/ControlIds.h"
#include "ui/MainForm.h"

namespace kestro {

namespace {
// The window the hooks report to; the callback has no parameter of its own to carry it.
TMainForm* GEventForm = nullptr;

// Hooks on one other process need no skip flag, and Wine delivers nothing to one that has it.
constexpr DWORD kDialogHookFlags = WINEVENT_OUTOFCONTEXT;

// A hook for `first`..`last` on the dialog's own thread. Wine refuses a thread of another
// process; the dialog's process is the next narrowest.
HWINEVENTHOOK HookDialogThread(DWORD first, DWORD last, WINEVENTPROC proc, DWORD process, DWORD thread)
{
    if (HWINEVENTHOOK hook = ::SetWinEventHook(first, last, nullptr, proc, process, thread, kDialogHookFlags))
        return hook;
    return ::SetWinEventHook(first, last, nullptr, proc, process, 0, kDialogHookFlags);
}
}  // namespace

void CALLBACK TMainForm::FollowEventProc(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child,
                                         DWORD thread, DWORD)
{
    // Wine reports the program's own events too, whatever the hook's flags say.
    if (!GEventForm || thread == ::GetCurrentThreadId()) return;
    if (object == OBJID_WINDOW && child == CHILDID_SELF) GEventForm->FollowEvent(event, wnd);
}

void TMainForm::HookForegroundEvents()
{
    GEventForm = this;
    MForegroundHook.reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                            &TMainForm::FollowEventProc, 0, 0,
                                            WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
}

void TMainForm::WatchDialog(HWND dialog)
{
    if (dialog == MWatchedDlg) return;
    MDialogGoneHook.reset();
    MDialogMoveHook.reset();
    MWatchedDlg = dialog;
    if (!dialog) return;
    // Only the dialog's own thread: moves hooked desktop-wide would wake Kestro at every move of
    // the mouse pointer.
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(dialog, &process);
    MDialogGoneHook.reset(
        HookDialogThread(EVENT_OBJECT_DESTROY, EVENT_OBJECT_HIDE, &TMainForm::FollowEventProc, process, thread));
    MDialogMoveHook.reset(HookDialogThread(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE,
                                           &TMainForm::FollowEventProc, process, thread));
}

void TMainForm::UnhookEvents()
{
    WatchDialog(nullptr);
    MForegroundHook.reset();
    GEventForm = nullptr;
}

void TMainForm::FollowEvent(DWORD event, HWND wnd)
{
    // Decided on handles alone: no call reaches another process for a window Kestro does not follow.
    if (event == EVENT_SYSTEM_FOREGROUND) {
        RequestFollow(frTick);
    } else if (wnd == MWatchedDlg && MWatchedDlg) {
        RequestFollow(event == EVENT_OBJECT_LOCATIONCHANGE ? frAlign : frTick);
    }
}

void TMainForm::RequestFollow(TFollowRequest request)
{
    // Acted on from the message loop, never inside a tick or a jump that happens to let the
    // event in; a burst of events asks once.
    bool& requested = request == frTick ? FTickRequested : FAlignRequested;
    if (requested) return;
    requested = ::PostMessageW(FHandle, WM_FOLLOWREQUEST, request, 0) != FALSE;
}

void TMainForm::WMFollowRequest(WPARAM request)
{
    (request == frTick ? FTickRequested : FAlignRequested) = false;
    // Edit mode suspends the follower, and while the timer is off a tick or a jump holds the
    // thread: the same rule for events as for the timer.
    if (EditMode() || !FTimerOn) return;
    if (request == frTick)
        TimerTimer();
    else
        AlignOnDialog(MDlg);
}

}  // namespace kestro
