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
// Posted to the main window when a window event asks the follower to act at once; wParam is
// a TFollowRequest.
constexpr UINT WM_FOLLOWREQUEST = WM_APP + 1;

}  // namespace kestro
