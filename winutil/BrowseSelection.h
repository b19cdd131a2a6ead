#pragma once
// Moving another program's folder-browse dialog to a folder with the dialog's own message, which
// selects the folder in its tree and accepts nothing.
#include <windows.h>

#include <string>

#include "winutil/Timings.h"

namespace kestro {

// Sends BFFM_SETSELECTIONW with `folder` to the dialog, the path written into the dialog's own
// process, waiting at most `timeoutMs` for the dialog; then scrolls its tree to the selection.
// True when the dialog took the message (what it answers is not documented, so not read).
bool SelectInBrowseDialog(HWND dialog, const std::wstring& folder, UINT timeoutMs);

// Scrolls the dialog's tree so that its selected item shows.
void ShowBrowseSelection(HWND dialog, UINT timeoutMs);

// The browse jump's work on its worker thread: selects `folder` in the dialog and shows it, unless
// the dialog's program runs as administrator or the tick count `deadline` has passed.
void MoveBrowseDialogTo(HWND dialog, const std::wstring& folder, const TTimings& timings, ULONGLONG deadline);

}  // namespace kestro
