#pragma once
// The tab of the folders open in Explorer: read off the window's thread while the tab is shown,
// at most once a second, one read at a time; a read stuck in a hung Explorer is given up.
#include <windows.h>

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "winutil/BackgroundWork.h"
#include "winutil/Timers.h"
#include "winutil/Timings.h"

namespace kestro {

// Whether the tab, shown now, is read again: no read is under way and the last one started at
// least an interval ago. Times are tick counts in milliseconds.
bool ExplorerReadDue(bool reading, ULONGLONG lastStart, ULONGLONG now, const TTimings& timings);
// Whether a read that started at `started` and ends at `now` came too late to be shown.
bool ExplorerReadStale(ULONGLONG started, ULONGLONG now, const TTimings& timings);

class TExplorerTab {
public:
    // Reads the folders of the Explorer windows (ReadExplorerTabEntries, or a stand-in in tests),
    // told whether the shell's window list is worth asking, and says whether it still is.
    using TReader = std::function<std::vector<std::wstring>(bool& shellList)>;

    // `doneMessage` is posted to `window` when a read ends; its handler calls DeliverCompletions.
    TExplorerTab(HWND window, UINT doneMessage, const TTimings& timings, TReader reader, TClock now);

    const std::vector<std::wstring>& Folders() const { return FFolders; }
    // Whether the folders differ from those last shown, once: the window shows them anew.
    bool TakeFoldersChanged() { return std::exchange(FChanged, false); }
    // Reads the folders now, unless a read is under way.
    void Read();
    // The follow loop's tick: reads again when the tab is shown and a read is due.
    void Tick(bool shown);
    void DeliverCompletions();

private:
    void Done(std::vector<std::wstring> folders, ULONGLONG started);

    const TTimings& FTimings;
    const TReader FReader;
    const TClock FNow;
    TBackgroundWork FReads;
    std::vector<std::wstring> FFolders;
    bool FReading = false;
    bool FChanged = false;
    ULONGLONG FLastStart = 0;
    // The shell's list of its windows answered "not implemented" once: only the windows are read.
    bool FShellListImplemented = true;
};

}  // namespace kestro
