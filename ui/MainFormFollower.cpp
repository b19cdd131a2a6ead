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
    // Already at the head of history: nothing to record, so nothing to check.
    if (MListH->IndexOf(folder) == 0) return true;
    CheckFolder(folder, fcExists, [this, folder](bool exists) {
        if (exists) RecordShownFolder(folder);
    });
    return true;
}

}  // namespace kestro
