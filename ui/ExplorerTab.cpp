#include "ui/ExplorerTab.h"

#include <utility>

namespace kestro {

bool ExplorerReadDue(bool reading, ULONGLONG lastStart, ULONGLONG now, const TTimings& timings)
{
    return !reading && now - lastStart >= timings.ExplorerReadIntervalMs;
}

bool ExplorerReadStale(ULONGLONG started, ULONGLONG now, const TTimings& timings)
{
    return now - started > timings.ExplorerReadBoundMs;
}

TExplorerTab::TExplorerTab(HWND window, UINT doneMessage, const TTimings& timings, TReader reader, TClock now)
    : FTimings(timings),
      FReader(std::move(reader)),
      FNow(std::move(now)),
      FReads(window, doneMessage, 1, timings.WorkerLingerMs)
{
}

void TExplorerTab::Read()
{
    // One read at a time: a read stuck in a hung Explorer holds no second thread.
    if (FReading) return;
    FReading = true;
    FLastStart = FNow();
    FReads.Run(
        [reader = FReader, shellList = FShellListImplemented]() mutable {
            std::vector<std::wstring> folders = reader(shellList);
            return std::make_pair(std::move(folders), shellList);
        },
        [this, started = FLastStart](std::pair<std::vector<std::wstring>, bool> read) {
            FShellListImplemented = read.second;
            Done(std::move(read.first), started);
        });
}

void TExplorerTab::Tick(bool shown)
{
    if (shown && ExplorerReadDue(FReading, FLastStart, FNow(), FTimings)) Read();
}

void TExplorerTab::DeliverCompletions()
{
    FReads.DeliverCompletions();
}

void TExplorerTab::Done(std::vector<std::wstring> folders, ULONGLONG started)
{
    FReading = false;
    // A read that came back too late was given up: the tab keeps what it showed.
    if (ExplorerReadStale(started, FNow(), FTimings) || folders == FFolders) return;
    FFolders = std::move(folders);
    FChanged = true;
}

}  // namespace kestro
