#include "tests/support/Isolation.h"

#include <windows.h>

#include "tests/support/Process.h"
#include "tests/support/Windows.h"
#include "winutil/Handles.h"

namespace kestro::test {

namespace {
// The executables the tests start.
constexpr const wchar_t* kTestPrograms[] = {
    L"Kestro.exe",          L"FileDialogApp.exe", L"ItemDialogFixture.exe",
    L"BrowseDialogApp.exe", L"notepad.exe",       L"wordpad.exe",
};

// Explorer's folder windows of other processes: a double-click in edit mode opens one, and the
// Explorer tab would list it in a later test. They are asked to close; Explorer's processes are
// never ended, as one of them holds the desktop of the whole run.
std::vector<HWND> FolderWindows()
{
    std::vector<HWND> found;
    ::EnumWindows(
        [](HWND wnd, LPARAM param) -> BOOL {
            DWORD pid = 0;
            ::GetWindowThreadProcessId(wnd, &pid);
            if (pid == ::GetCurrentProcessId()) return TRUE;
            wchar_t name[64] = {};
            ::GetClassNameW(wnd, name, 64);
            auto* found = reinterpret_cast<std::vector<HWND>*>(param);
            for (const wchar_t* folderClass : {L"ExplorerWClass", L"CabinetWClass", L"ExploreWClass", L"WINE_EXPLORER"})
                if (_wcsicmp(name, folderClass) == 0) found->push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}
}  // namespace

std::vector<std::wstring> EndTestPrograms()
{
    std::vector<std::wstring> ended;
    for (const wchar_t* name : kTestPrograms)
        if (KillProcessesNamed(name) > 0) ended.push_back(name);
    const std::vector<HWND> folders = FolderWindows();
    if (!folders.empty()) {
        for (HWND wnd : folders) ::PostMessageW(wnd, WM_CLOSE, 0, 0);
        WaitFor([] { return FolderWindows().empty(); }, 5000);
        ended.push_back(L"Explorer folder windows");
    }
    return ended;
}

}  // namespace kestro::test
