#include <windows.h>

#include "ui/MainForm.h"

namespace kestro {

void TMainForm::CheckFolder(const std::wstring& path, TFolderCheck check, std::function<void(bool)> answer)
{
    MFolderChecks->Check(path, check, std::move(answer));
}

void TMainForm::RecordShownFolder(const std::wstring& folder)
{
    if (!RecordVisit(*MListH, folder)) return;
    HistoryChanged();
    if (TabIndex() != 1) return;
    TrimHistory(*MListH);
    FillListBox(MListH->Items);
}

void TMainForm::PurgeMissingFolder(const std::wstring& folder)
{
    const size_t before = MListH->Items.size();
    PurgeHistory(*MListH, [&](const std::wstring& entry) { return SameEntry(entry, folder); });
    if (MListH->Items.size() == before) return;
    HistoryChanged();
    if (TabIndex() == 1) FillListBox(MListH->Items);
}

void TMainForm::TrimHistoryAfterPurge()
{
    const size_t before = MListH->Items.size();
    TrimHistory(*MListH);
    if (MListH->Items.size() == before) return;
    HistoryChanged();
    if (TabIndex() == 1) FillListBox(MListH->Items);
}

}  // namespace kestro
