#pragma once
// The jump in another program's folder-browse dialog: a click on a folder selects it in the
// dialog's tree, checked first and sent on a worker thread as the file dialogs' jump is; nothing
// presses OK, so the dialog stays open until the user accepts the folder.
#include <windows.h>

#include <functional>
#include <string>

#include "ui/DialogWork.h"
#include "ui/FolderChecks.h"
#include "winutil/Timings.h"

namespace kestro {

class TBrowseJump {
public:
    // `doneMessage` is posted to `window` when the work on the dialog ends, and `boundTimerId` is
    // a timer of `timers`: their handlers call DeliverCompletions and BoundReached. `editMode`
    // and `followed` tell the window's mode and the dialog the follower follows.
    TBrowseJump(HWND window, UINT doneMessage, ITimers& timers, UINT_PTR boundTimerId, TFolderChecks& checks,
                const TTimings& timings, std::function<bool()> editMode, std::function<HWND()> followed);

    // Whether a worker is at work in the dialog: the follower waits meanwhile.
    bool Working() const { return MDialogWork.Busy(); }
    // Checks `folder` and, when the user still wants it then, selects it in the followed dialog.
    void Jump(const std::wstring& folder);
    void DeliverCompletions();
    void BoundReached();

private:
    bool DialogTakesInput(HWND dialog) const;

    HWND FWindow;
    TFolderChecks& FChecks;
    const TTimings& FTimings;
    std::function<bool()> FEditMode;
    std::function<HWND()> FFollowed;
    TDialogWork MDialogWork;
    // Counts the jumps asked for: one still waiting for its check is dropped by a newer one.
    unsigned MJumpNumber = 0;
};

}  // namespace kestro
