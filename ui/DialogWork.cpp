#include "ui/DialogWork.h"

#include <utility>

namespace kestro {

TDialogWork::TDialogWork(HWND window, UINT doneMessage, ITimers& timers, UINT_PTR boundTimerId, UINT boundMs,
                         DWORD lingerMs, TClock now)
    : FWindow(window),
      FMessage(doneMessage),
      FTimers(timers),
      FTimerId(boundTimerId),
      FBoundMs(boundMs),
      FLingerMs(lingerMs),
      FNow(std::move(now)),
      FWorker(std::make_unique<TBackgroundWork>(window, doneMessage, 1, lingerMs))
{
}

void TDialogWork::Run(std::function<void(ULONGLONG deadline)> work, std::function<void()> done)
{
    FBusy = true;
    FDone = std::move(done);
    const unsigned piece = ++FPiece;
    const ULONGLONG deadline = FNow() + FBoundMs;
    FTimers.StartTimer(FTimerId, FBoundMs);
    FWorker->Run([work = std::move(work), deadline] { work(deadline); },
                 [this, piece] {
                     if (piece == FPiece) Finish();
                 });
}

void TDialogWork::DeliverCompletions()
{
    FWorker->DeliverCompletions();
}

void TDialogWork::BoundReached()
{
    if (!FBusy) return;
    // The worker waits on a thread that stopped answering: it is left to itself, its completion
    // never comes, and the next piece runs on a new one.
    FWorker = std::make_unique<TBackgroundWork>(FWindow, FMessage, 1, FLingerMs);
    Finish();
}

void TDialogWork::Finish()
{
    FTimers.StopTimer(FTimerId);
    FBusy = false;
    const std::function<void()> done = std::exchange(FDone, nullptr);
    if (done) done();
}

}  // namespace kestro
