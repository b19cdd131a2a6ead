#include <windows.h>
#include <algorithm>
#include <utility>

#include "ui/ControlIds.h"
#include "ui/ExplorerFolders.h"
#include "ui/MainForm.h"

namespace kestro {

void TMainForm::ReadExplorerFolders()
{
    // One read at a time: a read stuck in a hung Explorer holds no second thread.
    if (FExplorerReading) return;
    FExplorerReading = true;
    MExplorerReadLast = ::GetTickCount64();
    MExplorerReads->Run(
        [shellList = FShellListImplemented]() mutable {
            std::vector<std::wstring> folders = ReadExplorerTabEntries(shellList);
            return std::make_pair(std::move(folders), shellList);
        },
        [this, started = MExplorerReadLast](const std::pair<std::vector<std::wstring>, bool>& read) {
            FShellListImplemented = read.second;
            ExplorerFoldersRead(read.first, started);
        });
}

void TMainForm::ExplorerFoldersRead(const std::vector<std::wstring>& folders, ULONGLONG started)
{
    FExplorerReading = false;
    // A read that came back too late was given up: the tab keeps what it showed.
    if (::GetTickCount64() - started > kExplorerReadBoundMs || folders == MExplorerFolders) return;
    MExplorerFolders = folders;
    if (TabIndex() != kExplorerTab) return;
    // Nothing moves under the user's pointer: the selection stays on its folder.
    const std::wstring selected = SelectedEntry();
    FillListBox(MExplorerFolders);
    if (selected.empty()) return;
    const auto kept = std::find(MExplorerFolders.begin(), MExplorerFolders.end(), selected);
    if (kept != MExplorerFolders.end())
        ::SendMessageW(ListBox, LB_SETCURSEL, static_cast<WPARAM>(kept - MExplorerFolders.begin()), 0);
}

void TMainForm::ExplorerTabTimer()
{
    if (Visible() && TabIndex() == kExplorerTab && ::GetTickCount64() - MExplorerReadLast >= kExplorerReadIntervalMs)
        ReadExplorerFolders();
}

}  // namespace kestro
