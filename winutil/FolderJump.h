#pragma once
// Typing a folder into another program's file dialog, and putting the user's file name back.
// Each call waits on the dialog, as long as a busy dialog needs and never longer than its
// bounds, so it is made on a worker thread. What decides (whether to press, whether to wait,
// whether the name goes back) is a pure function over what was read from the dialog.
#include <windows.h>

#include <atomic>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "winutil/Timings.h"

namespace kestro {

// The dialog's box and address bar as read at one moment; nothing where they did not answer.
struct TDialogLook {
    std::optional<std::wstring> Box;
    std::optional<std::wstring> Shown;
};

// Whether a jump whose folder check answered late still goes ahead: the box and the address bar
// must show what they showed at the click, and both must have answered then and now.
bool SameAsAtClick(const TDialogLook& atClick, const TDialogLook& now);

// What the jump reads from the dialog while its folder stands in the box.
struct TJumpReading {
    bool DialogGone = false;
    // The name box's text; nothing when it did not answer.
    std::optional<std::wstring> Box;
    // Whether the dialog has an address bar, and the folder it shows; nothing when it did not answer.
    bool HasBar = false;
    std::optional<std::wstring> Shown;
    // The dialog shows a box of its own (it is disabled, or a dialog box it owns is shown): it is
    // in the middle of something, a prompt for a share's password, a "reconnecting" box.
    bool Prompt = false;
};

// Whether the dialog is in the middle of something: it did not answer, or shows a box of its own.
bool DialogBusy(const TJumpReading& reading);

// Where a name held by a jump stands.
enum class THeldStage {
    // The folder is in the box (typed, and perhaps Enter pressed); the name is not back.
    Typed,
    // The name is back after the dialog showed that the Enter did not move it; a dialog with an
    // address bar that moves after all empties the box, and the name goes back once more.
    BackUnmoved,
};

// The user's file name while a jump's folder stands in its place.
struct THeldName {
    unsigned Jump = 0;
    HWND Dialog = nullptr;
    HWND Box = nullptr;
    std::wstring Folder;
    std::wstring Name;
    bool HasBar = false;
    // What the address bar showed before the Enter; nothing when it did not answer or there is none.
    std::optional<std::wstring> ShownBefore;
    THeldStage Stage = THeldStage::Typed;
};

enum class TNameStep {
    // The dialog is busy, shows a box of its own, or has not shown yet what became of the Enter.
    Wait,
    // The dialog moved (its address bar shows the folder, or it emptied its box): the name goes back.
    PutBackMoved,
    // The dialog answered, showed no box of its own and stayed as it was for `noMoveMs`: the Enter
    // did not move it, and the name goes back at once.
    PutBackUnmoved,
    // Nothing more goes back: the dialog is gone, the user typed another name, the name is back.
    Release,
};

// Whether the held name goes back now, from what the dialog shows. `quietMs` is how long the
// dialog has answered every look without a box of its own. The jump asks it after its Enter, the
// follower after the jump's bound.
TNameStep NextNameStep(const THeldName& held, const TJumpReading& now, DWORD quietMs, DWORD noMoveMs);

// Whether `name` goes back into a box that holds `box` after the jump to `folder`: only over
// what the jump or the dialog left there (the folder, or nothing), never over what the user
// typed meanwhile.
bool NameGoesBack(std::wstring_view box, std::wstring_view folder, std::wstring_view name);

// The name that a jump keeps for the user, given the box's text now and the name that an earlier
// jump on the same box still holds: over that jump's folder, or a box emptied by its move, the
// held name; otherwise the text the user has in the box.
std::wstring NameToKeep(std::wstring_view box, const std::optional<THeldName>& earlier);

// What the jump sees just before its Enter.
struct TPressLook {
    bool DialogGone = false;
    // The box's text read back; nothing when it did not answer.
    std::optional<std::wstring> Box;
    bool Prompt = false;
    // The dialog is the foreground window and its own thread has made it active.
    bool InFront = false;
    // The dialog's thread has given the box the keyboard focus.
    bool BoxFocused = false;
    bool ModifierDown = false;
    // A marker posted to the dialog's thread while the box had the focus has been handled: every
    // message that was waiting before it, a focus change the dialog posted itself, a character of
    // an input method, has been handled too.
    bool DrainPosted = false;
    bool Drained = false;
    DWORD SinceTypedMs = 0;
    // Since the focus was last asked for the box; MAXDWORD when it was not.
    DWORD SinceAskedMs = MAXDWORD;
};

enum class TPressStep {
    // Enter (or the dialog's own OK) now: the box holds exactly the folder, focused, in front.
    Press,
    // Ask the dialog to give the box the focus (again: it may hand it to another control any time).
    AskFocus,
    // Post the marker and wait for it.
    Drain,
    Wait,
    // The box holds something else (a key, an input method, autocomplete), or the dialog did not
    // get ready in time: the name goes back and the jump stops.
    GiveUp,
    // The dialog is gone: nothing to do.
    Stop,
};

TPressStep NextPressStep(const TPressLook& look, std::wstring_view folder, const TTimings& timings);

struct TFolderJump {
    unsigned Jump = 0;
    HWND Dialog = nullptr;
    HWND Box = nullptr;
    std::wstring Folder;
    // The tick count past which the jump must not act any more.
    ULONGLONG Deadline = 0;
    TTimings Timings;
    // For a jump whose folder check answered late: the dialog as it was at the click, which it
    // must still be.
    std::optional<TDialogLook> AtClick;
};

// Waits until the jump's box reads back exactly the folder, has the focus, with the dialog in front
// and its thread's queue drained, asking the dialog for the focus again whenever another control
// has it; Press, GiveUp or Stop, or Wait when the jump was stopped or ran out of time. With
// `boxShown` (a box that shows only while it has the focus) the focus is never asked for: a box
// that lost it, or that `boxShown` says is hidden right before the Enter, ends the wait in GiveUp.
TPressStep WaitToPress(const TFolderJump& jump, bool byCommand, const std::atomic<bool>& stop,
                       const std::function<bool()>& boxShown);

// The name a jump holds, shared by the jump's worker and the window's thread.
class TNameHold {
public:
    TNameHold() = default;
    TNameHold(const TNameHold&) = delete;
    TNameHold& operator=(const TNameHold&) = delete;

    void Hold(const THeldName& held);
    // Changes the stage of, or releases, the name that jump `jump` holds; a newer jump's is left.
    void SetStage(unsigned jump, THeldStage stage);
    void Release(unsigned jump);
    std::optional<THeldName> Get() const;

private:
    mutable SRWLOCK FLock = SRWLOCK_INIT;
    std::optional<THeldName> FHeld;
};

// Reads the dialog's box and address bar, each within `timeoutMs`.
TDialogLook LookAtDialog(HWND dialog, HWND box, UINT timeoutMs);

// Brings the dialog forward; reads the name the user has in the box now (or takes over the name an
// earlier jump on the box still holds) and holds it; puts the folder in; once the box reads back
// exactly the folder, focused, with the dialog in front and its queue drained, presses Enter (or
// has the dialog's OK take the box, see AcceptsByCommand); then waits for what the dialog shows:
// once it has moved, or has shown that it will not, the name goes back. A dialog that is busy or
// shows a box of its own is waited for until the jump's deadline; the name is then still held,
// for the follower. Whenever `stop` is set (a newer jump) the jump acts no more. A dialog that
// this process may not type into is left as it was.
void SendFolderToDialog(const TFolderJump& jump, TNameHold& hold, const std::atomic<bool>& stop);

// Puts the held name back where NameGoesBack allows it, and once more a moment later after a move;
// then releases it, or keeps it as BackUnmoved after `step` PutBackUnmoved in a dialog with an
// address bar. A dialog that does not answer keeps it held as it was; with `stop` set nothing is done.
void PutHeldNameBack(const THeldName& held, TNameStep step, TNameHold& hold, const std::atomic<bool>& stop,
                     const TTimings& timings);

// Brings the dialog forward, focuses `box` and sets its text to `name`.
void PutNameIntoDialog(HWND dialog, HWND box, const std::wstring& name, const TTimings& timings);

// Whether the dialog shows a box of its own: it is disabled, or shows a dialog box that it owns.
bool DialogShowsPrompt(HWND dialog);

// The dialog's OK button when the dialog is the older Explorer-style one (a direct
// "SHELLDLL_DefView" child) whose default button is that OK button, enabled and shown: there the
// dialog manager turns an Enter in the name box into WM_COMMAND(IDOK, BN_CLICKED) from that
// button, which the jump then posts itself. 0 for the item dialog and anything else.
HWND AcceptsByCommand(HWND dialog, UINT timeoutMs);

}  // namespace kestro
