#pragma once
// The entries of the Explorer tab, from what the open Explorer windows show.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "winutil/ShellWindows.h"

namespace kestro {

// The folders of `views`, the window nearest the front in `zOrder` first (the views of one
// window in the order given), each folder once (entry equality as in the lists), and only those
// that `reachable` accepts.
std::vector<std::wstring> ExplorerTabEntries(std::vector<TExplorerView> views, const std::vector<HWND>& zOrder,
                                             const std::function<bool(const std::wstring&)>& reachable);

// One read of the tab's entries, in an apartment of the calling thread's own; see
// ReadExplorerViews for `shellListImplemented`. May wait on Explorer without a limit.
std::vector<std::wstring> ReadExplorerTabEntries(bool& shellListImplemented);

}  // namespace kestro
