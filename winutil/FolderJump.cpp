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

// Windows activates another program's dialog asynchronously: the dialog is in front only once its
// own thread has handled the activation, which gives the focus back to the control that had it
// when the dialog lost the front (after a click in the file list, the list). So the box gets the
// focus from the dialog's own thread, once the dialog is active, and again whenever the dialog took
// it back. With `forEnter` no modifier key may be down either, or the Enter would be a shortcut.
bool WaitForBox(HWND dialog, HWND box, bool forEnter, ULONGLONG deadline, const TTimings& timings)
{
    const DWORD thread = ::GetWindowThreadProcessId(dialog, nullptr);
    const ULONGLONG end = ::GetTickCount64() + timings.JumpFocusBoundMs;
    HWND askedWhile = nullptr;
    bool asked = false;
    for (;;) {
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        const bool active =
            ::GetForegroundWindow() == dialog && ::GetGUIThreadInfo(thread, &info) && info.hwndActive == dialog;
        if (active && info.hwndFocus == box && !(forEnter && ModifierDown())) return true;
        if (active && info.hwndFocus != box && (!asked || info.hwndFocus != askedWhile)) {
            asked = FocusForeignControl(box, timings.JumpSendTimeoutMs);
            askedWhile = info.hwndFocus;
        }
        if (::GetTickCount64() >= end || !Before(deadline)) return false;
        ::Sleep(timings.JumpPollMs);
    }
}

bool BringForward(HWND dialog, HWND box, ULONGLONG deadline, const TTimings& timings)
{
    // Bringing the dialog forward waits for its thread without a limit, so it must answer first.
    if (!ForeignWindowAnswers(dialog, timings.JumpSendTimeoutMs)) return false;
    ForceForeground(dialog);
    return WaitForBox(dialog, box, false, deadline, timings);
}

std::optional<std::wstring> ShownFolder(HWND bar, const TTimings& timings)
{
    const std::optional<std::wstring> text = QueryForeignText(bar, timings.ReadTimeoutMs);
    if (!text) return std::nullopt;
    return FolderFromBreadcrumbText(*text);
}

TJumpReading ReadJump(const TFolderJump& jump, HWND bar)
{
    TJumpReading reading;
    reading.DialogGone = !::IsWindow(jump.Dialog);
    if (reading.DialogGone) return reading;
    reading.Box = QueryForeignText(jump.Box, jump.Timings.ReadTimeoutMs);
    reading.HasBar = bar != nullptr;
    if (bar) reading.Shown = ShownFolder(bar, jump.Timings);
    return reading;
}

TJumpProgress WaitForMove(const TFolderJump& jump, HWND bar, const std::optional<std::wstring>& shownBefore)
{
    const ULONGLONG entered = ::GetTickCount64();
    for (;;) {
        const DWORD since = static_cast<DWORD>(::GetTickCount64() - entered);
        const TJumpProgress progress =
            JumpProgress(shownBefore, ReadJump(jump, bar), jump.Folder, since, jump.Timings.JumpNoMoveBoundMs);
        if (progress != TJumpProgress::Waiting || since >= jump.Timings.JumpTakeBoundMs || !Before(jump.Deadline))
            return progress;
        ::Sleep(jump.Timings.JumpPollMs);
    }
}

// Puts the name back unless the user has typed into the box meanwhile.
void PutNameBack(const TFolderJump& jump, const std::wstring& name)
{
    if (name.empty() || !Before(jump.Deadline)) return;
    // A dialog still busy with the move is waited for: its box is emptied at the end of it.
    const std::optional<std::wstring> text = QueryForeignText(jump.Box, jump.Timings.JumpSendTimeoutMs);
    if (text && NameGoesBack(*text, jump.Folder, name)) SetBoxText(jump.Box, name, jump.Timings);
}
}  // namespace

TJumpProgress JumpProgress(const std::optional<std::wstring>& shownBefore, const TJumpReading& now,
                           std::wstring_view folder, DWORD sinceEnterMs, DWORD noMoveMs)
{
    if (now.DialogGone) return TJumpProgress::Moved;
    if (now.Box && *now.Box != folder) return TJumpProgress::Moved;
    // A dialog that keeps the folder in its box after the move shows the move in its address bar;
    // one that showed the folder before the Enter has not necessarily taken the Enter yet.
    if (now.Shown && now.Shown != shownBefore && SameFolder(*now.Shown, folder)) return TJumpProgress::Moved;
    // Only what the dialog answered counts as unchanged: a dialog busy with the move answers nothing.
    const bool unchanged = now.Box && (!now.HasBar || (now.Shown && now.Shown == shownBefore));
    return unchanged && sinceEnterMs >= noMoveMs ? TJumpProgress::NotMoved : TJumpProgress::Waiting;
}

bool NameGoesBack(std::wstring_view box, std::wstring_view folder, std::wstring_view name)
{
    return box != name && (box.empty() || box == folder);
}

void SendFolderToDialog(const TFolderJump& jump)
{
    const TTimings& timings = jump.Timings;
    // Under a program run as administrator the texts and keys would be refused one by one; the
    // dialog is better left as it was.
    if (!InputReaches(jump.Dialog) || !BringForward(jump.Dialog, jump.Box, jump.Deadline, timings)) return;
    // The name as the user has it now, typed since the last tick or committed by an input method
    // when the dialog lost the front: that is the name that goes back.
    const std::optional<std::wstring> name = QueryForeignText(jump.Box, timings.JumpSendTimeoutMs);
    if (!name || !Before(jump.Deadline)) return;
    const HWND bar = FindBreadcrumbBar(jump.Dialog);
    const std::optional<std::wstring> shownBefore = bar ? ShownFolder(bar, timings) : std::nullopt;
    // Without the folder in the box the Enter would accept the user's file name in the folder
    // the dialog shows; a dialog that stops answering here gets no Enter, only its name back.
    if (!SendToForeign(jump.Box, WM_CLEAR, 0, 0, timings.JumpSendTimeoutMs) ||
        !SetBoxText(jump.Box, jump.Folder, timings)) {
        // Queued behind the send that timed out, so it lands after whatever that one does.
        if (!name->empty()) SetBoxText(jump.Box, *name, timings);
        return;
    }
    if (!WaitForBox(jump.Dialog, jump.Box, true, jump.Deadline, timings)) {
        PutNameBack(jump, *name);
        return;
    }
    ::keybd_event(VK_RETURN, 0, 0, 0);
    ::keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
    // The name must not go into the box before the dialog has moved: the move empties the box.
    const TJumpProgress progress = WaitForMove(jump, bar, shownBefore);
    PutNameBack(jump, *name);
    if (progress == TJumpProgress::NotMoved) return;
    ::Sleep(timings.JumpRecheckMs);
    PutNameBack(jump, *name);
}

void PutNameIntoDialog(HWND dialog, HWND box, const std::wstring& name, const TTimings& timings)
{
    if (BringForward(dialog, box, ::GetTickCount64() + timings.JumpBoundMs, timings)) SetBoxText(box, name, timings);
}

}  // namespace kestro
