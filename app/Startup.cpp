#include "app/Startup.h"

#include <windows.h>
#include <commctrl.h>

#include "app/ApplicationWindow.h"
#include "app/Names.h"
#include "app/Relay.h"
#include "app/VisualStyle.h"
#include "ui/FormNames.h"
#include "ui/MainForm.h"
#include "ui/RelayRecord.h"
#include "winutil/DataFolder.h"
#include "winutil/Handles.h"
#include "winutil/Timings.h"

namespace kestro {

namespace {
// A second start hands over to the running instance: "/Show" to its main window.
void RelayToRunningInstance(HWND appWindow)
{
    HWND running = ::FindWindowW(kMainWindowClass, kApplicationTitle);
    if (!running) return;
    // This start is the program the user just ran, in front; it lets the running instance take
    // the front when it comes up, which Windows would otherwise refuse a program in the
    // background.
    DWORD runningProcess = 0;
    ::GetWindowThreadProcessId(running, &runningProcess);
    ::AllowSetForegroundWindow(runningProcess);
    std::vector<wchar_t> payload = BuildRelayPayload();
    COPYDATASTRUCT record = {};
    record.dwData = static_cast<ULONG_PTR>(static_cast<LONG_PTR>(CountArguments(::GetCommandLineW())));
    record.cbData = static_cast<DWORD>(payload.size() * sizeof(wchar_t));
    record.lpData = payload.data();
    ::SendMessageW(running, WM_COPYDATA, reinterpret_cast<WPARAM>(appWindow), reinterpret_cast<LPARAM>(&record));
}

// True when another instance runs: the mutex exists, even one this start may not open with full
// access (an instance run as administrator), or it cannot be created at all; two instances
// would overwrite each other's lists. Otherwise `own` holds the new mutex.
bool AnotherInstanceRuns(UniqueHandle& own)
{
    const UniqueHandle existing(::OpenMutexW(SYNCHRONIZE, FALSE, kInstanceMutexName));
    if (existing || ::GetLastError() != ERROR_FILE_NOT_FOUND) return true;
    own.reset(::CreateMutexW(nullptr, FALSE, kInstanceMutexName));
    return !own || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

TTimings TimingsFromEnvironment()
{
    wchar_t name[16] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"KESTRO_TIMINGS", name, 16);
    return TimingsNamed(length < 16 ? std::wstring_view(name, length) : std::wstring_view());
}

void RunMessageLoop(TMainForm& form)
{
    MSG msg;
    while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (form.PreviewMessage(msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}
}  // namespace

int RunKestro(HINSTANCE instance)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);
    HWND appWindow = CreateApplicationWindow(instance);

    if (!PrepareDataFolder(kDataFolderName, false)) return 0;

    UniqueHandle instanceMutex;
    if (AnotherInstanceRuns(instanceMutex)) {
        RelayToRunningInstance(appWindow);
        return 0;
    }

    SelectVisualStyle(kStyleName);
    TMainForm form(TimingsFromEnvironment());
    if (form.Create(instance, appWindow)) RunMessageLoop(form);
    ::ReleaseMutex(instanceMutex.get());
    return 0;
}

}  // namespace kestro
