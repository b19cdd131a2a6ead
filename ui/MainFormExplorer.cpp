#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <utility>

#include "ui/ControlIds.h"
#include "ui/ExplorerFolders.h"
#include "ui/MainForm.h"
#include "winutil/PathChecks.h"
#include "winutil/ShellWindows.h"

namespace kestro {

void TMainForm::ReadExplorerFolders()
{
    // One read at a time: a read stuck in a hung Explorer holds no second thread.
    if (MExplorerReadStarted) return;
    MExplorerReadStarted = MExplorerReadLast = ::GetTickCount64();
    MExplorerReads->Run(
        [shellList = FShellListImplemented]() mutable {
            // Explorer's objects are reached through an apartment of this thread's own.
            const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
            std::vector<std::wstring> folders =
                ExplorerTabEntries(ReadExplorerViews(shellList), TopLevelWindowsInZOrder(), FolderReachable);
            if (SUCCEEDED(com)) ::CoUninitialize();
            return std::make_pair(std::move(folders), shellList);
        },
        [this, started = MExplorerReadStarted](const std::pair<std::vector<std::wstring>, bool>& read) {
            FShellListImplemented = read.second;
            ExplorerFoldersRead(read.first, started);
        });
}

void TMainForm::ExplorerFoldersRead(const std::vector<std::wstring>& folders, ULONGLONG started)
{
    MExplorerReadStarted = 0;
    // A read that came back too late was given up: the tab keeps what it showed.
    if (::GetTickCount64() - started > kExplorerReadBoundMs || folders == MExplorerFolders) return;
    MExplorerFolders = folders;
    if (TabIndex() != kExplorerTab) return;
    // Nothing moves under the user's pointer: the selection stays on its folder.
    const std::wstring selected = SelectedEntry();
    FillListBox(MExplorerFolders);
    FitListExtent(ListBox);
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
