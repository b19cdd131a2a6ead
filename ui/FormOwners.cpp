#include "ui/FormOwners.h"

#include "lists/TextFile.h"
#include "ui/ControlIds.h"
#include "ui/ExplorerFolders.h"
#include "winutil/DataFolder.h"

namespace kestro {

TFormOwners::TFormOwners(HWND window, const TTimings& timings)
    : Timers(window),
      Checks(window, WM_WORKDONE, FolderState, timings.WorkerLingerMs),
      Store(UserDataDir, WriteFileBytes, Timers, kSaveTimerId, Checks, timings),
      Jump(window, WM_WORKDONE, Timers, kJumpBoundTimerId, Checks, timings, ::GetTickCount64),
      BrowseJump(window, WM_WORKDONE, Timers, kBrowseBoundTimerId, Checks, timings, ::GetTickCount64),
      Follower(window, WM_FOLLOWREQUEST, Timers, kRecheckTimerId, Store, Jump, BrowseJump, timings),
      Explorer(window, WM_WORKDONE, timings, ReadExplorerTabEntries, ::GetTickCount64)
{
}

}  // namespace kestro
