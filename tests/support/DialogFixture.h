#pragma once
// FileDialogApp.exe, the fixture that opens a real open/save dialog in a process of its own,
// driven and read from the test.
#include <windows.h>

#include <string>

#include "tests/support/Process.h"

namespace kestro::test {

std::wstring FileDialogAppExe();

class TFileDialogApp {
public:
    // Starts the fixture ("open" or "save"), or a copy of it at `exe`, and waits until its
    // dialog shows a folder; fails the test when it does not come up.
    void Start(const std::wstring& mode, const std::wstring& folder, const std::wstring& fileName,
               const std::wstring& exe = FileDialogAppExe());

    TProcess& Process() { return FProcess; }
    // The hidden window whose caption reports "folder:...", "result:..." or "cancel".
    HWND State() const { return FState; }
    HWND Dialog() const { return FDialog; }
    DWORD DialogThread() const { return ::GetWindowThreadProcessId(FDialog, nullptr); }
    std::wstring Caption() const;
    // The file-name box: ComboBoxEx32 1148 > ComboBox > Edit.
    HWND FileNameBox() const;

private:
    TProcess FProcess;
    HWND FState = nullptr;
    HWND FDialog = nullptr;
};

}  // namespace kestro::test
