#include "ui/BrowseJump.h"

#include "ui/JumpRunner.h"
#include "winutil/BrowseDialog.h"
#include "winutil/BrowseSelection.h"

namespace kestro {

TBrowseJump::TBrowseJump(HWND window, UINT doneMessage, ITimers& timers, UINT_PTR boundTimerId, TFolderChecks& checks,
                         const TTimings& timings, TClock now)
    : FWindow(window),
      FChecks(checks),
      FTimings(timings),
      FDialogWork(window, doneMessage, timers, boundTimerId, timings.JumpBoundMs, timings.WorkerLingerMs,
                  std::move(now))
{
}

bool TBrowseJump::DialogTakesInput(HWND dialog) const
{
    // A dialog disabled by a box of its own takes nothing, nor does one a selection is still sent to.
    return !FDialogWork.Busy() && ::IsWindowEnabled(dialog) && IsBrowseDialog(dialog);
}

void TBrowseJump::Jump(const std::wstring& folder)
{
    const HWND asked = FFollowed;
    if (!DialogTakesInput(asked)) return;
    const unsigned jump = ++FJumpNumber;
    FChecks.Check(folder, [this, folder, jump, asked](TFolderState state) {
        TJumpMoment moment;
        moment.FolderThere = state == TFolderState::Exists;
        moment.Latest = jump == FJumpNumber;
        moment.Dialog = asked;
        moment.Followed = FFollowed;
        moment.Front = ::GetForegroundWindow();
        moment.Own = FWindow;
        moment.DialogTakesInput = DialogTakesInput(asked);
        if (!JumpGoesAhead(moment)) return;
        FDialogWork.Run([asked, folder, timings = FTimings](
                            ULONGLONG deadline) { MoveBrowseDialogTo(asked, folder, timings, deadline); },
                        [] {});
    });
}

void TBrowseJump::DeliverCompletions()
{
    FDialogWork.DeliverCompletions();
}

void TBrowseJump::BoundReached()
{
    FDialogWork.BoundReached();
}

}  // namespace kestro
