#pragma once
// The tab of the folders open in Explorer: read off the window's thread while the tab is shown,
// at most once a second, one read at a time; a read stuck in a hung Explorer is given up.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "winutil/BackgroundWork.h"
#include "winutil/Timings.h"

namespace kestro {

// Whether the tab, shown now, is read again: no read is under way and the last one started at
// least an interval ago. Times are tick counts in milliseconds.
bool ExplorerReadDue(bool reading, ULONGLONG lastStart, ULONGLONG now, const TTimings& timings);
// Whether a read that started at `started` and ends at `now` came too late to be shown.
bool ExplorerReadStale(ULONGLONG started, ULONGLONG now, const TTimings& timings);

class TExplorerTab {
public:
    // `doneMessage` is posted to `window` when a read ends; its handler calls DeliverCompletions.
    // `changed` is called on the window's thread when the folders read differ from those before.
    TExplorerTab(HWND window, UINT doneMessage, const TTimings& timings, std::function<void()> changed);

    const std::vector<std::wstring>& Folders() const { return MFolders; }
    // Reads the folders now, unless a read is under way.
    void Read();
    // The follow loop's tick: reads again when the tab is shown and a read is due.
    void TimerTimer(bool shown);
    void DeliverCompletions();

private:
    void Done(std::vector<std::wstring> folders, ULONGLONG started);

    const TTimings& FTimings;
    std::function<void()> FChanged;
    TBackgroundWork MReads;
    std::vector<std::wstring> MFolders;
    bool FReading = false;
    ULONGLONG MLastStart = 0;
    // The shell's list of its windows answered "not implemented" once: only the windows are read.
    bool FShellListImplemented = true;
};

}  // namespace kestro
