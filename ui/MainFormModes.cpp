#include <windows.h>
#include <commctrl.h>

#include <algorithm>

#include "ui/ControlIds.h"
#include "ui/FormNames.h"
#include "ui/Layout.h"
#include "ui/MainForm.h"
#include "ui/RelayRecord.h"
#include "winutil/Foreground.h"
#include "winutil/Placement.h"
#include "winutil/ToolWindow.h"

namespace kestro {

namespace {
RECT OuterRect(HWND wnd)
{
    RECT r = {};
    ::GetWindowRect(wnd, &r);
    return r;
}

void SetOuterSize(HWND wnd, int width, int height)
{
    ::SetWindowPos(wnd, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

int OuterHeight(HWND wnd)
{
    const RECT r = OuterRect(wnd);
    return r.bottom - r.top;
}

int OuterWidth(HWND wnd)
{
    const RECT r = OuterRect(wnd);
    return r.right - r.left;
}

// The size file holds the size at the system's scale; the window may be on a monitor of another.
TWindowSize SizeAtScale(TWindowSize size, UINT fromDpi, UINT toDpi)
{
    return {RescalePixels(size.Width, fromDpi, toDpi), RescalePixels(size.Height, fromDpi, toDpi)};
}

// The outer size of `wnd`, at `dpi`, as at the system's scale.
TWindowSize SizeAtSystemScale(HWND wnd, UINT dpi)
{
    return SizeAtScale({OuterWidth(wnd), OuterHeight(wnd)}, dpi, ::GetDpiForSystem());
}

// The system's menu font, which every control takes over; nothing when the system cannot say.
bool ReadMenuFont(std::wstring& face, int& points)
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
    face = metrics.lfMenuFont.lfFaceName;
    const int height = metrics.lfMenuFont.lfHeight < 0 ? -metrics.lfMenuFont.lfHeight : metrics.lfMenuFont.lfHeight;
    if (height > 0) points = ::MulDiv(height, 72, static_cast<int>(::GetDpiForSystem()));
    return true;
}
}  // namespace

void TMainForm::FormCreate()
{
    if (ReadMenuFont(FFont.Face, FFont.Points)) {
        ApplyFont();
        LayoutControls();
    }
    // A file that cannot be read is reported and left as it is, and creation goes on: the window
    // waits in standby with what could be read, and follows dialogs as after a good start.
    const auto report = [this](const EFileError& error) { ReportError(error); };
    try {
        const TWindowSize size =
            SizeAtScale(FOwners->Store.SavedSize(SizeAtSystemScale(FHandle, FDpi)), ::GetDpiForSystem(), FDpi);
        SetOuterSize(FHandle, OuterWidth(FHandle), size.Height);
        SetOuterSize(FHandle, size.Width, OuterHeight(FHandle));
    } catch (const EFileError& error) {
        report(error);
    }
    EnsureOnScreen(FHandle);
    if (FOwners->Store.Load(report)) {
        FillListBox(ListBox, FOwners->Store.Favourites().Items);
    } else {
        const std::wstring text = std::wstring(kApplicationTitle) +
                                  L"をご利用いただきましてありがとうございます。\r\n"
                                  L"フォルダを登録してください。\r\n"
                                  L"再度実行すると待機中のウィンドウが表示されます。";
        ::MessageBoxW(::GetWindow(FHandle, GW_OWNER), text.c_str(), kApplicationTitle, MB_OK);
    }
    SetEditMode(false);
}

void TMainForm::FormShow()
{
    // The application window would carry a task-bar button once any window of ours shows.
    ::ShowWindow(::GetWindow(FHandle, GW_OWNER), SW_HIDE);
    ::SendMessageW(Tab, TCM_SETCURSEL, tabFavourites, 0);
    TabChange();
}

void TMainForm::FormHide()
{
    SetEditMode(false);
}

void TMainForm::FormResize()
{
    FitListExtent(ListBox);
    if (FShade) {
        SetOuterSize(FHandle, OuterWidth(FHandle), 0);
        return;
    }
    // The width first: the tab rows below depend on it.
    const int minWidth = ScaleForDpi(kDesignMinWidth, FDpi);
    if (OuterWidth(FHandle) < minWidth) SetOuterSize(FHandle, minWidth, OuterHeight(FHandle));
    // Tab captions too wide for the window wrap into more rows, which would cover the list.
    RECT list;
    ::GetClientRect(ListBox, &list);
    const int rowHeight = static_cast<int>(::SendMessageW(ListBox, LB_GETITEMHEIGHT, 0, 0));
    const int minHeight =
        MinimumOuterHeight(ScaleForDpi(kDesignMinHeight, FDpi), OuterHeight(FHandle), list.bottom, rowHeight);
    if (OuterHeight(FHandle) < minHeight) SetOuterSize(FHandle, OuterWidth(FHandle), minHeight);
}

void TMainForm::FormExitSizeMove()
{
    // The rolled-up height is no size to keep.
    if (FShade) return;
    FOwners->Store.SizeChanged(SizeAtSystemScale(FHandle, FDpi));
}

bool TMainForm::FormCloseQuery()
{
    if (FShade) Unroll();
    FOwners->Store.SaveAll(SizeAtSystemScale(FHandle, FDpi), [this](const EFileError& error) { ReportError(error); });
    return true;
}

void TMainForm::FormEndSession()
{
    // The session ends, or the Restart Manager closes the program to replace it: the decision is
    // made, so the lists are written once more without a box to wait on, and the program ends.
    try {
        if (FShade) Unroll();
        FOwners->Store.SaveAll(SizeAtSystemScale(FHandle, FDpi), [](const EFileError&) {});
    } catch (const EFileError&) {
        // Nothing more can be done for what did not reach the disk; the lists of the last
        // successful save are still there.
    }
    ::DestroyWindow(FHandle);
}

void TMainForm::FormDestroy()
{
    FOwners.reset();
}

void TMainForm::WMNCLButtonDblClk(WPARAM hitTest)
{
    if (EditMode() || static_cast<DWORD>(hitTest) != HTCAPTION) return;
    if (FShade)
        Unroll();
    else
        RollUp();
}

void TMainForm::RollUp()
{
    FShade = true;
    MShadeH = OuterHeight(FHandle);
    ::ShowWindow(Tab, SW_HIDE);
    ::ShowWindow(ListBox, SW_HIDE);
    // The window system keeps the smallest height it allows: little more than the caption.
    SetOuterSize(FHandle, OuterWidth(FHandle), 0);
}

void TMainForm::Unroll()
{
    FShade = false;
    ::ShowWindow(Tab, SW_SHOWNA);
    ::ShowWindow(ListBox, SW_SHOWNA);
    SetOuterSize(FHandle, OuterWidth(FHandle), MShadeH);
}

void TMainForm::WMCopyData(const COPYDATASTRUCT* record)
{
    if (::IsWindowVisible(FHandle) || !IsShowRequest(record)) return;
    if (FShade) Unroll();
    SetEditMode(true);
    PlaceInWorkArea(FHandle, wpCenter);
    ShowOnTopInactive(FHandle);
    ForceForeground(FHandle);
}

void TMainForm::TimerTimer()
{
    FOwners->Follower.Tick();
    FOwners->Explorer.Tick(::IsWindowVisible(FHandle) && FTab == tabExplorer);
}

void TMainForm::WMWorkDone()
{
    FOwners->Jump.DeliverCompletions();
    FOwners->BrowseJump.DeliverCompletions();
    FOwners->Checks.DeliverCompletions();
    FOwners->Explorer.DeliverCompletions();
}

void TMainForm::ShowChanges()
{
    if (FOwners->Follower.TakeFirstNameChanged()) ::SetWindowTextW(StatusBar, FOwners->Follower.FirstName().c_str());
    const bool history = FOwners->Store.TakeHistoryChanged();
    const bool explorer = FOwners->Explorer.TakeFoldersChanged();
    if ((history && FTab == tabHistory) || (explorer && FTab == tabExplorer)) {
        // Nothing moves under the user's pointer: the selection stays on its folder.
        const std::wstring selected = SelectedEntry();
        ShowTabEntries();
        const std::vector<std::wstring>& entries = TabEntries();
        const auto kept = std::find(entries.begin(), entries.end(), selected);
        if (!selected.empty() && kept != entries.end())
            SelectListBoxEntry(ListBox, static_cast<int>(kept - entries.begin()));
    }
}

bool TMainForm::EditMode() const
{
    // The tool bar's own visibility, which holds also while the whole window is hidden.
    return (::GetWindowLongPtrW(ToolBar, GWL_STYLE) & WS_VISIBLE) != 0;
}

void TMainForm::SetEditMode(bool edit)
{
    // The status line is shown exactly while the tool bar is hidden.
    ::ShowWindow(ToolBar, edit ? SW_SHOWNA : SW_HIDE);
    ::ShowWindow(StatusBar, edit ? SW_HIDE : SW_SHOWNA);
    ::SetWindowTextW(StatusBar, L"");
    FOwners->Follower.SetEditMode(edit);
    LayoutControls();
}

void TMainForm::TabChanging()
{
    if (FTab == tabHistory) FOwners->Store.PurgeHistory();
}

void TMainForm::TabChange()
{
    FTab = static_cast<int>(::SendMessageW(Tab, TCM_GETCURSEL, 0, 0));
    const bool favourites = FTab == tabFavourites;
    const bool explorer = FTab == tabExplorer;
    FOwners->Store.SetHistoryShown(FTab == tabHistory);
    ShowTabEntries();
    ::SendMessageW(ToolBar, TB_HIDEBUTTON, idTBDel, MAKELPARAM(explorer, 0));
    ::SendMessageW(ToolBar, TB_HIDEBUTTON, idToolButton1, MAKELPARAM(explorer, 0));
    ::SendMessageW(ToolBar, TB_HIDEBUTTON, idTBUp, MAKELPARAM(!favourites, 0));
    ::SendMessageW(ToolBar, TB_HIDEBUTTON, idTBDown, MAKELPARAM(!favourites, 0));
    if (explorer) FOwners->Explorer.Read();
}

void TMainForm::TBHideClick()
{
    ::ShowWindow(FHandle, SW_HIDE);
}

void TMainForm::FormKeyPress(wchar_t& key)
{
    if (key == L'\r') {
        ListBoxClick();
        key = 0;
    }
}

bool TMainForm::PreviewMessage(MSG& msg)
{
    if (msg.message != WM_CHAR || !FHandle) return false;
    if (msg.hwnd != FHandle && !::IsChild(FHandle, msg.hwnd)) return false;
    wchar_t key = static_cast<wchar_t>(msg.wParam);
    Guarded([&] { FormKeyPress(key); });
    if (key == 0) return true;
    msg.wParam = key;
    return false;
}

}  // namespace kestro
