#pragma once
// The owners of everything but the window, made with it and wired to one another once, in the
// order they need each other; the window hands them its messages and shows what they hold.
#include <windows.h>

#include "ui/BrowseJump.h"
#include "ui/ExplorerTab.h"
#include "ui/FolderChecks.h"
#include "ui/Follower.h"
#include "ui/JumpRunner.h"
#include "ui/ListStore.h"
#include "winutil/Timers.h"
#include "winutil/Timings.h"

namespace kestro {

struct TFormOwners {
    // Their workers post WM_WORKDONE to `window` and the window events WM_FOLLOWREQUEST; their
    // timers are the window's, by the ids in ControlIds.h.
    TFormOwners(HWND window, const TTimings& timings);

    TWindowTimers Timers;
    TFolderChecks Checks;
    TListStore Store;
    TJumpRunner Jump;
    TBrowseJump BrowseJump;
    TFollower Follower;
    TExplorerTab Explorer;
};

}  // namespace kestro
