#include "ui/Follower.h"

#include <optional>

#include "ui/FollowRules.h"
#include "ui/FormNames.h"
#include "winutil/BrowseDialog.h"
#include "winutil/FileDialog.h"
#include "winutil/ForeignWindow.h"
#include "winutil/Handles.h"
#include "winutil/Placement.h"
#include "winutil/ProcessPath.h"
#include "winutil/ToolWindow.h"

namespace kestro {

namespace {
class TSystemWindowLook : public TWindowLook {
public:
    bool Visible(HWND wnd) const override { return ::IsWindowVisible(wnd) != FALSE; }
    bool DialogClass(HWND wnd) const override { return IsDialogClass(wnd); }
    // A folder-browse dialog is followed as a file dialog is; it shows no name and no address bar.
    bool FileDialog(HWND wnd) const override { return IsFileDialog(wnd) || IsBrowseDialog(wnd); }
};
}  // namespace

TFollower::TFollower(HWND window, UINT requestMessage, UINT_PTR recheckTimerId, TFollowerHost& host,
                     const TTimings& timings)
    : FWindow(window), FHost(host), FTimings(timings), MEvents(window, requestMessage, recheckTimerId, timings)
{
}

bool TFollower::Paused() const
{
    return FFollowing || FHost.FollowerPaused();
}

void TFollower::TimerTimer()
{
    if (!Paused()) Follow(nullptr);
}

void TFollower::WMFollowRequest(WPARAM request, LPARAM wnd)
{
    MEvents.Received(request);
    // Events wait as ticks do: never acted on inside a tick or a jump that happens to let them in.
    if (Paused()) return;
    const HWND window = reinterpret_cast<HWND>(wnd);
    switch (request) {
    case TDialogEvents::erTick:
        Follow(window);
        if (window != MDlg && GetWindowClass(window) == L"#32770") MEvents.Recheck(window);
        break;
    case TDialogEvents::erAlign: Dock(MDlg); break;
    case TDialogEvents::erGone:
        // The event comes while the window is still being destroyed or hidden: it counts as gone.
        if (window == MDlg) Forget();
        break;
    default: break;
    }
}

void TFollower::RecheckTimerTimer()
{
    const HWND announced = MEvents.NextRecheck();
    if (!announced || Paused()) return;
    Follow(announced);
    if (announced == MDlg) MEvents.StopRecheck();
}

void TFollower::Follow(HWND announced)
{
    FFollowing = true;
    const TScopeExit done([this] { FFollowing = false; });
    const HWND dialog = DialogToFollow(::GetForegroundWindow(), announced, MDlg, MEvents.Gone(), TSystemWindowLook());
    if (dialog) {
        // Watched before anything else, so that a move or close right after the dock is seen.
        MEvents.Watch(dialog);
        SetCaptionIfChanged(FWindow, std::wstring(kApplicationTitle) + L" - " + OwnerPath(dialog));
        Dock(dialog);
        if (!::IsWindowVisible(FWindow)) ShowOnTopInactive(FWindow);
        // A dialog of a program that is always on top is topmost too, and comes above the tool
        // window whenever it is activated again.
        if ((::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) && IsAbove(dialog, FWindow))
            ShowOnTopInactive(FWindow);
        MDlg = dialog;
        ReadDialog();
    }
    if (!::IsWindow(MDlg) || MDlg == MEvents.Gone()) Forget();
}

void TFollower::Dock(HWND dialog)
{
    RECT target = {}, own = {};
    if (!GetVisibleRect(dialog, target) || !::GetWindowRect(FWindow, &own)) return;
    const std::optional<POINT> position = DockPosition(target, own, WorkAreaOf(target));
    if (position)
        ::SetWindowPos(FWindow, nullptr, position->x, position->y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFollower::Forget()
{
    MTxt.clear();
    MDlg = nullptr;
    MEdt = nullptr;
    MSilentDlg = nullptr;
    MEvents.Watch(nullptr);
    SetCaptionIfChanged(FWindow, kApplicationTitle);
    ::ShowWindow(FWindow, SW_HIDE);
}

const std::wstring& TFollower::OwnerPath(HWND dialog)
{
    // Keyed by the process as well: a window handle may come back for another program's window.
    DWORD process = 0;
    ::GetWindowThreadProcessId(dialog, &process);
    if (dialog != MOwner.Dialog || process != MOwner.Process) MOwner = {dialog, process, GetProcessImagePath(dialog)};
    return MOwner.Path;
}

void TFollower::ReadDialog()
{
    // A dialog that did not answer costs one wait: until it answers a quick check, ticks do not
    // wait on it again and the window keeps following it without reading it.
    TDialogLook look;
    if (MSilentDlg == MDlg && !ForeignWindowAnswers(MDlg, FTimings.QuickCheckMs)) {
        FHost.DialogRead(MDlg, MParts.Bar() != nullptr, look);
        return;
    }
    MParts.Find(MDlg);
    MSilentDlg = CaptureFileName(look) && CaptureCurrentFolder(look) ? nullptr : MDlg;
    FHost.DialogRead(MDlg, MParts.Bar() != nullptr, look);
}

bool TFollower::CaptureFileName(TDialogLook& look)
{
    MEdt = MParts.Box();
    if (!MEdt) return true;
    look.Box = QueryForeignText(MEdt, FTimings.ReadTimeoutMs);
    if (!look.Box) return false;
    if (look.Box->empty()) return true;
    MTxt = *look.Box;
    FHost.NameSeen(MTxt);
    return true;
}

bool TFollower::CaptureCurrentFolder(TDialogLook& look)
{
    if (!MParts.Bar()) return true;
    const std::optional<std::wstring> text = QueryForeignText(MParts.Bar(), FTimings.ReadTimeoutMs);
    if (!text) return false;
    look.Shown = FolderFromBreadcrumbText(*text);
    FHost.FolderShown(*look.Shown);
    return true;
}

}  // namespace kestro
