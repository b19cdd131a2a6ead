#pragma once
#include <windows.h>

// Control, tab, timer and message identifiers of the main window.

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

enum TTabIndex : int { tabFavourites = 0, tabHistory = 1, tabExplorer = 2 };

enum TTimerId : UINT_PTR {
    // The follow loop, which also reads the Explorer tab while it is shown.
    kTimerId = 1,
    // Writes changed history and size soon after the change.
    kSaveTimerId = 2,
    // Ends a jump stuck in a dialog that stopped answering.
    kJumpBoundTimerId = 3,
    // The follower's looks again at a dialog announced before it was shown.
    kRecheckTimerId = 4,
    // Ends a selection stuck in a folder-browse dialog that stopped answering.
    kBrowseBoundTimerId = 5,
};

// Posted to the main window when a window event asks the follower to act at once; wParam is a
// TDialogEvents::TRequest and lParam the window the event is about.
constexpr UINT WM_FOLLOWREQUEST = WM_APP + 1;
// Posted to the main window when work on a worker thread has finished.
constexpr UINT WM_WORKDONE = WM_APP + 2;

}  // namespace kestro
