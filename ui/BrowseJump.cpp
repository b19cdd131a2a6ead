#include "ui/BrowseJump.h"

#include "ui/JumpRunner.h"
#include "winutil/BrowseDialog.h"
#include "winutil/BrowseSelection.h"
#include "winutil/Integrity.h"

namespace kestro {

namespace {
void SelectFolder(HWND dialog, const std::wstring& folder, const TTimings& timings, ULONGLONG deadline)
{
    // A program run as administrator refuses the message and the memory alike: it is left alone.
    if (!InputReaches(dialog) || ::GetTickCount64() >= deadline) return;
    if (!SelectInBrowseDialog(dialog, folder, timings.JumpSendTimeoutMs)) return;
    // The new style of Windows fills and scrolls its tree after the message has returned.
    ::Sleep(timings.JumpRecheckMs);
    if (::GetTickCount64() < deadline) ShowBrowseSelection(dialog, timings.ReadTimeoutMs);
}
}  // namespace

TBrowseJump::TBrowseJump(HWND window, UINT doneMessage, ITimers& timers, UINT_PTR boundTimerId, TFolderChecks& checks,
                         const TTimings& timings)
    : FWindow(window),
      FChecks(checks),
      FTimings(timings),
      FDialogWork(window, doneMessage, timers, boundTimerId, timings.JumpBoundMs, timings.WorkerLingerMs)
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
        FDialogWork.Run(
            [asked, folder, timings = FTimings](ULONGLONG deadline) { SelectFolder(asked, folder, timings, deadline); },
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
