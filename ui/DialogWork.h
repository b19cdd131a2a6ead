#pragma once
// Work on another program's dialog runs one piece at a time on a worker thread, under one bound
// for the whole piece: a piece stuck in a call to a dialog that stopped answering is left
// behind with its completion dropped, and the next piece gets a worker of its own. A piece asked
// for while another runs waits for it on the same thread (the caller tells the running one to
// stop), so that two pieces never act on a dialog at once; its bound counts from the asking.
#include <windows.h>

#include <functional>
#include <memory>

#include "winutil/BackgroundWork.h"
#include "winutil/Timers.h"

namespace kestro {

class TDialogWork {
public:
    // `doneMessage` is posted to `window` when a piece has finished, and the timer `boundTimerId`
    // of `timers` marks the bound; their handlers call DeliverCompletions and BoundReached. A worker
    // out of work waits `lingerMs` for more before it ends. `now` is the clock the deadlines count
    // on.
    TDialogWork(HWND window, UINT doneMessage, ITimers& timers, UINT_PTR boundTimerId, UINT boundMs, DWORD lingerMs,
                TClock now);

    bool Busy() const { return FBusy; }
    // Runs `work` on a worker thread with the tick count past which it must not act any more,
    // then `done` on the window's thread once `work` has returned or the bound has passed. A piece
    // still running then runs on first; its own `done` is dropped.
    void Run(std::function<void(ULONGLONG deadline)> work, std::function<void()> done);
    void DeliverCompletions();
    void BoundReached();

private:
    void Finish();

    const HWND FWindow;
    const UINT FMessage;
    ITimers& FTimers;
    const UINT_PTR FTimerId;
    const UINT FBoundMs;
    const DWORD FLingerMs;
    const TClock FNow;
    std::unique_ptr<TBackgroundWork> FWorker;
    std::function<void()> FDone;
    // The latest piece asked for: only its completion ends the work.
    unsigned FPiece = 0;
    bool FBusy = false;
};

}  // namespace kestro
