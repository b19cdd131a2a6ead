#pragma once
// BrowseDialogApp.exe, the fixture that opens the shell's folder-browse dialog in a process of
// its own, driven and read from the test.
#include <windows.h>

#include <string>

#include "tests/support/Process.h"

namespace kestro::test {

std::wstring BrowseDialogAppExe();

// A folder "C:\\KestroTest-<name>" that the browse dialog can select, made if missing. Wine's dialog
// finds a folder in its tree by comparing the shell's item ids byte for byte, and these hold the
// folder's last access time, which the first listing of a new folder moves (relatime): the folder
// is listed once here, so that the dialog's listing and a later selection see the same time. Not
// under the prefix's temporary folder, which is a link out of drive C that the dialog cannot select.
std::wstring BrowseableFolder(const std::wstring& name);

class TBrowseDialogApp {
public:
    // Starts the fixture in `style` ("old" or "new") and waits until its dialog shows `folder`
    // selected and answers; fails the test when it does not come up.
    void Start(const std::wstring& style, const std::wstring& folder);

    TProcess& Process() { return FProcess; }
    HWND Dialog() const { return FDialog; }
    // "selected:<path>", "result:<path>" or "cancel".
    std::wstring Caption() const;

private:
    TProcess FProcess;
    HWND FState = nullptr;
    HWND FDialog = nullptr;
};

}  // namespace kestro::test
