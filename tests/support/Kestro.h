#pragma once
// Kestro.exe as a separate process, driven and read from outside as a user would see it.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/Process.h"

namespace kestro::test {

std::wstring KestroExe();

// Command identifiers of the tool bar buttons, as the program gives them.
enum TToolButton : int { tbAdd = 101, tbDel = 102, tbUp = 103, tbDown = 104, tbHide = 105 };

class TKestro {
public:
    TKestro() = default;
    TKestro(const TKestro&) = delete;
    TKestro& operator=(const TKestro&) = delete;
    ~TKestro();

    // Ends any left-over instance, then starts `exe` (the build's Kestro.exe unless given); no
    // waiting.
    void Start(const std::wstring& exe = KestroExe());
    // Starts and waits (up to `timeoutMs`) for the hidden main window in standby mode (the
    // welcome box, if one comes, must be handled by the caller first: use Start and
    // WaitForMainWindow then).
    void StartReady(DWORD timeoutMs = 10000, const std::wstring& exe = KestroExe());
    HWND WaitForMainWindow(DWORD timeoutMs = 10000);

    TProcess& Process() { return FProcess; }
    HWND Main() const { return FMain; }
    HWND App() const { return ::GetWindow(FMain, GW_OWNER); }
    HWND Child(const std::wstring& className) const;
    HWND ListBox() const { return Child(L"ListBox"); }
    HWND ToolBar() const;
    HWND Tab() const;
    HWND StatusBar() const;

    bool Visible() const { return ::IsWindowVisible(FMain) != FALSE; }
    // The tool bar's own visibility flag, which tells the mode also while the window is hidden.
    bool EditMode() const { return (::GetWindowLongPtrW(ToolBar(), GWL_STYLE) & WS_VISIBLE) != 0; }
    std::wstring Caption() const;
    std::vector<std::wstring> ListItems() const;
    int ListSelection() const;
    int TabIndex() const;
    std::wstring StatusText() const;
    bool ButtonShown(int command) const;

    // The centre of list entry `index`, in screen pixels.
    POINT ListItemPoint(int index) const;
    // The rectangle of tab `index`, in screen pixels.
    RECT TabItemRect(int index) const;
    // The centre of the tool bar button `command`, in screen pixels.
    POINT ButtonPoint(int command) const;
    // The centre of tab `index`, in screen pixels.
    POINT TabPoint(int index) const;
    // A point on the caption bar, left of the close box.
    POINT CaptionPoint() const;

    // A second start: runs the same Kestro.exe again and waits for it to end; returns its exit
    // code.
    DWORD RelayShow(const std::wstring& arguments = L"");
    // Asks the window to close (as its close box does) and waits for the process to end.
    bool Close(DWORD timeoutMs = 10000);

private:
    std::wstring FExe;
    TProcess FProcess;
    HWND FMain = nullptr;
};

}  // namespace kestro::test
