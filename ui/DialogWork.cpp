#include "ui/DialogWork.h"

#include <utility>

#include "winutil/Timings.h"

namespace kestro {

TDialogWork::TDialogWork(HWND window, UINT doneMessage, UINT_PTR boundTimerId, UINT boundMs)
    : FWindow(window),
      FMessage(doneMessage),
      FTimerId(boundTimerId),
      FBoundMs(boundMs),
      FWorker(std::make_unique<TBackgroundWork>(window, doneMessage, 1, TTimings{}.WorkerLingerMs))
{
}

void TDialogWork::Run(std::function<void(ULONGLONG deadline)> work, std::function<void()> done)
{
    FBusy = true;
    FDone = std::move(done);
    const unsigned piece = ++FPiece;
    const ULONGLONG deadline = ::GetTickCount64() + FBoundMs;
    ::SetTimer(FWindow, FTimerId, FBoundMs, nullptr);
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
    FWorker = std::make_unique<TBackgroundWork>(FWindow, FMessage, 1, TTimings{}.WorkerLingerMs);
    Finish();
}

void TDialogWork::Finish()
{
    ::KillTimer(FWindow, FTimerId);
    FBusy = false;
    const std::function<void()> done = std::exchange(FDone, nullptr);
    if (done) done();
}

}  // namespace kestro
