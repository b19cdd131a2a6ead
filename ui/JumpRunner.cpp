#include "ui/JumpRunner.h"

#include "winutil/AddressBarJump.h"
#include "winutil/ToolWindow.h"

namespace kestro {

bool JumpGoesAhead(const TJumpMoment& moment)
{
    if (!moment.FolderThere || !moment.Latest) return false;
    if (moment.Dialog != moment.Followed || !moment.DialogTakesInput) return false;
    if (moment.Late && !moment.AtClickKnown) return false;
    return moment.Front == moment.Own || moment.Front == moment.Dialog;
}

TJumpRunner::TJumpRunner(HWND window, UINT doneMessage, ITimers& timers, UINT_PTR boundTimerId, TFolderChecks& checks,
                         const TTimings& timings, TClock now)
    : FWindow(window),
      FChecks(checks),
      FTimings(timings),
      FNow(std::move(now)),
      FDialogWork(window, doneMessage, timers, boundTimerId, timings.JumpBoundMs, timings.WorkerLingerMs, FNow),
      FLooks(window, doneMessage, 1, timings.WorkerLingerMs)
{
}

bool TJumpRunner::DialogTakesInput(const TJumpTarget& target) const
{
    // A dialog disabled by its own message box, or gone, takes nothing; nor does a name box
    // hidden or disabled by its program. A folder picker would take a folder typed into its name
    // box as the folder chosen and close: it moves through its address bar, which the worker
    // checks before it types anything.
    if (!::IsWindowEnabled(target.Dialog)) return false;
    return target.FolderPicker || (::IsWindowEnabled(target.Box) && ::IsWindowVisible(target.Box));
}

void TJumpRunner::Jump(const std::wstring& folder)
{
    const TJumpTarget asked = FFollowed;
    if (!DialogTakesInput(asked)) return;
    const unsigned jump = ++FJumpNumber;
    const ULONGLONG clicked = FNow();
    // The dialog as the user left it at the click, off the window's thread.
    FAtClick.reset();
    FLooks.Run([dialog = asked.Dialog, box = asked.Box,
                timeoutMs = FTimings.ReadTimeoutMs] { return LookAtDialog(dialog, box, timeoutMs); },
               [this, jump](TDialogLook look) {
                   if (jump == FJumpNumber) FAtClick = std::move(look);
               });
    FChecks.Check(folder, [this, folder, jump, clicked, dialog = asked.Dialog](TFolderState state) {
        const TJumpTarget now = FFollowed;
        TJumpMoment moment;
        moment.FolderThere = state == TFolderState::Exists;
        moment.Latest = jump == FJumpNumber;
        moment.Dialog = dialog;
        moment.Followed = now.Dialog;
        moment.Front = ::GetForegroundWindow();
        moment.Own = FWindow;
        moment.DialogTakesInput = DialogTakesInput(now);
        moment.Late = FNow() - clicked > FTimings.JumpLateCheckMs;
        moment.AtClickKnown = moment.Latest && FAtClick.has_value();
        if (!JumpGoesAhead(moment)) return;
        TFolderJump order;
        order.Jump = jump;
        order.Dialog = now.Dialog;
        order.Box = now.Box;
        order.Folder = folder;
        order.Timings = FTimings;
        if (moment.Late) order.AtClick = FAtClick;
        Run([order, hold = FHold, picker = now.FolderPicker](ULONGLONG deadline,
                                                             const std::atomic<bool>& stop) mutable {
            order.Deadline = deadline;
            if (picker)
                SendFolderThroughAddressBar(order, stop);
            else
                SendFolderToDialog(order, *hold, stop);
        });
    });
}

void TJumpRunner::PutName(const std::wstring& name)
{
    const TJumpTarget target = FFollowed;
    if (Working() || target.FolderPicker || !DialogTakesInput(target)) return;
    Run([target, name, timings = FTimings](ULONGLONG, const std::atomic<bool>&) {
        PutNameIntoDialog(target.Dialog, target.Box, name, timings);
    });
}

void TJumpRunner::DialogRead(HWND dialog, bool hasBar, const TDialogLook& look)
{
    if (Working()) return;
    const std::optional<THeldName> held = FHold->Get();
    if (!held || held->Dialog != dialog) return;
    TJumpReading reading;
    reading.DialogGone = !::IsWindow(dialog);
    reading.Box = look.Box;
    reading.HasBar = hasBar;
    reading.Shown = look.Shown;
    reading.Prompt = !reading.DialogGone && DialogShowsPrompt(dialog);
    // Quiet counts from the first of an unbroken run of looks that found the dialog answering
    // without a box of its own; a gap of more than two ticks between looks breaks it.
    const ULONGLONG now = FNow();
    if (held->Jump != FQuietJump || DialogBusy(reading) || now - FLastRead > 2ULL * FTimings.TickMs) {
        FQuietJump = held->Jump;
        FQuietSince = now;
    }
    FLastRead = now;
    const TNameStep step =
        NextNameStep(*held, reading, static_cast<DWORD>(now - FQuietSince), FTimings.JumpNoMoveBoundMs);
    if (step == TNameStep::Release) FHold->Release(held->Jump);
    if (step != TNameStep::PutBackMoved && step != TNameStep::PutBackUnmoved) return;
    Run([held = *held, step, hold = FHold, timings = FTimings](ULONGLONG, const std::atomic<bool>& stop) {
        PutHeldNameBack(held, step, *hold, stop, timings);
    });
}

bool TJumpRunner::HoldsFolder(HWND dialog, const std::wstring& text) const
{
    const std::optional<THeldName> held = FHold->Get();
    return held && held->Dialog == dialog && held->Folder == text;
}

void TJumpRunner::Run(std::function<void(ULONGLONG deadline, const std::atomic<bool>& stop)> work)
{
    // The piece still at work stops at its next look at the dialog; the new one runs after it.
    if (FStop) *FStop = true;
    auto stop = std::make_shared<std::atomic<bool>>(false);
    FStop = stop;
    // Raising the dialog can leave the tool window below it on screen (Wine without a window
    // manager), so the window goes back on top however the work ended.
    FDialogWork.Run([work = std::move(work), stop](ULONGLONG deadline) { work(deadline, *stop); },
                    [this] { KeepOnTop(FWindow); });
}

void TJumpRunner::DeliverCompletions()
{
    FDialogWork.DeliverCompletions();
    FLooks.DeliverCompletions();
}

void TJumpRunner::BoundReached()
{
    // A piece left behind must not act when its call to the dialog returns at last.
    if (FDialogWork.Busy() && FStop) *FStop = true;
    FDialogWork.BoundReached();
}

}  // namespace kestro
