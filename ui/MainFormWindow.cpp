#include <windows.h>
#include <commctrl.h>

#include "ui/ControlIds.h"
#include "ui/MainForm.h"
#include "winutil/FolderJump.h"
#include "winutil/PathChecks.h"

namespace kestro {

void TMainForm::Show()
{
    // Shown without activation: the followed dialog keeps the keyboard.
    ::ShowWindow(FHandle, SW_SHOWNOACTIVATE);
    ::SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMainForm::KeepOnTop()
{
    // Under Wine another program raising its window can leave ours below it on screen although
    // the z-order keeps us on top; leaving the topmost band and coming back restacks the window.
    ::SetWindowPos(FHandle, HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ::SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TMainForm::Hide()
{
    ::ShowWindow(FHandle, SW_HIDE);
}

bool TMainForm::Visible() const
{
    return ::IsWindowVisible(FHandle) != FALSE;
}

bool TMainForm::EditMode() const
{
    // The tool bar's own visibility, which holds also while the whole window is hidden.
    return (::GetWindowLongPtrW(ToolBar, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TMainForm::SetToolBarVisible(bool visible)
{
    // The status line is shown exactly while the tool bar is hidden.
    ::ShowWindow(ToolBar, visible ? SW_SHOWNA : SW_HIDE);
    ::ShowWindow(StatusBar, visible ? SW_HIDE : SW_SHOWNA);
    LayoutControls();
}

namespace {
std::wstring TextOf(HWND wnd)
{
    const int length = ::GetWindowTextLengthW(wnd);
    std::wstring text(length + 1, L'\0');
    text.resize(::GetWindowTextW(wnd, text.data(), length + 1));
    return text;
}
}  // namespace

std::wstring TMainForm::Caption() const
{
    return TextOf(FHandle);
}

void TMainForm::SetCaption(const std::wstring& caption)
{
    // Every tick sets the caption; the same text again would only repaint the frame.
    if (caption != Caption()) ::SetWindowTextW(FHandle, caption.c_str());
}

void TMainForm::SetStatusText(const std::wstring& text)
{
    ::SetWindowTextW(StatusBar, text.c_str());
}

std::wstring TMainForm::StatusText() const
{
    return TextOf(StatusBar);
}

int TMainForm::OuterHeight() const
{
    RECT r;
    ::GetWindowRect(FHandle, &r);
    return r.bottom - r.top;
}

int TMainForm::OuterWidth() const
{
    RECT r;
    ::GetWindowRect(FHandle, &r);
    return r.right - r.left;
}

void TMainForm::SetOuterHeight(int height)
{
    ::SetWindowPos(FHandle, nullptr, 0, 0, OuterWidth(), height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::SetOuterWidth(int width)
{
    ::SetWindowPos(FHandle, nullptr, 0, 0, width, OuterHeight(), SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TMainForm::SetTabIndex(int index)
{
    ::SendMessageW(Tab, TCM_SETCURSEL, index, 0);
}

int TMainForm::TabIndex() const
{
    return static_cast<int>(::SendMessageW(Tab, TCM_GETCURSEL, 0, 0));
}

void TMainForm::FillListBox(const std::vector<std::wstring>& items)
{
    ::SendMessageW(ListBox, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(ListBox, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        ::SendMessageW(ListBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    ::SendMessageW(ListBox, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(ListBox, nullptr, TRUE);
    FitListExtent(ListBox);
}

std::vector<std::wstring> TMainForm::ListBoxItems() const
{
    const int count = static_cast<int>(::SendMessageW(ListBox, LB_GETCOUNT, 0, 0));
    std::vector<std::wstring> items;
    items.reserve(count > 0 ? count : 0);
    for (int i = 0; i < count; ++i) items.push_back(ListBoxItem(i));
    return items;
}

int TMainForm::ListBoxSelection() const
{
    return static_cast<int>(::SendMessageW(ListBox, LB_GETCURSEL, 0, 0));
}

std::wstring TMainForm::ListBoxItem(int index) const
{
    const LRESULT length = ::SendMessageW(ListBox, LB_GETTEXTLEN, index, 0);
    if (length == LB_ERR) return L"";
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(ListBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == LB_ERR ? 0 : static_cast<size_t>(copied));
    return text;
}

void TMainForm::CreateTimer()
{
    ::SetTimer(FHandle, kTimerId, kTimerInterval, nullptr);
    FTimerOn = true;
}

void TMainForm::CreateBackgroundWork()
{
    MDialogWork = std::make_unique<TDialogWork>(FHandle, WM_WORKDONE, kJumpBoundTimerId, kJumpBoundMs);
    MFolderChecks = std::make_unique<TFolderChecks>(FHandle, WM_WORKDONE);
    MExplorerReads = std::make_unique<TBackgroundWork>(FHandle, WM_WORKDONE, 1);
}

void TMainForm::WMWorkDone()
{
    MDialogWork->DeliverCompletions();
    MFolderChecks->DeliverCompletions();
    MExplorerReads->DeliverCompletions();
}

// Switching the timer off and on only holds its ticks back: killing and setting the system
// timer at every tick would cost two calls into the window system for nothing.
void TMainForm::StartTimer()
{
    FTimerOn = true;
}

void TMainForm::StopTimer()
{
    FTimerOn = false;
}

}  // namespace kestro
