#pragma once
// Typing a folder into another program's file dialog, and putting the user's file name back.
// Each call waits on the dialog, as long as a busy dialog needs and never longer than its
// bounds, so it is made on a worker thread.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

#include "winutil/Timings.h"

namespace kestro {

struct TFolderJump {
    HWND Dialog;
    HWND Box;
    std::wstring Folder;
    // The tick count past which the jump must not act any more.
    ULONGLONG Deadline;
    TTimings Timings;
};

// Brings the dialog forward and waits until its own thread has made it active and given its name
// box the focus; reads the name the user has in the box now; replaces it with the folder and, with
// the dialog in front, its box focused and no modifier key down, presses Enter; once the dialog has
// moved there, or has shown that it will not, puts the name back. A dialog that does not take the
// folder gets its name back without an Enter; one that this process may not type into is left as
// it was.
void SendFolderToDialog(const TFolderJump& jump);

// Brings the dialog forward, focuses `box` and sets its text to `name`.
void PutNameIntoDialog(HWND dialog, HWND box, const std::wstring& name, const TTimings& timings);

// What the jump reads from the dialog while it waits for the move.
struct TJumpReading {
    bool DialogGone = false;
    // The name box's text; nothing when it did not answer.
    std::optional<std::wstring> Box;
    // Whether the dialog has an address bar, and the folder it shows; nothing when it did not answer.
    bool HasBar = false;
    std::optional<std::wstring> Shown;
};

enum class TJumpProgress {
    Waiting,
    // The dialog is gone, its box holds something else (it empties the box when it moves), or its
    // address bar has come to show the folder since `shownBefore` was read, before the Enter.
    Moved,
    // `noMoveMs` or more after the Enter the dialog answers, its box still holds the folder and its
    // address bar shows what it showed before: the Enter did not take it there (swallowed, or the
    // dialog was there already and keeps the path in its box).
    NotMoved,
};

TJumpProgress JumpProgress(const std::optional<std::wstring>& shownBefore, const TJumpReading& now,
                           std::wstring_view folder, DWORD sinceEnterMs, DWORD noMoveMs);

// Whether `name` goes back into a box that holds `box` after the jump to `folder`: only over
// what the jump or the dialog left there (the folder, or nothing), never over what the user
// typed meanwhile.
bool NameGoesBack(std::wstring_view box, std::wstring_view folder, std::wstring_view name);

}  // namespace kestro
