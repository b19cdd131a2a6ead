#include "winutil/FolderJump.h"

#include "winutil/FileDialog.h"
#include "winutil/Foreground.h"
#include "winutil/ForeignWindow.h"
#include "winutil/Integrity.h"

namespace kestro {

namespace {
bool SameFolder(std::wstring_view a, std::wstring_view b)
{
    return ::CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

bool Before(ULONGLONG deadline)
{
    return ::GetTickCount64() < deadline;
}

// Bringing the dialog forward and focusing its box wait for its thread without a limit, so it
// must answer first.
bool FocusBox(HWND dialog, HWND box, const TTimings& timings)
{
    // The worker thread needs a message queue of its own to share another thread's input.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    if (!ForeignWindowAnswers(dialog, timings.JumpSendTimeoutMs)) return false;
    ForceForeground(dialog);
    FocusForeignControl(box);
    return true;
}

bool SetBoxText(HWND box, const std::wstring& text, const TTimings& timings)
{
    return SetForeignText(box, text, timings.JumpSendTimeoutMs);
}

bool ModifierDown()
{
    for (int key : {VK_SHIFT, VK_CONTROL, VK_MENU, VK_LWIN, VK_RWIN})
        if (::GetAsyncKeyState(key) & 0x8000) return true;
    return false;
}

// An Enter goes wherever the keyboard is: only to the dialog in front with its box focused, and
// never made into a shortcut by a key the user holds.
bool EnterReachesBox(HWND dialog, HWND box)
{
    if (::GetForegroundWindow() != dialog || ModifierDown()) return false;
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndFocus == box;
}

bool WaitUntilEnterReachesBox(const TFolderJump& jump)
{
    const ULONGLONG end = ::GetTickCount64() + jump.Timings.JumpFocusBoundMs;
    while (!EnterReachesBox(jump.Dialog, jump.Box)) {
        if (::GetTickCount64() >= end || !Before(jump.Deadline)) return false;
        ::Sleep(jump.Timings.JumpPollMs);
    }
    return true;
}

std::optional<std::wstring> ShownFolder(HWND dialog, const TTimings& timings)
{
    HWND bar = FindBreadcrumbBar(dialog);
    if (!bar) return std::nullopt;
    const std::optional<std::wstring> text = QueryForeignText(bar, timings.ReadTimeoutMs);
    if (!text) return std::nullopt;
    return FolderFromBreadcrumbText(*text);
}

TJumpReading ReadJump(const TFolderJump& jump)
{
    TJumpReading reading;
    reading.DialogGone = !::IsWindow(jump.Dialog);
    if (reading.DialogGone) return reading;
    reading.Box = QueryForeignText(jump.Box, jump.Timings.ReadTimeoutMs);
    reading.Shown = ShownFolder(jump.Dialog, jump.Timings);
    return reading;
}

void WaitUntilTaken(const TFolderJump& jump, const std::optional<std::wstring>& shownBefore)
{
    const ULONGLONG end = ::GetTickCount64() + jump.Timings.JumpTakeBoundMs;
    while (::GetTickCount64() < end && Before(jump.Deadline) &&
           !DialogTookFolder(shownBefore, ReadJump(jump), jump.Folder))
        ::Sleep(jump.Timings.JumpPollMs);
}

// Puts the name back unless the user has typed into the box meanwhile.
void PutNameBack(const TFolderJump& jump)
{
    if (jump.Name.empty() || !Before(jump.Deadline)) return;
    // A dialog still busy with the move is waited for: its box is emptied at the end of it.
    const std::optional<std::wstring> text = QueryForeignText(jump.Box, jump.Timings.JumpSendTimeoutMs);
    if (text && NameGoesBack(*text, jump.Folder, jump.Name)) SetBoxText(jump.Box, jump.Name, jump.Timings);
}
}  // namespace

bool DialogTookFolder(const std::optional<std::wstring>& shownBefore, const TJumpReading& now, std::wstring_view folder)
{
    if (now.DialogGone) return true;
    if (now.Box && *now.Box != folder) return true;
    // A dialog that keeps the folder in its box after the move shows the move in its address bar;
    // one that showed the folder before the Enter has not necessarily taken the Enter yet.
    return now.Shown && now.Shown != shownBefore && SameFolder(*now.Shown, folder);
}

bool NameGoesBack(std::wstring_view box, std::wstring_view folder, std::wstring_view name)
{
    return box != name && (box.empty() || box == folder);
}

void SendFolderToDialog(const TFolderJump& jump)
{
    // Under a program run as administrator the texts and keys would be refused one by one; the
    // dialog is better left as it was.
    if (!InputReaches(jump.Dialog) || !FocusBox(jump.Dialog, jump.Box, jump.Timings) || !Before(jump.Deadline)) return;
    const std::optional<std::wstring> shownBefore = ShownFolder(jump.Dialog, jump.Timings);
    // Without the folder in the box the Enter would accept the user's file name in the folder
    // the dialog shows; a dialog that stops answering here gets no Enter, only its name back.
    if (!SendToForeign(jump.Box, WM_CLEAR, 0, 0, jump.Timings.JumpSendTimeoutMs) ||
        !SetBoxText(jump.Box, jump.Folder, jump.Timings)) {
        // Queued behind the send that timed out, so it lands after whatever that one does.
        if (!jump.Name.empty()) SetBoxText(jump.Box, jump.Name, jump.Timings);
        return;
    }
    if (!WaitUntilEnterReachesBox(jump)) {
        PutNameBack(jump);
        return;
    }
    ::keybd_event(VK_RETURN, 0, 0, 0);
    ::keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
    // The name must not go into the box before the dialog has moved: the move empties the box.
    WaitUntilTaken(jump, shownBefore);
    PutNameBack(jump);
    ::Sleep(jump.Timings.JumpRecheckMs);
    PutNameBack(jump);
}

void PutNameIntoDialog(HWND dialog, HWND box, const std::wstring& name, const TTimings& timings)
{
    if (FocusBox(dialog, box, timings)) SetBoxText(box, name, timings);
}

}  // namespace kestro
