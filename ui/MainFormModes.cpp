#include <windows.h>
#include <commctrl.h>

#include "ui/ControlIds.h"
#include "ui/Layout.h"
#include "ui/MainForm.h"
#include "ui/RelayRecord.h"
#include "winutil/Foreground.h"
#include "winutil/PathChecks.h"
#include "winutil/Placement.h"

namespace kestro {

void TMainForm::FormCreate()
{
    MListH = std::make_unique<TFolderList>();
    MListF = std::make_unique<TFolderList>();
    TakeOverMenuFont();
    LoadSettings();
    EnsureOnScreen(FHandle);
    LoadLists();
    SetToolBarVisible(false);
}

void TMainForm::TakeOverMenuFont()
{
    NONCLIENTMETRICSW metrics = {};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return;
    FFontFace = metrics.lfMenuFont.lfFaceName;
    const int height = metrics.lfMenuFont.lfHeight < 0 ? -metrics.lfMenuFont.lfHeight : metrics.lfMenuFont.lfHeight;
    if (height > 0) FFontPoints = ::MulDiv(height, 72, static_cast<int>(::GetDpiForSystem()));
    ApplyFont();
    LayoutControls();
}

void TMainForm::FormShow()
{
    // The application window would carry a task-bar button once any window of ours shows.
    ::ShowWindow(FApp, SW_HIDE);
    SetTabIndex(0);
    TabChange();
}

void TMainForm::FormHide()
{
    SetToolBarVisible(false);
    SetStatusText(L"");
}

void TMainForm::FormResize()
{
    FitListExtent(ListBox);
    if (FShade) {
        SetOuterHeight(0);
        return;
    }
    // The width first: the tab rows below depend on it.
    if (OuterWidth() < Scale(kDesignMinWidth)) SetOuterWidth(Scale(kDesignMinWidth));
    // Tab captions too wide for the window wrap into more rows, which would cover the list.
    RECT list;
    ::GetClientRect(ListBox, &list);
    const int rowHeight = static_cast<int>(::SendMessageW(ListBox, LB_GETITEMHEIGHT, 0, 0));
    const int minHeight = MinimumOuterHeight(Scale(kDesignMinHeight), OuterHeight(), list.bottom, rowHeight);
    if (OuterHeight() < minHeight) SetOuterHeight(minHeight);
}

bool TMainForm::FormCloseQuery()
{
    if (FShade) Unroll();
    SaveSettingsAndLists();
    return true;
}

void TMainForm::FormDestroy()
{
    MListH.reset();
    MListF.reset();
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
    MShadeH = OuterHeight();
    ::ShowWindow(Tab, SW_HIDE);
    ::ShowWindow(ListBox, SW_HIDE);
    // The window system keeps the smallest height it allows: little more than the caption.
    SetOuterHeight(0);
}

void TMainForm::Unroll()
{
    FShade = false;
    ::ShowWindow(Tab, SW_SHOWNA);
    ::ShowWindow(ListBox, SW_SHOWNA);
    SetOuterHeight(MShadeH);
}

void TMainForm::WMCopyData(const COPYDATASTRUCT* record)
{
    if (Visible()) return;
    if (!IsShowRequest(record)) return;
    if (FShade) Unroll();
    EnterEditMode();
    PlaceInWorkArea(FHandle, wpCenter);
    Show();
    ForceForeground(FHandle);
}

void TMainForm::EnterEditMode()
{
    SetToolBarVisible(true);
    SetStatusText(L"");
}

void TMainForm::TabChanging()
{
    if (TabIndex() != 1) return;
    // A missing entry goes whenever its check answers, however slow its share; the cut to the
    // cap waits for every answer, so that no existing folder goes in a missing one's place.
    const std::vector<std::wstring> entries = MListH->Items;
    auto unanswered = std::make_shared<size_t>(entries.size());
    for (const std::wstring& entry : entries)
        CheckFolder(entry, fcExists, [this, entry, unanswered](bool exists) {
            if (!exists) PurgeMissingFolder(entry);
            if (--*unanswered == 0) TrimHistoryAfterPurge();
        });
}

void TMainForm::TabChange()
{
    const int tab = TabIndex();
    const bool favourites = tab == 0;
    const bool explorer = tab == kExplorerTab;
    FillListBox(favourites ? MListF->Items : explorer ? MExplorerFolders : MListH->Items);
    ::SendMessageW(ToolBar, TB_HIDEBUTTON, idTBDel, MAKELPARAM(explorer, 0));
    ::SendMessageW(ToolBar, TB_HIDEBUTTON, idToolButton1, MAKELPARAM(explorer, 0));
    ::SendMessageW(ToolBar, TB_HIDEBUTTON, idTBUp, MAKELPARAM(!favourites, 0));
    ::SendMessageW(ToolBar, TB_HIDEBUTTON, idTBDown, MAKELPARAM(!favourites, 0));
    if (explorer) ReadExplorerFolders();
}

void TMainForm::TBHideClick()
{
    Hide();
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
