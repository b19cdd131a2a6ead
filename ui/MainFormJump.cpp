#include <windows.h>

#include "ui/ControlIds.h"
#include "ui/MainForm.h"
#include "winutil/FolderJump.h"

namespace kestro {

void TMainForm::ListBoxClick()
{
    if (EditMode()) return;
    if (ListBoxSelection() >= 0) JumpToSelected();
}

bool TMainForm::DialogTakesInput() const
{
    // A dialog disabled by its own message box, or gone, takes nothing; nor does one that a jump
    // is still typing into.
    return !MDialogWork->Busy() && ::IsWindowEnabled(MDlg) && ::IsWindowEnabled(MEdt);
}

void TMainForm::JumpToSelected()
{
    if (!DialogTakesInput()) return;
    const std::wstring folder = SelectedEntry();
    const unsigned jump = ++MJumpNumber;
    // A missing folder typed into a Save dialog would become the file name the document is
    // saved under, so only a folder that is there now is sent.
    CheckFolder(folder, fcReachable, [this, folder, jump, dialog = MDlg](bool reachable) {
        if (!reachable || jump != MJumpNumber || !JumpStillWanted(dialog)) return;
        RunOnDialog([order = TFolderJump{dialog, MEdt, folder, MTxt, 0}](ULONGLONG deadline) mutable {
            order.Deadline = deadline;
            SendFolderToDialog(order);
        });
    });
}

bool TMainForm::JumpStillWanted(HWND dialog) const
{
    // However long the check took, the user has moved on when Kestro went to edit mode, the
    // dialog closed or changed, or another program has the front; another entry picked since
    // counts as another jump.
    if (EditMode() || dialog != MDlg || !DialogTakesInput()) return false;
    const HWND front = ::GetForegroundWindow();
    return front == FHandle || front == dialog;
}

void TMainForm::StatusBarDblClick()
{
    const std::wstring text = StatusText();
    if (text.empty()) return;
    MTxt = text;
    if (!DialogTakesInput()) return;
    RunOnDialog([dialog = MDlg, box = MEdt, name = MTxt](ULONGLONG) { PutNameIntoDialog(dialog, box, name); });
}

void TMainForm::RunOnDialog(std::function<void(ULONGLONG deadline)> work)
{
    // The dialog may be busy for seconds; the window's thread stays free meanwhile, but the
    // follower waits: a tick would read the folder in the box as the user's file name.
    StopTimer();
    MDialogWork->Run(std::move(work), [this] { DialogWorkDone(); });
}

void TMainForm::DialogWorkDone()
{
    StartTimer();
    // Raising the dialog can leave the tool window below it on screen (Wine without a window
    // manager), so the window goes back on top however the jump ended.
    KeepOnTop();
}

}  // namespace kestro
