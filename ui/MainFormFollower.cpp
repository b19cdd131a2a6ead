#include <windows.h>

#include <optional>

#include "ui/FormNames.h"
#include "ui/MainForm.h"
#include "winutil/DataFolder.h"
#include "winutil/FileDialog.h"
#include "winutil/ForeignWindow.h"
#include "winutil/PathChecks.h"
#include "winutil/Placement.h"
#include "winutil/ProcessPath.h"

namespace kestro {

void TMainForm::TimerTimer()
{
    Follow(nullptr);
}

void TMainForm::Follow(HWND announced)
{
    if (EditMode()) return;
    StopTimer();
    TScopeExit restart([this] { StartTimer(); });

    if (HWND dialog = FileDialogInFront(announced)) {
        // Watched before anything else, so that a move or close right after the dock is seen.
        MEvents->Watch(dialog);
        SetCaption(std::wstring(kApplicationTitle) + L" - " + OwnerPath(dialog));
        AlignOnDialog(dialog);
        if (!Visible()) Show();
        MDlg = dialog;
        ReadDialog();
    }
    if (!::IsWindow(MDlg) || MDlg == MEvents->Gone()) ForgetDialog();
}

HWND TMainForm::FileDialogInFront(HWND announced) const
{
    // A foreground event arrives a moment after it was raised, and may come before its window is
    // in front: the window it names counts when the one in front is no file dialog. A dialog
    // reported destroyed may still be in front for a moment, and a hidden one is no dialog to
    // follow.
    for (HWND candidate : {::GetForegroundWindow(), announced}) {
        if (!candidate || candidate == MEvents->Gone() || !::IsWindowVisible(candidate)) continue;
        // The followed dialog is known to be one; its tree is not looked at again.
        if (candidate == MDlg || IsFileDialog(candidate)) return candidate;
    }
    return nullptr;
}

void TMainForm::ForgetDialog()
{
    MTxt.clear();
    MDlg = nullptr;
    MSilentDlg = nullptr;
    MEvents->Watch(nullptr);
    SetCaption(kApplicationTitle);
    if (Visible() && !EditMode()) Hide();
}

void TMainForm::WMFollowRequest(WPARAM request, LPARAM wnd)
{
    MEvents->Received(request);
    // Edit mode suspends the follower, and while the timer is off a tick or a jump holds the
    // thread: the same rule for events as for the timer.
    if (EditMode() || !FTimerOn) return;
    const HWND window = reinterpret_cast<HWND>(wnd);
    switch (request) {
    case TDialogEvents::erTick:
        Follow(window);
        if (window != MDlg && GetWindowClass(window) == L"#32770") MEvents->Recheck(window);
        break;
    case TDialogEvents::erAlign: AlignOnDialog(MDlg); break;
    case TDialogEvents::erGone:
        // The event comes while the window is still being destroyed or hidden: it counts as gone.
        if (window == MDlg) ForgetDialog();
        break;
    default: break;
    }
}

void TMainForm::RecheckTimerTimer()
{
    const HWND announced = MEvents->NextRecheck();
    if (!announced || EditMode() || !FTimerOn) return;
    Follow(announced);
    if (announced == MDlg) MEvents->StopRecheck();
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
    if (dialog != MOwner.Dialog || process != MOwner.Process) MOwner = {dialog, process, GetProcessImagePath(dialog)};
    return MOwner.Path;
}

void TMainForm::ReadDialog()
{
    // A dialog that did not answer costs one wait: until it answers a quick check, ticks do not
    // wait on it again and the window keeps following it without reading it.
    if (MSilentDlg == MDlg && !ForeignWindowAnswers(MDlg, kForeignQuickCheckMs)) return;
    MParts.Find(MDlg);
    MSilentDlg = CaptureFileName() && CaptureCurrentFolder() ? nullptr : MDlg;
}

bool TMainForm::CaptureFileName()
{
    MEdt = MParts.Box();
    if (!MEdt) return true;
    const std::optional<std::wstring> text = QueryForeignText(MEdt);
    if (!text) return false;
    if (text->empty()) return true;
    MTxt = *text;
    if (StatusText().empty()) SetStatusText(MTxt);
    return true;
}

bool TMainForm::CaptureCurrentFolder()
{
    if (!MParts.Bar()) return true;
    const std::optional<std::wstring> text = QueryForeignText(MParts.Bar());
    if (!text) return false;
    const std::wstring folder = FolderFromBreadcrumbText(*text);
    // Already at the head of history: nothing to record, so nothing to check.
    if (MListH->IndexOf(folder) == 0) return true;
    CheckFolder(folder, fcExists, [this, folder](bool exists) {
        if (exists) RecordShownFolder(folder);
    });
    return true;
}

}  // namespace kestro
