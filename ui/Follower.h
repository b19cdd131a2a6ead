#pragma once
// The dialog follower: at every tick, and at once when a window event asks, it looks at the window
// in front; over a common file dialog it docks the tool window on the dialog's top-right corner,
// names the dialog's program in its caption, reads the dialog's file name and folder, records the
// folder in history and tells the jumps which dialog they work on.
#include <windows.h>

#include <string>
#include <utility>

#include "ui/BrowseJump.h"
#include "ui/DialogEvents.h"
#include "ui/DialogParts.h"
#include "ui/JumpRunner.h"
#include "ui/ListStore.h"
#include "winutil/Timers.h"
#include "winutil/Timings.h"

namespace kestro {

class TFollower {
public:
    // Docks the tool window `toolWindow`, to which the window events are posted as `eventMessage`;
    // `recheckTimerId` of `timers` falls due to RecheckDue.
    TFollower(HWND toolWindow, UINT eventMessage, ITimers& timers, UINT_PTR recheckTimerId, TListStore& store,
              TJumpRunner& jump, TBrowseJump& browseJump, const TTimings& timings);
    TFollower(const TFollower&) = delete;
    TFollower& operator=(const TFollower&) = delete;

    // The follow loop's tick.
    void Tick();
    // A window event's request, as posted in `eventMessage`.
    void EventPosted(TDialogEvents::TRequest request, HWND wnd);
    void RecheckDue();
    // In edit mode the follower waits and the jumps have no dialog; the first name is forgotten
    // at each change of mode.
    void SetEditMode(bool edit);

    // The dialog followed; 0 when none is.
    HWND Dialog() const { return FDialog; }
    // The first file name seen in a dialog since the mode last changed; a jump's folder is no name.
    const std::wstring& FirstName() const { return FFirstName; }
    bool TakeFirstNameChanged() { return std::exchange(FFirstNameChanged, false); }

private:
    bool Paused() const;
    void Follow(HWND announced);
    void Dock(HWND dialog);
    void Forget();
    void TellJumps();
    const std::wstring& OwnerPath(HWND dialog);
    void ReadDialog();
    bool CaptureFileName(TDialogLook& look);
    bool CaptureCurrentFolder(TDialogLook& look);

    HWND FWindow;
    TListStore& FStore;
    TJumpRunner& FJump;
    TBrowseJump& FBrowseJump;
    const TTimings& FTimings;
    HWND FDialog = nullptr;
    HWND FBox = nullptr;
    bool FEditMode = false;
    std::wstring FFirstName;
    bool FFirstNameChanged = false;
    // A tick or event in the middle of another (a nested message loop) does nothing.
    bool FFollowing = false;
    // The owner's executable path of the dialog last followed, looked up once per dialog.
    struct TOwnerPath {
        HWND Dialog = nullptr;
        DWORD Process = 0;
        std::wstring Path;
    } FOwner;
    // A followed dialog whose thread did not answer a read: it is not waited on again until it
    // answers a quick check.
    HWND FSilentDialog = nullptr;
    TDialogParts FParts;
    // Window events that make the follower act before the next tick.
    TDialogEvents FEvents;
};

}  // namespace kestro
