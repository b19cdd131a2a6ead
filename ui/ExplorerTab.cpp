#include "ui/ExplorerTab.h"

#include <utility>

#include "ui/ExplorerFolders.h"

namespace kestro {

bool ExplorerReadDue(bool reading, ULONGLONG lastStart, ULONGLONG now, const TTimings& timings)
{
    return !reading && now - lastStart >= timings.ExplorerReadIntervalMs;
}

bool ExplorerReadStale(ULONGLONG started, ULONGLONG now, const TTimings& timings)
{
    return now - started > timings.ExplorerReadBoundMs;
}

TExplorerTab::TExplorerTab(HWND window, UINT doneMessage, const TTimings& timings, std::function<void()> changed)
    : FTimings(timings), FChanged(std::move(changed)), MReads(window, doneMessage, 1)
{
}

void TExplorerTab::Read()
{
    // One read at a time: a read stuck in a hung Explorer holds no second thread.
    if (FReading) return;
    FReading = true;
    MLastStart = ::GetTickCount64();
    MReads.Run(
        [shellList = FShellListImplemented]() mutable {
            std::vector<std::wstring> folders = ReadExplorerTabEntries(shellList);
            return std::make_pair(std::move(folders), shellList);
        },
        [this, started = MLastStart](std::pair<std::vector<std::wstring>, bool> read) {
            FShellListImplemented = read.second;
            Done(std::move(read.first), started);
        });
}

void TExplorerTab::TimerTimer(bool shown)
{
    if (shown && ExplorerReadDue(FReading, MLastStart, ::GetTickCount64(), FTimings)) Read();
}

void TExplorerTab::DeliverCompletions()
{
    MReads.DeliverCompletions();
}

void TExplorerTab::Done(std::vector<std::wstring> folders, ULONGLONG started)
{
    FReading = false;
    // A read that came back too late was given up: the tab keeps what it showed.
    if (ExplorerReadStale(started, ::GetTickCount64(), FTimings) || folders == MFolders) return;
    MFolders = std::move(folders);
    FChanged();
}

}  // namespace kestro
