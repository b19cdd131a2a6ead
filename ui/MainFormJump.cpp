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
    return !FJumping && ::IsWindowEnabled(MDlg) && ::IsWindowEnabled(MEdt);
}

void TMainForm::JumpToSelected()
{
    if (!DialogTakesInput()) return;
    const std::wstring folder = SelectedEntry();
    const unsigned jump = ++MJumpNumber;
    const ULONGLONG asked = ::GetTickCount64();
    // A missing folder typed into a Save dialog would become the file name the document is
    // saved under, so only a folder that is there now is sent.
    CheckFolder(folder, fcReachable, [this, folder, jump, asked, dialog = MDlg](bool reachable) {
        if (!reachable || jump != MJumpNumber || !JumpStillWanted(dialog, asked)) return;
        RunOnDialog([dialog, box = MEdt, folder, name = MTxt] { SendFolderToDialog(dialog, box, folder, name); });
    });
}

bool TMainForm::JumpStillWanted(HWND dialog, ULONGLONG asked) const
{
    // The user has moved on when the check comes too late, Kestro went to edit mode, the dialog
    // closed or changed, or another program has the front.
    if (::GetTickCount64() - asked > kJumpCheckBoundMs || EditMode() || dialog != MDlg || !DialogTakesInput())
        return false;
    const HWND front = ::GetForegroundWindow();
    return front == FHandle || front == dialog;
}

void TMainForm::StatusBarDblClick()
{
    const std::wstring text = StatusText();
    if (text.empty()) return;
    MTxt = text;
    if (!DialogTakesInput()) return;
    RunOnDialog([dialog = MDlg, box = MEdt, name = MTxt] { PutNameIntoDialog(dialog, box, name); });
}

void TMainForm::RunOnDialog(std::function<void()> work)
{
    // The dialog may be busy for seconds; the window's thread stays free meanwhile, but the
    // follower waits: a tick would read the folder in the box as the user's file name.
    FJumping = true;
    StopTimer();
    MDialogWork->Run(std::move(work), [this] { DialogWorkDone(); });
}

void TMainForm::DialogWorkDone()
{
    FJumping = false;
    StartTimer();
    // Raising the dialog can leave the tool window below it on screen (Wine without a window
    // manager), so the window goes back on top however the jump ended.
    KeepOnTop();
}

}  // namespace kestro
