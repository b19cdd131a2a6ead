#pragma once
// The dialog follower: at every tick, and at once when a window event asks, it looks at the window
// in front; over a common file dialog it docks the tool window on the dialog's top-right corner,
// names the dialog's program in its caption, and reads the dialog's file name and folder.
#include <windows.h>

#include <memory>
#include <string>

#include "ui/DialogEvents.h"
#include "ui/DialogParts.h"
#include "winutil/FolderJump.h"
#include "winutil/Timings.h"

namespace kestro {

// What the follower tells the window it works for.
class TFollowerHost {
public:
    virtual ~TFollowerHost() = default;
    // The follower does nothing while this holds (edit mode, a jump at work in the dialog).
    virtual bool FollowerPaused() const = 0;
    // A file name read from the dialog's box (not empty).
    virtual void NameSeen(const std::wstring& name) = 0;
    // The folder the dialog's address bar shows.
    virtual void FolderShown(const std::wstring& folder) = 0;
    // What a look at the followed dialog found: its name box's text and its address bar's folder,
    // each empty where it did not answer (both when the dialog was not looked at, being silent).
    virtual void DialogRead(HWND dialog, bool hasBar, const TDialogLook& look) = 0;
};

class TFollower {
public:
    // Follows for the tool window `window`, which receives the window events' requests as
    // `requestMessage` and has the timer `recheckTimerId` for the looks again at an announced
    // dialog.
    TFollower(HWND window, UINT requestMessage, UINT_PTR recheckTimerId, TFollowerHost& host, const TTimings& timings);
    TFollower(const TFollower&) = delete;
    TFollower& operator=(const TFollower&) = delete;

    // The follow loop's tick.
    void TimerTimer();
    // A request of the window events (wParam and lParam of `requestMessage`).
    void WMFollowRequest(WPARAM request, LPARAM wnd);
    void RecheckTimerTimer();

    // The dialog followed and its file-name box; 0 when no dialog is followed.
    HWND Dialog() const { return MDlg; }
    HWND Box() const { return MEdt; }
    bool FolderPicker() const { return MParts.FolderPicker(); }

private:
    bool Paused() const;
    void Follow(HWND announced);
    void Dock(HWND dialog);
    void Forget();
    const std::wstring& OwnerPath(HWND dialog);
    void ReadDialog();
    bool CaptureFileName(TDialogLook& look);
    bool CaptureCurrentFolder(TDialogLook& look);

    HWND FWindow;
    TFollowerHost& FHost;
    const TTimings& FTimings;
    HWND MDlg = nullptr;
    HWND MEdt = nullptr;
    std::wstring MTxt;
    // A tick or event in the middle of another (a nested message loop) does nothing.
    bool FFollowing = false;
    // The owner's executable path of the dialog last followed, looked up once per dialog.
    struct TOwnerPath {
        HWND Dialog = nullptr;
        DWORD Process = 0;
        std::wstring Path;
    } MOwner;
    // A followed dialog whose thread did not answer a read: it is not waited on again until it
    // answers a quick check.
    HWND MSilentDlg = nullptr;
    TDialogParts MParts;
    // Window events that make the follower act before the next tick.
    TDialogEvents MEvents;
};

}  // namespace kestro
