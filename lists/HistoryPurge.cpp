#include "lists/HistoryPurge.h"

namespace kestro {

std::vector<std::wstring> THistoryPurge::Start(const TFolderList& history)
{
    ++FPurge;
    FUnanswered = history.Items.size();
    return history.Items;
}

bool THistoryPurge::Answer(TFolderList& history, const std::wstring& entry, TFolderState state, unsigned purge)
{
    const size_t before = history.Items.size();
    if (state == TFolderState::Gone)
        PurgeHistory(history, [&](const std::wstring& item) { return SameEntry(item, entry); });
    if (purge == FPurge && FUnanswered > 0 && --FUnanswered == 0) TrimHistory(history);
    return history.Items.size() != before;
}

}  // namespace kestro
