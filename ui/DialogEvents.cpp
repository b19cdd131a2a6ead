#include "ui/DialogEvents.h"

namespace kestro {

namespace {
// The events the hooks report to; the callback has no parameter of its own to carry it.
TDialogEvents* GEvents = nullptr;

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

TDialogEvents::TDialogEvents(HWND window, UINT message, ITimers& timers, UINT_PTR recheckTimerId,
                             const TTimings& timings)
    : FWindow(window), FMessage(message), FTimers(timers), FRecheckTimer(recheckTimerId), FTimings(timings)
{
    GEvents = this;
    FForegroundHook.reset(::SetWinEventHook(EVENT_SYSTEM_FOREGROUND, EVENT_SYSTEM_FOREGROUND, nullptr,
                                            &TDialogEvents::EventProc, 0, 0,
                                            WINEVENT_OUTOFCONTEXT | WINEVENT_SKIPOWNPROCESS));
}

TDialogEvents::~TDialogEvents()
{
    StopRecheck();
    Watch(nullptr);
    FForegroundHook.reset();
    GEvents = nullptr;
}

void CALLBACK TDialogEvents::EventProc(HWINEVENTHOOK, DWORD event, HWND wnd, LONG object, LONG child, DWORD thread,
                                       DWORD)
{
    // Wine reports the program's own events too, whatever the hook's flags say.
    if (!GEvents || thread == ::GetCurrentThreadId()) return;
    if (object == OBJID_WINDOW && child == CHILDID_SELF) GEvents->Event(event, wnd);
}

void TDialogEvents::Watch(HWND dialog)
{
    if (dialog == FWatched) return;
    FGoneHook.reset();
    FMoveHook.reset();
    FWatched = dialog;
    if (!dialog) return;
    if (dialog != FGone) FGone = nullptr;
    // Only the dialog's own thread: moves hooked desktop-wide would wake Kestro at every move of
    // the mouse pointer.
    DWORD process = 0;
    const DWORD thread = ::GetWindowThreadProcessId(dialog, &process);
    FGoneHook.reset(
        HookDialogThread(EVENT_OBJECT_DESTROY, EVENT_OBJECT_HIDE, &TDialogEvents::EventProc, process, thread));
    FMoveHook.reset(HookDialogThread(EVENT_OBJECT_LOCATIONCHANGE, EVENT_OBJECT_LOCATIONCHANGE,
                                     &TDialogEvents::EventProc, process, thread));
}

void TDialogEvents::Event(DWORD event, HWND wnd)
{
    // Decided on handles alone: no call reaches another process for a window Kestro does not
    // follow. Acted on from the message loop, never inside a tick or a jump that happens to let
    // the event in.
    if (event != EVENT_SYSTEM_FOREGROUND && (wnd != FWatched || !FWatched)) return;
    TRequest request = erTick;
    if (event == EVENT_OBJECT_LOCATIONCHANGE) {
        if (FAlignRequested) return;
        request = erAlign;
    } else if (event == EVENT_OBJECT_DESTROY || event == EVENT_OBJECT_HIDE) {
        request = erGone;
        // A hidden dialog may come back; one being destroyed only lingers.
        if (event == EVENT_OBJECT_DESTROY) FGone = wnd;
    }
    const bool posted = ::PostMessageW(FWindow, FMessage, request, reinterpret_cast<LPARAM>(wnd)) != FALSE;
    if (request == erAlign) FAlignRequested = posted;
}

void TDialogEvents::Received(WPARAM request)
{
    if (request == erAlign) FAlignRequested = false;
}

void TDialogEvents::Recheck(HWND wnd)
{
    FRechecked = wnd;
    FRechecksLeft = FTimings.Rechecks;
    FTimers.StartTimer(FRecheckTimer, FTimings.RecheckMs);
}

HWND TDialogEvents::NextRecheck()
{
    if (FRechecksLeft <= 0 || !::IsWindow(FRechecked)) {
        StopRecheck();
        return nullptr;
    }
    --FRechecksLeft;
    return FRechecked;
}

void TDialogEvents::StopRecheck()
{
    FTimers.StopTimer(FRecheckTimer);
    FRechecked = nullptr;
    FRechecksLeft = 0;
}

}  // namespace kestro
