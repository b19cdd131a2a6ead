#pragma once
// Kestro.exe as a separate process, driven and read from outside as a user would see it.
#include <windows.h>

#include <string>
#include <vector>

#include "tests/support/Process.h"
#include "winutil/Timings.h"

namespace kestro::test {

std::wstring KestroExe();

// The bounds of the Kestro.exe that the window and end-to-end tests start.
constexpr TTimings KestroTimings()
{
    return TimingsNamed(L"quick");
}

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
    // Starts and waits (up to `timeoutMs`) until Kestro is ready in standby mode (see
    // WaitReady); fails the test when it does not get there. A welcome or error box at start
    // must be handled by the caller: use Start, handle the box, then WaitReady.
    void StartReady(DWORD timeoutMs = 15000, const std::wstring& exe = KestroExe());
    // Kestro is ready: its window exists and its creation has run to its end in standby mode
    // (the tool bar exists and is hidden, which FormCreate does last), and its thread answers
    // from its message loop (a sent message is only answered where the thread looks at its
    // queue, which after the tool bar is hidden is the message loop). The window alone is
    // findable from WM_NCCREATE on, long before the lists and the saved size are read.
    bool WaitReady(DWORD timeoutMs = 15000);
    // Whether Kestro's window thread answers a sent message within `timeoutMs`: it is in a
    // message loop (its own or a modal box's), not in the middle of a handler.
    bool Answers(DWORD timeoutMs = 2000) const;
    HWND WaitForMainWindow(DWORD timeoutMs = 15000);

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
    // A window whose tool bar does not exist yet is in no mode: it counts as in edit mode.
    bool EditMode() const;
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
