#include "ui/JumpRunner.h"

#include "winutil/FolderJump.h"
#include "winutil/ToolWindow.h"

namespace kestro {

bool JumpGoesAhead(const TJumpMoment& moment)
{
    if (!moment.FolderThere || !moment.Latest || moment.EditMode) return false;
    if (moment.Dialog != moment.Followed || !moment.DialogTakesInput) return false;
    return moment.Front == moment.Own || moment.Front == moment.Dialog;
}

TJumpRunner::TJumpRunner(HWND window, UINT doneMessage, UINT_PTR boundTimerId, TFolderChecks& checks,
                         const TTimings& timings, std::function<bool()> editMode, std::function<TJumpTarget()> target)
    : FWindow(window),
      FChecks(checks),
      FTimings(timings),
      FEditMode(std::move(editMode)),
      FTarget(std::move(target)),
      MDialogWork(window, doneMessage, boundTimerId, timings.JumpBoundMs)
{
}

bool TJumpRunner::DialogTakesInput(const TJumpTarget& target) const
{
    // A dialog disabled by its own message box, or gone, takes nothing; nor does one that a jump
    // is still typing into, nor a name box hidden or disabled by its program. A folder picker may
    // take a folder typed into its box as the folder chosen and close: it is left alone.
    return !MDialogWork.Busy() && ::IsWindowEnabled(target.Dialog) && ::IsWindowEnabled(target.Box) &&
           ::IsWindowVisible(target.Box) && !target.FolderPicker;
}

void TJumpRunner::Jump(const std::wstring& folder)
{
    const TJumpTarget asked = FTarget();
    if (!DialogTakesInput(asked)) return;
    const unsigned jump = ++MJumpNumber;
    FChecks.Check(folder, [this, folder, jump, dialog = asked.Dialog](TFolderState state) {
        const TJumpTarget now = FTarget();
        TJumpMoment moment;
        moment.FolderThere = state == TFolderState::Exists;
        moment.Latest = jump == MJumpNumber;
        moment.EditMode = FEditMode();
        moment.Dialog = dialog;
        moment.Followed = now.Dialog;
        moment.Front = ::GetForegroundWindow();
        moment.Own = FWindow;
        moment.DialogTakesInput = DialogTakesInput(now);
        if (!JumpGoesAhead(moment)) return;
        Run([order = TFolderJump{now.Dialog, now.Box, folder, 0, FTimings}](ULONGLONG deadline) mutable {
            order.Deadline = deadline;
            SendFolderToDialog(order);
        });
    });
}

void TJumpRunner::PutName(const std::wstring& name)
{
    const TJumpTarget target = FTarget();
    if (!DialogTakesInput(target)) return;
    Run([target, name, timings = FTimings](ULONGLONG) { PutNameIntoDialog(target.Dialog, target.Box, name, timings); });
}

void TJumpRunner::Run(std::function<void(ULONGLONG deadline)> work)
{
    // Raising the dialog can leave the tool window below it on screen (Wine without a window
    // manager), so the window goes back on top however the work ended.
    MDialogWork.Run(std::move(work), [this] { KeepOnTop(FWindow); });
}

void TJumpRunner::DeliverCompletions()
{
    MDialogWork.DeliverCompletions();
}

void TJumpRunner::BoundReached()
{
    MDialogWork.BoundReached();
}

}  // namespace kestro
