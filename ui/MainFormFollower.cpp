#include <windows.h>

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
// From the dialog down to its breadcrumb bar, each a first direct child of the one before.
constexpr const wchar_t* kBreadcrumbChain[] = {
    L"WorkerW",           L"ReBarWindow32",     L"Address Band Root",
    L"msctls_progress32", L"Breadcrumb Parent", L"ToolbarWindow32",
};
// The breadcrumb bar's text is a 6-unit label followed by the folder's path.
constexpr size_t kBreadcrumbLabelLength = 6;
constexpr DWORD kJumpPauseMs = 500;
}  // namespace

void TMainForm::TimerTimer()
{
    if (EditMode()) return;
    StopTimer();
    TScopeExit restart([this] { StartTimer(); });

    HWND foreground = ::GetForegroundWindow();
    if (IsFileDialog(foreground)) {
        SetCaption(std::wstring(kApplicationTitle) + L" - " + GetProcessImagePath(foreground));
        int left = 0, top = 0, width = 0, height = 0;
        if (GetWindowBounds(foreground, left, top, width, height)) {
            // Right edge on the dialog's right edge, top on its top.
            ::SetWindowPos(FHandle, nullptr, left + width - OuterWidth(), top, 0, 0,
                           SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        }
        if (!Visible()) Show();
        MDlg = foreground;
        CaptureFileName();
        CaptureCurrentFolder();
    }
    if (!::IsWindow(MDlg)) {
        MTxt.clear();
        MDlg = nullptr;
        SetCaption(kApplicationTitle);
        if (Visible() && !EditMode()) Hide();
    }
}

void TMainForm::CaptureFileName()
{
    MEdt = nullptr;
    HWND box = FindChildByClass(MDlg, L"Edit");
    if (!box) return;
    MEdt = box;
    if (ForeignTextLength(box) <= 0) return;
    const std::wstring text = ReadForeignText(box);
    if (text.empty()) return;
    MTxt = text;
    if (StatusText().empty()) SetStatusText(MTxt);
}

void TMainForm::CaptureCurrentFolder()
{
    HWND link = MDlg;
    for (const wchar_t* className : kBreadcrumbChain) {
        link = ::FindWindowExW(link, nullptr, className, nullptr);
        if (!link) return;
    }
    if (ForeignTextLength(link) <= 0) return;
    const std::wstring text = ReadForeignText(link);
    const std::wstring folder = text.size() > kBreadcrumbLabelLength ? text.substr(kBreadcrumbLabelLength) : L"";
    if (!FolderExists(folder)) return;
    if (!RecordVisit(*MListH, folder)) return;
    if (TabIndex() != 1) return;
    TrimHistory(*MListH);
    FillListBox(MListH->Items);
    FitListExtent(ListBox);
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
    TScopeExit keepOnTop([this] { KeepOnTop(); });
    FocusDialogBox();
    SetForeignText(MEdt, MTxt);
}

}  // namespace kestro
