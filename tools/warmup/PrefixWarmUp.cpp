// PrefixWarmUp.exe: the first GUI program of a run, while the scripts prepare the Wine prefix.
// It brings up the desktop and the system's services, and in a new prefix it pays for the slow
// first GUI start (the font scan, the large CJK fonts among them, and the first load of the
// common controls and the shell's file dialog), which on a slow machine overruns the time a
// test or the tour gives a program to come up. It shows a message box with Japanese text and a
// real save dialog, closes both itself and exits with 0.
#include <windows.h>
#include <commctrl.h>
#include <commdlg.h>

namespace {

constexpr wchar_t kTitle[] = L"Kestro warm-up";
constexpr UINT kCloseDelayMs = 200;

void CALLBACK CloseMessageBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    ::KillTimer(nullptr, timer);
    if (HWND box = ::FindWindowW(L"#32770", kTitle)) ::PostMessageW(box, WM_COMMAND, IDOK, 0);
}

// Cancels the dialog as soon as it has shown its first folder.
UINT_PTR CALLBACK CancelWhenShown(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_NOTIFY && reinterpret_cast<const NMHDR*>(lParam)->code == CDN_INITDONE)
        ::PostMessageW(::GetParent(child), WM_COMMAND, IDCANCEL, 0);
    return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_BAR_CLASSES | ICC_TAB_CLASSES};
    ::InitCommonControlsEx(&controls);

    ::SetTimer(nullptr, 0, kCloseDelayMs, CloseMessageBox);
    ::MessageBoxW(nullptr, L"お気に入り・履歴・フォルダの指定", kTitle, MB_OK);

    wchar_t file[MAX_PATH] = L"warm-up.txt";
    OPENFILENAMEW dialog = {};
    dialog.lStructSize = sizeof dialog;
    dialog.lpstrFile = file;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrInitialDir = L"C:\\";
    dialog.lpfnHook = CancelWhenShown;
    dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK;
    ::GetSaveFileNameW(&dialog);
    return 0;
}
