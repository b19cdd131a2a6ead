#include "winutil/FolderJump.h"

#include <algorithm>
#include <cwchar>

#include "winutil/FileDialog.h"
#include "winutil/Foreground.h"
#include "winutil/ForeignWindow.h"
#include "winutil/Handles.h"
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

DWORD MsSince(ULONGLONG tick)
{
    const ULONGLONG now = ::GetTickCount64();
    return now > tick ? static_cast<DWORD>(now - tick) : 0;
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

std::optional<std::wstring> ShownFolder(HWND bar, UINT timeoutMs)
{
    const std::optional<std::wstring> text = QueryForeignText(bar, timeoutMs);
    if (!text) return std::nullopt;
    return FolderFromBreadcrumbText(*text);
}

TJumpReading ReadJump(HWND dialog, HWND box, HWND bar, const TTimings& timings)
{
    TJumpReading reading;
    reading.DialogGone = !::IsWindow(dialog);
    if (reading.DialogGone) return reading;
    reading.Prompt = DialogShowsPrompt(dialog);
    reading.Box = QueryForeignText(box, timings.ReadTimeoutMs);
    reading.HasBar = bar != nullptr;
    if (bar && reading.Box) reading.Shown = ShownFolder(bar, timings.ReadTimeoutMs);
    return reading;
}

// The box's text read back in one message, when it is to be `expected`: up to one unit more than
// that arrives, enough to tell the two apart. Nothing when the box did not answer.
std::optional<std::wstring> ReadBack(HWND box, const std::wstring& expected, const TTimings& timings)
{
    std::wstring text(expected.size() + 2, L'\0');
    LRESULT copied = 0;
    if (!SendToForeign(box, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), timings.ReadTimeoutMs,
                       &copied))
        return std::nullopt;
    text.resize(std::min(static_cast<size_t>(copied > 0 ? copied : 0), text.size() - 1));
    text.resize(wcsnlen(text.c_str(), text.size()));
    return text;
}

// The selection of an edit box as EM_GETSEL gives it; MAXDWORD when the box did not answer.
DWORD SelectionOf(HWND box, const TTimings& timings)
{
    LRESULT selection = 0;
    return SendToForeign(box, EM_GETSEL, 0, 0, timings.ReadTimeoutMs, &selection) ? static_cast<DWORD>(selection)
                                                                                  : MAXDWORD;
}

// Posts a selection of the box's text to the box, one that differs from the selection it has,
// and gives it as EM_GETSEL will show it once the box has handled it. Posted messages are handled
// in the order they were posted, so by then every message posted to the dialog's thread before
// it has been handled too. The caret at the end of the text is the selection preferred: a key
// typed meanwhile then adds to the folder instead of replacing it.
DWORD PostDrainMarker(HWND box, size_t length, const TTimings& timings)
{
    const WORD end = static_cast<WORD>(length < 0xFFFF ? length : 0xFFFF);
    const DWORD atEnd = MAKELONG(end, end);
    const DWORD marker = SelectionOf(box, timings) == atEnd ? MAKELONG(0, end) : atEnd;
    ::PostMessageW(box, EM_SETSEL, LOWORD(marker), HIWORD(marker));
    return marker;
}

// Waits for what the dialog shows after the Enter. Wait when the jump was stopped or ran out of
// time first.
TNameStep WaitForMove(const TFolderJump& jump, const THeldName& held, HWND bar, const std::atomic<bool>& stop)
{
    const TTimings& timings = jump.Timings;
    ULONGLONG quietSince = ::GetTickCount64();
    for (;;) {
        const TJumpReading reading = ReadJump(jump.Dialog, jump.Box, bar, timings);
        const bool busy = DialogBusy(reading);
        if (busy) quietSince = ::GetTickCount64();
        const TNameStep step = NextNameStep(held, reading, MsSince(quietSince), timings.JumpNoMoveBoundMs);
        if (stop || !Before(jump.Deadline)) return TNameStep::Wait;
        if (step != TNameStep::Wait) return step;
        ::Sleep(busy ? timings.JumpBusyPollMs : timings.JumpPollMs);
    }
}

enum class TPutResult { Done, NoAnswer };

// Puts the name back unless the user has typed into the box meanwhile.
TPutResult PutNameBack(const THeldName& held, const TTimings& timings)
{
    const std::optional<std::wstring> text = QueryForeignText(held.Box, timings.JumpSendTimeoutMs);
    if (!text) return TPutResult::NoAnswer;
    if (!NameGoesBack(*text, held.Folder, held.Name)) return TPutResult::Done;
    return SetBoxText(held.Box, held.Name, timings) ? TPutResult::Done : TPutResult::NoAnswer;
}

void Press(HWND dialog, HWND okButton)
{
    if (okButton) {
        ::PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(okButton));
        return;
    }
    ::keybd_event(VK_RETURN, 0, 0, 0);
    ::keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
}
}  // namespace

TPressStep WaitToPress(const TFolderJump& jump, bool byCommand, const std::atomic<bool>& stop,
                       const std::function<bool()>& boxShown)
{
    const TTimings& timings = jump.Timings;
    const DWORD thread = ::GetWindowThreadProcessId(jump.Dialog, nullptr);
    const ULONGLONG typed = ::GetTickCount64();
    ULONGLONG asked = 0;
    bool everAsked = false;
    bool drainPosted = false;
    DWORD marker = 0;
    // Looks without a pause while the marker waits in the dialog's queue.
    constexpr int kQuickLooks = 8;
    int quickLooks = 0;
    for (;;) {
        if (stop || !Before(jump.Deadline)) return TPressStep::Wait;
        TPressLook look;
        look.DialogGone = !::IsWindow(jump.Dialog);
        GUITHREADINFO info = {};
        info.cbSize = sizeof info;
        look.InFront = ::GetForegroundWindow() == jump.Dialog && ::GetGUIThreadInfo(thread, &info) &&
                       info.hwndActive == jump.Dialog;
        look.BoxFocused = look.InFront && info.hwndFocus == jump.Box;
        if (!look.BoxFocused) drainPosted = false;
        // Before the Enter a box of the dialog's own is a modal one (a dialog shows no other then).
        look.Prompt = !::IsWindowEnabled(jump.Dialog);
        look.ModifierDown = !byCommand && ModifierDown();
        look.DrainPosted = drainPosted;
        look.Drained = drainPosted && SelectionOf(jump.Box, timings) == marker;
        look.SinceTypedMs = MsSince(typed);
        look.SinceAskedMs = everAsked ? MsSince(asked) : MAXDWORD;
        // Read back last, right before the press.
        look.Box = ReadBack(jump.Box, jump.Folder, timings);
        TPressStep step = NextPressStep(look, jump.Folder, timings);
        // A box that is only there while it has the focus is never asked for it again.
        if (boxShown && (step == TPressStep::AskFocus || (step == TPressStep::Press && !boxShown())))
            step = TPressStep::GiveUp;
        switch (step) {
        case TPressStep::AskFocus:
            FocusForeignControl(jump.Box);
            asked = ::GetTickCount64();
            everAsked = true;
            break;
        case TPressStep::Drain:
            marker = PostDrainMarker(jump.Box, jump.Folder.size(), timings);
            drainPosted = true;
            quickLooks = 0;
            // The next look's sends are answered only after the dialog's thread has come back to its
            // queue, where the marker waits: no pause needed for the first few.
            continue;
        case TPressStep::Wait:
            if (drainPosted && !look.Drained && look.Box && ++quickLooks < kQuickLooks) continue;
            break;
        default: return step;
        }
        ::Sleep(look.Box ? timings.JumpPollMs : timings.JumpBusyPollMs);
    }
}

bool DialogBusy(const TJumpReading& reading)
{
    return reading.Prompt || !reading.Box || (reading.HasBar && !reading.Shown);
}

bool SameAsAtClick(const TDialogLook& atClick, const TDialogLook& now)
{
    return atClick.Box && now.Box && *atClick.Box == *now.Box && atClick.Shown == now.Shown;
}

TNameStep NextNameStep(const THeldName& held, const TJumpReading& now, DWORD quietMs, DWORD noMoveMs)
{
    if (now.DialogGone || held.Name.empty()) return TNameStep::Release;
    // A dialog busy with the move answers nothing; one with a box of its own may move after it.
    if (DialogBusy(now)) return TNameStep::Wait;
    const std::wstring& box = *now.Box;
    // A dialog that keeps the folder in its box after the move shows the move in its address bar;
    // one that showed the folder before the Enter has not necessarily taken the Enter yet.
    const bool changed = now.Shown && now.Shown != held.ShownBefore;
    const bool moved = changed && SameFolder(*now.Shown, held.Folder);
    const bool elsewhere = changed && !moved;
    if (held.Stage == THeldStage::BackUnmoved) {
        if (box.empty() && moved) return TNameStep::PutBackMoved;
        return box == held.Name && !elsewhere ? TNameStep::Wait : TNameStep::Release;
    }
    // The move empties the box.
    if (box.empty()) return TNameStep::PutBackMoved;
    // The name is back, or the user typed another.
    if (box != held.Folder) return TNameStep::Release;
    if (moved) return TNameStep::PutBackMoved;
    if (elsewhere) return TNameStep::Wait;
    return quietMs >= noMoveMs ? TNameStep::PutBackUnmoved : TNameStep::Wait;
}

bool NameGoesBack(std::wstring_view box, std::wstring_view folder, std::wstring_view name)
{
    return box != name && (box.empty() || box == folder);
}

std::wstring NameToKeep(std::wstring_view box, const std::optional<THeldName>& earlier)
{
    if (earlier && !earlier->Name.empty() && (box.empty() || box == earlier->Folder)) return earlier->Name;
    return std::wstring(box);
}

TPressStep NextPressStep(const TPressLook& look, std::wstring_view folder, const TTimings& timings)
{
    if (look.DialogGone) return TPressStep::Stop;
    // A key, an input method or autocomplete changed the box: an Enter would take that for the name.
    if (look.Box && *look.Box != folder) return TPressStep::GiveUp;
    if (look.SinceTypedMs >= timings.JumpFocusBoundMs) return TPressStep::GiveUp;
    if (!look.Box || look.Prompt || !look.InFront) return TPressStep::Wait;
    if (!look.BoxFocused)
        return look.SinceAskedMs >= timings.JumpFocusRetryMs ? TPressStep::AskFocus : TPressStep::Wait;
    if (!look.Drained) return look.DrainPosted ? TPressStep::Wait : TPressStep::Drain;
    if (look.ModifierDown) return TPressStep::Wait;
    return TPressStep::Press;
}

void TNameHold::Hold(const THeldName& held)
{
    const TLockGuard guard(FLock);
    FHeld = held;
}

void TNameHold::SetStage(unsigned jump, THeldStage stage)
{
    const TLockGuard guard(FLock);
    if (FHeld && FHeld->Jump == jump) FHeld->Stage = stage;
}

void TNameHold::Release(unsigned jump)
{
    const TLockGuard guard(FLock);
    if (FHeld && FHeld->Jump == jump) FHeld.reset();
}

std::optional<THeldName> TNameHold::Get() const
{
    const TLockGuard guard(FLock);
    return FHeld;
}

TDialogLook LookAtDialog(HWND dialog, HWND box, UINT timeoutMs)
{
    TDialogLook look;
    look.Box = QueryForeignText(box, timeoutMs);
    if (const HWND bar = FindBreadcrumbBar(dialog)) look.Shown = ShownFolder(bar, timeoutMs);
    return look;
}

bool DialogShowsPrompt(HWND dialog)
{
    // A modal box disables its owner; a box that does not is still a dialog box the dialog owns.
    if (!::IsWindowEnabled(dialog)) return true;
    struct TSearch {
        HWND Dialog;
        bool Found;
    } search{dialog, false};
    ::EnumThreadWindows(
        ::GetWindowThreadProcessId(dialog, nullptr),
        [](HWND wnd, LPARAM parameter) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(parameter);
            if (wnd == s->Dialog || ::GetWindow(wnd, GW_OWNER) != s->Dialog || !::IsWindowVisible(wnd)) return TRUE;
            if (!IsDialogClass(wnd)) return TRUE;
            s->Found = true;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.Found;
}

HWND AcceptsByCommand(HWND dialog, UINT timeoutMs)
{
    if (!::FindWindowExW(dialog, nullptr, L"SHELLDLL_DefView", nullptr)) return nullptr;
    LRESULT defaultId = 0;
    if (!SendToForeign(dialog, DM_GETDEFID, 0, 0, timeoutMs, &defaultId)) return nullptr;
    if (HIWORD(defaultId) != DC_HASDEFID || LOWORD(defaultId) != IDOK) return nullptr;
    const HWND ok = ::GetDlgItem(dialog, IDOK);
    return ok && ::IsWindowEnabled(ok) && ::IsWindowVisible(ok) ? ok : nullptr;
}

void PutHeldNameBack(const THeldName& held, TNameStep step, TNameHold& hold, const std::atomic<bool>& stop,
                     const TTimings& timings)
{
    if (stop) return;
    // A dialog that does not answer keeps the name held, for the follower's next look.
    if (PutNameBack(held, timings) == TPutResult::NoAnswer) return;
    if (step == TNameStep::PutBackUnmoved && held.HasBar) {
        hold.SetStage(held.Jump, THeldStage::BackUnmoved);
        return;
    }
    if (step == TNameStep::PutBackMoved) {
        // A dialog may empty its box once more at the end of the move: the name goes back once more,
        // never a third time.
        ::Sleep(timings.JumpRecheckMs);
        if (!stop) PutNameBack(held, timings);
    }
    hold.Release(held.Jump);
}

void SendFolderToDialog(const TFolderJump& jump, TNameHold& hold, const std::atomic<bool>& stop)
{
    const TTimings& timings = jump.Timings;
    const auto acting = [&] { return !stop && Before(jump.Deadline); };
    // Under a program run as administrator the texts and keys would be refused one by one; the
    // dialog is better left as it was.
    if (!InputReaches(jump.Dialog)) return;
    // A check that answered late: the user may have gone on in the dialog since the click.
    if (jump.AtClick && !SameAsAtClick(*jump.AtClick, LookAtDialog(jump.Dialog, jump.Box, timings.ReadTimeoutMs)))
        return;
    // Bringing the dialog forward waits for its thread without a limit, so it must answer first.
    if (!acting() || !ForeignWindowAnswers(jump.Dialog, timings.JumpSendTimeoutMs)) return;
    ForceForeground(jump.Dialog);
    // The name as the user has it now, typed since the last tick or committed by an input method
    // when the dialog lost the front; over the folder of an earlier jump that was still waiting for
    // this dialog, the name that jump held.
    const std::optional<std::wstring> text = QueryForeignText(jump.Box, timings.JumpSendTimeoutMs);
    if (!text || !acting()) return;
    std::optional<THeldName> earlier = hold.Get();
    if (earlier && (earlier->Dialog != jump.Dialog || earlier->Box != jump.Box)) earlier.reset();
    const HWND bar = FindBreadcrumbBar(jump.Dialog);
    THeldName held;
    held.Jump = jump.Jump;
    held.Dialog = jump.Dialog;
    held.Box = jump.Box;
    held.Folder = jump.Folder;
    held.Name = NameToKeep(*text, earlier);
    held.HasBar = bar != nullptr;
    held.ShownBefore = bar ? ShownFolder(bar, timings.ReadTimeoutMs) : std::nullopt;
    const HWND okButton = AcceptsByCommand(jump.Dialog, timings.ReadTimeoutMs);
    if (!acting()) return;
    hold.Hold(held);
    // Without the folder in the box the Enter would accept the user's file name in the folder
    // the dialog shows; a dialog that stops answering here gets no Enter, only its name back.
    if (!SendToForeign(jump.Box, WM_CLEAR, 0, 0, timings.JumpSendTimeoutMs) ||
        !SetBoxText(jump.Box, jump.Folder, timings)) {
        // Queued behind the send that timed out, so it lands after whatever that one does.
        if (!held.Name.empty()) SetBoxText(jump.Box, held.Name, timings);
        hold.Release(held.Jump);
        return;
    }
    switch (WaitToPress(jump, okButton != nullptr, stop, nullptr)) {
    case TPressStep::Press: break;
    case TPressStep::Stop: hold.Release(held.Jump); return;
    case TPressStep::GiveUp:
        // Whatever took the folder's place in the box goes: the name the user had comes back.
        if (acting() && (held.Name.empty() || SetBoxText(jump.Box, held.Name, timings))) hold.Release(held.Jump);
        return;
    default:
        // Stopped by a newer jump, which takes the name over, or out of time: the name stays held.
        return;
    }
    Press(jump.Dialog, okButton);
    // The name must not go into the box before the dialog has moved: the move empties the box.
    const TNameStep step = WaitForMove(jump, held, bar, stop);
    if (step == TNameStep::Release) hold.Release(held.Jump);
    if (step == TNameStep::PutBackMoved || step == TNameStep::PutBackUnmoved)
        PutHeldNameBack(held, step, hold, stop, timings);
}

void PutNameIntoDialog(HWND dialog, HWND box, const std::wstring& name, const TTimings& timings)
{
    // Bringing the dialog forward waits for its thread without a limit, so it must answer first.
    if (!ForeignWindowAnswers(dialog, timings.JumpSendTimeoutMs)) return;
    ForceForeground(dialog);
    FocusForeignControl(box);
    SetBoxText(box, name, timings);
}

}  // namespace kestro
