#pragma once
// Checks and moves that the follower's end-to-end tests share: where the tool window sits
// against a dialog, moving a dialog, and a point that focuses the list box.
#include <windows.h>

#include <string>

#include "tests/support/Input.h"
#include "tests/support/Kestro.h"
#include "tests/support/OwnWindows.h"

namespace kestro::test {

// The slow share that tools/test mounts as a drive (every look at a folder on it waits) and the
// same folders without the wait, as "N:"; empty where no share could be mounted.
std::wstring SlowDrive();
std::wstring FastDrive();
// The share's wait for one look at a folder, in milliseconds.
DWORD SlowDriveDelayMs();

// A top-level "CabinetWClass" window with the item dialog's address-bar chain, whose bar shows
// `label` and `folder`, as Explorer's window is read where the shell's list cannot be had.
TOwnWindow CreateExplorerWindow(const std::wstring& label, const std::wstring& folder, int left = 40,
                                DWORD style = WS_OVERLAPPEDWINDOW);

// The caption Kestro shows while it follows a dialog of the program `exe`.
std::wstring FollowCaption(const std::wstring& exe);

// Whether the tool window is shown with its right edge on the dialog's right edge and its
// top on the dialog's top.
bool SitsOnTopRightOf(const TKestro& kestro, HWND dialog);
// Waits (up to `timeoutMs`) until the tool window is shown over `dialog`.
bool WaitFollowing(const TKestro& kestro, HWND dialog, DWORD timeoutMs = 1500);

// Moves the dialog's top-left corner to (`left`, `top`).
void MoveTo(HWND dialog, int left, int top);

// A point in the list box below its last entry: a click there focuses the list box and makes
// the tool window the foreground window without selecting anything.
POINT ListBelowItems(const TKestro& kestro);

// Clicks the list box below its entries and waits until the tool window is in front and its
// window system has settled. Under Wine without a window manager a click that takes the input
// focus away from the dialog is seen late by the dialog's own thread, which then hands the
// front to the desktop in the middle of a jump; on Windows the switch is immediate. A click on
// an entry that follows this one moves no input focus.
bool ActivateToolWindow(const TKestro& kestro);
// Activates the tool window, then clicks list entry `index`.
void ClickEntry(const TKestro& kestro, int index);

}  // namespace kestro::test
