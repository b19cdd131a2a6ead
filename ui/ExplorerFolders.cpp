#include "ui/ExplorerFolders.h"

#include <objbase.h>

#include <algorithm>

#include "lists/FolderList.h"
#include "winutil/PathChecks.h"

namespace kestro {

std::vector<std::wstring> ExplorerTabEntries(std::vector<TExplorerView> views, const std::vector<HWND>& zOrder,
                                             const std::function<bool(const std::wstring&)>& reachable)
{
    const auto depth = [&](HWND window) { return std::find(zOrder.begin(), zOrder.end(), window) - zOrder.begin(); };
    std::stable_sort(views.begin(), views.end(),
                     [&](const TExplorerView& a, const TExplorerView& b) { return depth(a.Window) < depth(b.Window); });
    std::vector<std::wstring> entries;
    for (const TExplorerView& view : views) {
        const bool listed = std::any_of(entries.begin(), entries.end(),
                                        [&](const std::wstring& entry) { return SameEntry(entry, view.Folder); });
        if (!listed && reachable(view.Folder)) entries.push_back(view.Folder);
    }
    return entries;
}

std::vector<std::wstring> ReadExplorerTabEntries(bool& shellListImplemented)
{
    const HRESULT com = ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    std::vector<std::wstring> entries =
        ExplorerTabEntries(ReadExplorerViews(shellListImplemented), TopLevelWindowsInZOrder(), FolderReachable);
    if (SUCCEEDED(com)) ::CoUninitialize();
    return entries;
}

}  // namespace kestro
