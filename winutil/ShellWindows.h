#pragma once
// The folders that the open Explorer windows show: read through the shell's list of its
// windows, or, where that list cannot be had, from the windows' own address bars. Every read
// may wait on Explorer without a limit, so it is made on a worker thread.
#include <windows.h>
#include <exdisp.h>

#include <string>
#include <vector>

namespace kestro {

// A folder an Explorer window (or one of its tabs) shows, with that window's top-level window.
struct TExplorerView {
    HWND Window = nullptr;
    std::wstring Folder;
};

// Walks the shell's list of its windows: for each item the current folder of its view and its
// top-level window; a location without a file-system path and an item whose view cannot be read
// are skipped. The error of get_Count or Item when the list itself cannot be walked.
HRESULT ReadShellWindows(IShellWindows& windows, std::vector<TExplorerView>& views);

// The top-level windows of class "CabinetWClass" that `named` does not hold, in Z-order, each
// read through the address bar as a dialog's is, with bounded sends.
std::vector<TExplorerView> ReadCabinetWindows(const std::vector<TExplorerView>& named);

// What the shell's list names, when it can be had and walked, and the Explorer windows it does not
// name, read themselves. For a thread with an apartment of its own. A list that answers E_NOTIMPL
// (Wine's, 8 and 10) will never be walked: `shellListImplemented` turns false, and while it is false only
// the windows are read, since creating the list alone takes longer than reading every window.
std::vector<TExplorerView> ReadExplorerViews(bool& shellListImplemented);

// The top-level windows, front first.
std::vector<HWND> TopLevelWindowsInZOrder();

}  // namespace kestro
