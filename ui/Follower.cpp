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

TFollower::TFollower(HWND toolWindow, UINT eventMessage, ITimers& timers, UINT_PTR recheckTimerId, TListStore& store,
                     TJumpRunner& jump, TBrowseJump& browseJump, const TTimings& timings)
    : FWindow(toolWindow),
      FStore(store),
      FJump(jump),
      FBrowseJump(browseJump),
      FTimings(timings),
      FEvents(toolWindow, eventMessage, timers, recheckTimerId, timings)
{
}

bool TFollower::Paused() const
{
    return FFollowing || FEditMode || FJump.Working() || FBrowseJump.Working();
}

void TFollower::Tick()
{
    if (!Paused()) Follow(nullptr);
}

void TFollower::EventPosted(TDialogEvents::TRequest request, HWND wnd)
{
    FEvents.Received(request);
    // Events wait as ticks do: never acted on inside a tick or a jump that happens to let them in.
    if (Paused()) return;
    switch (request) {
    case TDialogEvents::erTick:
        Follow(wnd);
        if (wnd != FDialog && IsDialogClass(wnd)) FEvents.Recheck(wnd);
        break;
    case TDialogEvents::erAlign: Dock(FDialog); break;
    case TDialogEvents::erGone:
        // The event comes while the window is still being destroyed or hidden: it counts as gone.
        if (wnd == FDialog) Forget();
        break;
    default: break;
    }
}

void TFollower::RecheckDue()
{
    const HWND announced = FEvents.NextRecheck();
    if (!announced || Paused()) return;
    Follow(announced);
    if (announced == FDialog) FEvents.StopRecheck();
}

void TFollower::SetEditMode(bool edit)
{
    FEditMode = edit;
    FFirstName.clear();
    FFirstNameChanged = false;
    TellJumps();
}

void TFollower::Follow(HWND announced)
{
    FFollowing = true;
    const TScopeExit done([this] { FFollowing = false; });
    const HWND dialog =
        DialogToFollow(::GetForegroundWindow(), announced, FDialog, FEvents.Gone(), TSystemWindowLook());
    if (dialog) {
        // Watched before anything else, so that a move or close right after the dock is seen.
        FEvents.Watch(dialog);
        SetCaptionIfChanged(FWindow, std::wstring(kApplicationTitle) + L" - " + OwnerPath(dialog));
        Dock(dialog);
        if (!::IsWindowVisible(FWindow)) ShowOnTopInactive(FWindow);
        // A dialog of a program that is always on top is topmost too, and comes above the tool
        // window whenever it is activated again.
        if ((::GetWindowLongPtrW(dialog, GWL_EXSTYLE) & WS_EX_TOPMOST) && IsAbove(dialog, FWindow))
            ShowOnTopInactive(FWindow);
        FDialog = dialog;
        ReadDialog();
    }
    if (!::IsWindow(FDialog) || FDialog == FEvents.Gone())
        Forget();
    else
        TellJumps();
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
    FDialog = nullptr;
    FBox = nullptr;
    FSilentDialog = nullptr;
    FEvents.Watch(nullptr);
    TellJumps();
    SetCaptionIfChanged(FWindow, kApplicationTitle);
    ::ShowWindow(FWindow, SW_HIDE);
}

void TFollower::TellJumps()
{
    const HWND dialog = FEditMode ? nullptr : FDialog;
    FJump.SetFollowed({dialog, dialog ? FBox : nullptr, FParts.FolderPicker()});
    FBrowseJump.SetFollowed(dialog);
}

const std::wstring& TFollower::OwnerPath(HWND dialog)
{
    // Keyed by the process as well: a window handle may come back for another program's window.
    DWORD process = 0;
    ::GetWindowThreadProcessId(dialog, &process);
    if (dialog != FOwner.Dialog || process != FOwner.Process) FOwner = {dialog, process, GetProcessImagePath(dialog)};
    return FOwner.Path;
}

void TFollower::ReadDialog()
{
    // A dialog that did not answer costs one wait: until it answers a quick check, ticks do not
    // wait on it again and the window keeps following it without reading it.
    TDialogLook look;
    if (FSilentDialog == FDialog && !ForeignWindowAnswers(FDialog, FTimings.QuickCheckMs)) {
        FJump.DialogRead(FDialog, FParts.Bar() != nullptr, look);
        return;
    }
    FParts.Find(FDialog);
    FSilentDialog = CaptureFileName(look) && CaptureCurrentFolder(look) ? nullptr : FDialog;
    FJump.DialogRead(FDialog, FParts.Bar() != nullptr, look);
}

bool TFollower::CaptureFileName(TDialogLook& look)
{
    FBox = FParts.Box();
    if (!FBox) return true;
    look.Box = QueryForeignText(FBox, FTimings.ReadTimeoutMs);
    if (!look.Box) return false;
    if (look.Box->empty() || !FFirstName.empty() || FJump.HoldsFolder(FDialog, *look.Box)) return true;
    FFirstName = *look.Box;
    FFirstNameChanged = true;
    return true;
}

bool TFollower::CaptureCurrentFolder(TDialogLook& look)
{
    if (!FParts.Bar()) return true;
    const std::optional<std::wstring> text = QueryForeignText(FParts.Bar(), FTimings.ReadTimeoutMs);
    if (!text) return false;
    look.Shown = FolderFromBreadcrumbText(*text);
    FStore.RecordShownFolder(*look.Shown);
    return true;
}

}  // namespace kestro
