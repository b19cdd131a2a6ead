#include <windows.h>

#include "ui/MainForm.h"
#include "winutil/DataFolder.h"
#include "winutil/PathChecks.h"

namespace kestro {

void TMainForm::CheckFolder(const std::wstring& path, TFolderCheck check, std::function<void(bool)> answer)
{
    // The kind of check as one character: a number formatted as text would bring the C library's
    // formatted printing into Kestro.exe.
    const std::wstring key = static_cast<wchar_t>(L'0' + check) + path;
    std::vector<std::function<void(bool)>>& waiting = MPendingChecks[key];
    waiting.push_back(std::move(answer));
    if (waiting.size() > 1) return;
    MFolderChecks->Run([path, check] { return check == fcReachable ? FolderReachable(path) : FolderExists(path); },
                       [this, key](bool result) {
                           auto node = MPendingChecks.extract(key);
                           for (auto& callback : node.mapped()) callback(result);
                       });
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

}  // namespace kestro
