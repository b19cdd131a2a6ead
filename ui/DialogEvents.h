#pragma once
// Window events make the follower act the moment a dialog takes the front, moves or goes,
// instead of at the next tick. The timer still does all of it on its own where the system
// raises no events.
#include <windows.h>

#include "winutil/Handles.h"
#include "winutil/Timers.h"
#include "winutil/Timings.h"

namespace kestro {

class TDialogEvents {
public:
    // What an event asks of the follower; posted to the window as `message` with the request in
    // wParam and the window the event is about in lParam.
    enum TRequest : WPARAM { erTick, erAlign, erGone };

    // Hooks the foreground changes of the whole desktop; `recheckTimerId` is a timer of `timers`
    // for the looks again (below).
    TDialogEvents(HWND window, UINT message, ITimers& timers, UINT_PTR recheckTimerId, const TTimings& timings);
    TDialogEvents(const TDialogEvents&) = delete;
    TDialogEvents& operator=(const TDialogEvents&) = delete;
    ~TDialogEvents();

    // Hooks the destruction, hiding and moves of `dialog` (none for 0), in place of the dialog
    // watched before.
    void Watch(HWND dialog);
    // The last dialog an event reported destroyed: Windows raises that event while the window
    // still exists, so for a moment it may still be in front.
    HWND Gone() const { return FGone; }
    // The handler of `message` calls this first with the request it received.
    void Received(WPARAM request);

    // A foreground event can come before its window is shown and in front (Wine raises it from
    // the activation inside ShowWindow): the follower looks at `wnd` again every few
    // milliseconds for a while.
    void Recheck(HWND wnd);
    // On that timer: the window to look at again, or 0 once the looks are used up.
    HWND NextRecheck();
    void StopRecheck();

private:
    static void CALLBACK EventProc(HWINEVENTHOOK hook, DWORD event, HWND wnd, LONG object, LONG child, DWORD thread,
                                   DWORD time);
    void Event(DWORD event, HWND wnd);

    HWND FWindow;
    UINT FMessage;
    ITimers& FTimers;
    UINT_PTR FRecheckTimer;
    const TTimings& FTimings;
    UniqueWinEventHook FForegroundHook;
    HWND FWatched = nullptr;
    HWND FGone = nullptr;
    UniqueWinEventHook FGoneHook;
    UniqueWinEventHook FMoveHook;
    // Moves come in bursts and ask once until the request is received.
    bool FAlignRequested = false;
    HWND FRechecked = nullptr;
    int FRechecksLeft = 0;
};

}  // namespace kestro
