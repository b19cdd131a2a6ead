#pragma once
// The jump in another program's folder-browse dialog: a click on a folder selects it in the
// dialog's tree, checked first and sent on a worker thread as the file dialogs' jump is; nothing
// presses OK, so the dialog stays open until the user accepts the folder.
#include <windows.h>

#include <string>

#include "ui/DialogWork.h"
#include "ui/FolderChecks.h"
#include "winutil/Timers.h"
#include "winutil/Timings.h"

namespace kestro {

class TBrowseJump {
public:
    // `doneMessage` is posted to `window` when the work on the dialog ends, and `boundTimerId` is
    // a timer of `timers`: their handlers call DeliverCompletions and BoundReached.
    TBrowseJump(HWND window, UINT doneMessage, ITimers& timers, UINT_PTR boundTimerId, TFolderChecks& checks,
                const TTimings& timings, TClock now);

    // The dialog the follower follows now, none in edit mode.
    void SetFollowed(HWND dialog) { FFollowed = dialog; }
    // Whether a worker is at work in the dialog: the follower waits meanwhile.
    bool Working() const { return FDialogWork.Busy(); }
    // Checks `folder` and, when the user still wants it then, selects it in the followed dialog.
    void Jump(const std::wstring& folder);
    void DeliverCompletions();
    void BoundReached();

private:
    bool DialogTakesInput(HWND dialog) const;

    HWND FWindow;
    TFolderChecks& FChecks;
    const TTimings& FTimings;
    HWND FFollowed = nullptr;
    TDialogWork FDialogWork;
    // Counts the jumps asked for: one still waiting for its check is dropped by a newer one.
    unsigned FJumpNumber = 0;
};

}  // namespace kestro
