#pragma once
// The folder jump: a click on a folder is checked first (a missing folder typed into a Save dialog
// would become the file's name), then typed into the followed dialog on a worker thread, one jump
// at a time and under one bound, while the follower waits.
#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/DialogWork.h"
#include "ui/FolderChecks.h"
#include "winutil/BackgroundWork.h"
#include "winutil/FolderJump.h"
#include "winutil/Timers.h"
#include "winutil/Timings.h"

namespace kestro {

// The dialog a jump works on, as the follower knows it.
struct TJumpTarget {
    HWND Dialog = nullptr;
    HWND Box = nullptr;
    bool FolderPicker = false;
};

// The moment a jump's folder check answers: whether the jump still goes ahead.
struct TJumpMoment {
    bool FolderThere = false;
    // No other entry was picked since this jump was asked for.
    bool Latest = false;
    // The jump's dialog, the one followed now, and the window in front.
    HWND Dialog = nullptr;
    HWND Followed = nullptr;
    HWND Front = nullptr;
    // Kestro's own tool window, which the click brought to the front.
    HWND Own = nullptr;
    bool DialogTakesInput = false;
    // The check answered later than JumpLateCheckMs after the click; the dialog's box and address
    // bar were read at the click (which the jump then compares with what they show).
    bool Late = false;
    bool AtClickKnown = false;
};

// The user has moved on when the dialog closed or changed (none is followed in edit mode), it
// takes no input (a box of its own disables it) or another program has the front; another entry
// picked since counts as another jump. A late answer goes ahead only where the dialog was read at the
// click, so that the jump can tell whether the user has typed in it since.
bool JumpGoesAhead(const TJumpMoment& moment);

class TJumpRunner {
public:
    // `doneMessage` is posted to `window` when work on the dialog ends; its handler calls
    // DeliverCompletions. `boundTimerId` is a timer of `timers` whose tick goes to BoundReached.
    TJumpRunner(HWND window, UINT doneMessage, ITimers& timers, UINT_PTR boundTimerId, TFolderChecks& checks,
                const TTimings& timings, TClock now);

    // The dialog the follower follows now, none while Kestro is in edit mode: a jump goes only
    // into the dialog still followed when its check answers.
    void SetFollowed(const TJumpTarget& followed) { FFollowed = followed; }
    // Whether a worker types into the dialog: the follower waits meanwhile.
    bool Working() const { return FDialogWork.Busy(); }
    // Whether the followed dialog takes a jump now. A jump still at work in it is ended by the
    // next one, which keeps the name it holds.
    bool DialogTakesInput(const TJumpTarget& target) const;
    // Checks `folder` and, when the user still wants it then, sends it into the followed dialog.
    void Jump(const std::wstring& folder);
    // Puts `name` into the followed dialog's box.
    void PutName(const std::wstring& name);
    // What the follower read from the dialog it follows (`look` empty when the dialog did not
    // answer): a name that a jump still holds for that dialog goes back once the dialog shows it
    // has moved (NextNameStep).
    void DialogRead(HWND dialog, bool hasBar, const TDialogLook& look);
    // Whether `text` in the box is a jump's folder standing in the place of the user's name.
    bool HoldsFolder(HWND dialog, const std::wstring& text) const;
    void DeliverCompletions();
    void BoundReached();

private:
    void Run(std::function<void(ULONGLONG deadline, const std::atomic<bool>& stop)> work);

    HWND FWindow;
    TFolderChecks& FChecks;
    const TTimings& FTimings;
    const TClock FNow;
    TJumpTarget FFollowed;
    TDialogWork FDialogWork;
    // Reads of the dialog at a click, for a check that answers late.
    TBackgroundWork FLooks;
    // Counts the jumps asked for: one still waiting for its check is dropped by a newer one.
    unsigned FJumpNumber = 0;
    // The dialog as read at the latest click.
    std::optional<TDialogLook> FAtClick;
    // The name a jump holds, shared with the workers, which may outlive this object.
    std::shared_ptr<TNameHold> FHold = std::make_shared<TNameHold>();
    // Set to stop the piece at work on the dialog.
    std::shared_ptr<std::atomic<bool>> FStop;
    // Since when the follower has seen the dialog of the held name answer without a box of its own.
    unsigned FQuietJump = 0;
    ULONGLONG FQuietSince = 0;
    ULONGLONG FLastRead = 0;
};

}  // namespace kestro
