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
    // The user's file name, to go back into the box; empty: the box keeps what the dialog left.
    std::wstring Name;
    // The tick count past which the jump must not act any more.
    ULONGLONG Deadline;
    TTimings Timings;
};

// Brings the dialog forward, focuses its box, replaces the box's text with the folder and, with
// the dialog in front, its box focused and no modifier key down, presses Enter; once the dialog
// has moved there, puts the name back. A dialog that does not take the folder gets its name back
// without an Enter; one that this process may not type into is left as it was.
void SendFolderToDialog(const TFolderJump& jump);

// Brings the dialog forward, focuses `box` and sets its text to `name`.
void PutNameIntoDialog(HWND dialog, HWND box, const std::wstring& name, const TTimings& timings);

// What the jump reads from the dialog while it waits for the move.
struct TJumpReading {
    bool DialogGone = false;
    // The name box's text; nothing when it did not answer.
    std::optional<std::wstring> Box;
    // The folder the address bar shows; nothing for a dialog without one or one that did not answer.
    std::optional<std::wstring> Shown;
};

// Whether the dialog has dealt with `folder` typed into its box: it is gone, or its box holds
// something else (it empties the box when it moves), or its address bar has come to show the
// folder since `shownBefore` was read, before the Enter.
bool DialogTookFolder(const std::optional<std::wstring>& shownBefore, const TJumpReading& now,
                      std::wstring_view folder);

// Whether `name` goes back into a box that holds `box` after the jump to `folder`: only over
// what the jump or the dialog left there (the folder, or nothing), never over what the user
// typed meanwhile.
bool NameGoesBack(std::wstring_view box, std::wstring_view folder, std::wstring_view name);

}  // namespace kestro
