#pragma once
// The folder jump: a click on a folder is checked first (a missing folder typed into a Save dialog
// would become the file's name), then typed into the followed dialog on a worker thread, one jump
// at a time and under one bound, while the follower waits.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "ui/DialogWork.h"
#include "ui/FolderChecks.h"
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
    bool EditMode = false;
    // The jump's dialog, the one followed now, and the window in front.
    HWND Dialog = nullptr;
    HWND Followed = nullptr;
    HWND Front = nullptr;
    // Kestro's own tool window, which the click brought to the front.
    HWND Own = nullptr;
    bool DialogTakesInput = false;
};

// The user has moved on when Kestro went to edit mode, the dialog closed or changed, it takes no
// input (a box of its own disables it, or a jump still types into it) or another program has the
// front; another entry picked since counts as another jump.
bool JumpGoesAhead(const TJumpMoment& moment);

class TJumpRunner {
public:
    // `doneMessage` is posted to `window` when work on the dialog ends; its handler calls
    // DeliverCompletions. `boundTimerId` is a timer of `window` whose tick goes to BoundReached.
    // `editMode` and `target` tell what the window and the follower are at when a check answers.
    TJumpRunner(HWND window, UINT doneMessage, UINT_PTR boundTimerId, TFolderChecks& checks, const TTimings& timings,
                std::function<bool()> editMode, std::function<TJumpTarget()> target);

    // Whether a worker types into the dialog: the follower waits meanwhile.
    bool Working() const { return MDialogWork.Busy(); }
    // Whether the followed dialog takes a jump now.
    bool DialogTakesInput(const TJumpTarget& target) const;
    // Checks `folder` and, when the user still wants it then, sends it into the target's dialog.
    void Jump(const std::wstring& folder);
    // Puts `name` into the target's box.
    void PutName(const std::wstring& name);
    void DeliverCompletions();
    void BoundReached();

private:
    void Run(std::function<void(ULONGLONG deadline)> work);

    HWND FWindow;
    TFolderChecks& FChecks;
    const TTimings& FTimings;
    std::function<bool()> FEditMode;
    std::function<TJumpTarget()> FTarget;
    TDialogWork MDialogWork;
    // Counts the jumps asked for: one still waiting for its check is dropped by a newer one.
    unsigned MJumpNumber = 0;
};

}  // namespace kestro
