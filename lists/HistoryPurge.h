#pragma once
// Leaving the history tab drops the entries whose folders are gone. Each entry is checked on its
// own, and the answers come in any order, however slow a share is: an entry goes when its answer
// says gone, and the cut to the cap waits for every answer, so that no existing folder is cut in
// the place of a missing one.
#include <string>
#include <vector>

#include "lists/FolderList.h"
#include "winutil/PathChecks.h"

namespace kestro {

class THistoryPurge {
public:
    // Starts a purge of `history` as it is now; gives the entries to check. A purge under way is
    // replaced: its answers still drop gone entries, but only the new one cuts.
    std::vector<std::wstring> Start(const TFolderList& history);
    // Applies the answer for `entry` to `history`; true when the history changed.
    bool Answer(TFolderList& history, const std::wstring& entry, TFolderState state, unsigned purge);
    // The number of the purge started last; answers carry the number of the purge they belong to.
    unsigned Current() const { return FPurge; }

private:
    unsigned FPurge = 0;
    size_t FUnanswered = 0;
};

}  // namespace kestro
