#pragma once
#include <windows.h>

// Control and command identifiers of the main window.

namespace kestro {

enum TControlId : int {
    idTBAdd = 101,
    idTBDel = 102,
    idTBUp = 103,
    idTBDown = 104,
    idTBHide = 105,
    idToolButton1 = 106,
    idToolButton3 = 107,
    idToolBar = 200,
    idTab = 201,
    idListBox = 202,
    idStatusBar = 203,
};

// The follow loop's timer.
constexpr UINT_PTR kTimerId = 1;
constexpr UINT kTimerInterval = 500;
// The one-shot timer that writes changed history and size soon after the change.
constexpr UINT_PTR kSaveTimerId = 2;
constexpr UINT kSaveDelayMs = 1500;
// Posted to the main window when a window event asks the follower to act at once; wParam is
// a TDialogEvents::TRequest and lParam the window the event is about.
constexpr UINT WM_FOLLOWREQUEST = WM_APP + 1;
// The timer that ends a jump stuck in a dialog that stopped answering.
constexpr UINT_PTR kJumpBoundTimerId = 3;
// The timer of the follower's looks again at a dialog announced before it was shown.
constexpr UINT_PTR kRecheckTimerId = 4;
// The tab of the folders open in Explorer, read at most this often while it is shown, and
// given up on when a read takes longer than the bound.
constexpr int kExplorerTab = 2;
constexpr unsigned kExplorerReadIntervalMs = 1000;
constexpr unsigned kExplorerReadBoundMs = 2000;
// Posted to the main window when work on a worker thread has finished.
constexpr UINT WM_WORKDONE = WM_APP + 2;

}  // namespace kestro
