#include <windows.h>

#include <optional>

#include "ui/FormNames.h"
#include "ui/MainForm.h"
#include "winutil/DataFolder.h"
#include "winutil/FileDialog.h"
#include "winutil/Foreground.h"
#include "winutil/ForeignWindow.h"
#include "winutil/PathChecks.h"
#include "winutil/Placement.h"
#include "winutil/ProcessPath.h"

namespace kestro {

namespace {
constexpr DWORD kJumpPauseMs = 500;
}  // namespace

void TMainForm::TimerTimer()
{
    if (EditMode()) return;
    StopTimer();
    TScopeExit restart([this] { StartTimer(); });

    // This tick does whatever a pending request for one would.
    FTickRequested = false;
    HWND foreground = ::GetForegroundWindow();
    if (IsFileDialog(foreground)) {
        // Watched before anything else, so that a move or close right after the dock is seen.
        WatchDialog(foreground);
        SetCaption(std::wstring(kApplicationTitle) + L" - " + OwnerPath(foreground));
        AlignOnDialog(foreground);
        if (!Visible()) Show();
        MDlg = foreground;
        ReadDialog();
    }
    if (!::IsWindow(MDlg)) {
        MTxt.clear();
        MDlg = nullptr;
        MSilentDlg = nullptr;
        WatchDialog(nullptr);
        SetCaption(kApplicationTitle);
        if (Visible() && !EditMode()) Hide();
    }
}

void TMainForm::AlignOnDialog(HWND dialog)
{
    int left = 0, top = 0, width = 0, height = 0;
    if (!GetWindowBounds(dialog, left, top, width, height)) return;
    RECT own;
    ::GetWindowRect(FHandle, &own);
    // Right edge on the dialog's right edge, top on its top; a move to where the window already
    // is would only cost a repaint.
    const int newLeft = left + width - (own.right - own.left);
    if (newLeft == own.left && top == own.top) return;
    ::SetWindowPos(FHandle, nullptr, newLeft, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::wstring TMainForm::OwnerPath(HWND dialog)
{
    // Keyed by the process as well: a window handle may come back for another program's window.
    DWORD process = 0;
    ::GetWindowThreadProcessId(dialog, &process);
    if (dialog != MOwner.Dialog || process != MOwner.Process)
        MOwner = {dialog, process, GetProcessImagePath(dialog)};
    return MOwner.Path;
}

void TMainForm::ReadDialog()
{
    // A dialog that did not answer costs one wait: until it answers a quick check, ticks do not
    // wait on it again and the window keeps following it without reading it.
    if (MSilentDlg == MDlg && !ForeignWindowAnswers(MDlg, kForeignQuickCheckMs)) return;
    MSilentDlg = CaptureFileName() && CaptureCurrentFolder() ? nullptr : MDlg;
}

bool TMainForm::CaptureFileName()
{
    MEdt = nullptr;
    HWND box = FindChildByClass(MDlg, L"Edit");
    if (!box) return true;
    MEdt = box;
    const std::optional<std::wstring> text = QueryForeignText(box);
    if (!text) return false;
    if (text->empty()) return true;
    MTxt = *text;
    if (StatusText().empty()) SetStatusText(MTxt);
    return true;
}

bool TMainForm::CaptureCurrentFolder()
{
    HWND bar = FindBreadcrumbBar(MDlg);
    if (!bar) return true;
    const std::optional<std::wstring> text = QueryForeignText(bar);
    if (!text) return false;
    const std::wstring folder = FolderFromBreadcrumbText(*text);
    if (!FolderExists(folder)) return true;
    if (!RecordVisit(*MListH, folder)) return true;
    if (TabIndex() != 1) return true;
    TrimHistory(*MListH);
    FillListBox(MListH->Items);
    FitListExtent(ListBox);
    return true;
}

void TMainForm::ListBoxClick()
{
    if (EditMode()) return;
    if (ListBoxSelection() >= 0) JumpToSelected();
}

bool TMainForm::DialogTakesInput() const
{
    // A dialog disabled by its own message box, or gone, takes nothing. Bringing it forward and
    // focusing its box wait for its thread without a limit, so it must also answer now.
    return ::IsWindowEnabled(MDlg) && ::IsWindowEnabled(MEdt) && ForeignWindowAnswers(MDlg);
}

void TMainForm::FocusDialogBox()
{
    ForceForeground(MDlg);
    FocusForeignControl(MEdt);
}

void TMainForm::JumpToSelected()
{
    if (!DialogTakesInput()) return;
    const std::wstring folder = SelectedEntry();
    // A missing folder typed into a Save dialog would become the file name the document is
    // saved under, so only a folder that is there now is sent.
    if (!FolderReachable(folder)) return;
    // A tick in the middle of the jump would read the folder out of the box as the user's name.
    StopTimer();
    TScopeExit restart([this] { StartTimer(); });
    // Raising the dialog can leave the tool window below it on screen (Wine without a window
    // manager), so the window goes back on top however the jump ends.
    TScopeExit keepOnTop([this] { KeepOnTop(); });
    FocusDialogBox();
    // Without the folder in the box the Enter would accept the user's file name in the folder
    // the dialog shows; a dialog that stops answering here gets no Enter, only its name back.
    if (!SendToForeign(MEdt, WM_CLEAR, 0, 0) || !SetForeignText(MEdt, folder)) {
        if (!MTxt.empty()) SetForeignText(MEdt, MTxt);
        return;
    }
    ::keybd_event(VK_RETURN, 0, 0, 0);
    ::keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
    // The dialog must take the Enter and move before the box is changed again.
    ::Sleep(kJumpPauseMs);
    if (MTxt.empty()) return;
    SetForeignText(MEdt, MTxt);
    if (ReadForeignText(MEdt) != MTxt) SetForeignText(MEdt, MTxt);
}

void TMainForm::StatusBarDblClick()
{
    const std::wstring text = StatusText();
    if (text.empty()) return;
    MTxt = text;
    if (!DialogTakesInput()) return;
    StopTimer();
    TScopeExit restart([this] { StartTimer(); });
    TScopeExit keepOnTop([this] { KeepOnTop(); });
    FocusDialogBox();
    SetForeignText(MEdt, MTxt);
}

}  // namespace kestro
