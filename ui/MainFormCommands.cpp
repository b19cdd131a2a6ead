#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "ui/BrowseForFolder.h"
#include "ui/ControlIds.h"
#include "ui/FormNames.h"
#include "ui/MainForm.h"
#include "winutil/BrowseDialog.h"
#include "winutil/ToolWindow.h"

namespace kestro {

void TMainForm::TBAddClick()
{
    std::wstring path;
    if (FTab == tabFavourites) {
        std::wstring chosen;
        if (BrowseForFolder(L"フォルダの指定", FHandle, chosen)) path = chosen;
    } else {
        path = SelectedEntry();
    }
    if (path.empty()) return;
    FOwners->Store.AddFavourite(path);
    // Selected from code: no purge of history when the add came from the history tab.
    ::SendMessageW(Tab, TCM_SETCURSEL, tabFavourites, 0);
    TabChange();
}

void TMainForm::TBDelClick()
{
    // The Explorer tab lists what Explorer shows: nothing there to delete.
    if (FTab == tabExplorer) return;
    if (FTab == tabFavourites) {
        const int selected = ListBoxSelection(ListBox);
        if (selected < 0) return;
        FOwners->Store.RemoveFavourite(selected);
        ShowTabEntries();
        return;
    }
    if (FOwners->Store.History().Items.empty()) return;
    if (::MessageBoxW(FHandle, L"履歴を全削除しますか？", kApplicationTitle, MB_YESNO) != IDYES) return;
    FOwners->Store.ClearHistory();
    ShowChanges();
}

void TMainForm::TBUpClick()
{
    MoveSelectedFavourite(-1);
}

void TMainForm::TBDownClick()
{
    MoveSelectedFavourite(+1);
}

void TMainForm::MoveSelectedFavourite(int step)
{
    const int moved = FOwners->Store.MoveFavourite(ListBoxSelection(ListBox), step);
    if (moved < 0) return;
    ShowTabEntries();
    // The selection follows the entry, so repeated clicks keep moving the same favourite.
    SelectListBoxEntry(ListBox, moved);
}

void TMainForm::ListBoxClick()
{
    if (EditMode()) return;
    const std::wstring folder = SelectedEntry();
    if (folder.empty()) return;
    // A folder-browse dialog has no name box: the folder is selected in its tree instead.
    if (IsBrowseDialog(FOwners->Follower.Dialog()))
        FOwners->BrowseJump.Jump(folder);
    else
        FOwners->Jump.Jump(folder);
}

void TMainForm::ListBoxDblClick()
{
    if (!EditMode()) return;
    const std::wstring path = SelectedEntry();
    if (path.empty()) return;
    FOwners->Checks.Check(path, [this, path](TFolderState state) {
        if (state == TFolderState::Exists && EditMode())
            ::ShellExecuteW(::GetDesktopWindow(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    });
}

void TMainForm::StatusBarDblClick()
{
    const std::wstring& name = FOwners->Follower.FirstName();
    if (name.empty()) return;
    FOwners->Jump.PutName(name);
}

const std::vector<std::wstring>& TMainForm::TabEntries() const
{
    switch (FTab) {
    case tabHistory: return FOwners->Store.History().Items;
    case tabExplorer: return FOwners->Explorer.Folders();
    default: return FOwners->Store.Favourites().Items;
    }
}

std::wstring TMainForm::SelectedEntry() const
{
    const std::vector<std::wstring>& entries = TabEntries();
    const int selected = ListBoxSelection(ListBox);
    return selected >= 0 && selected < static_cast<int>(entries.size()) ? entries[selected] : std::wstring();
}

void TMainForm::ShowTabEntries()
{
    FillListBox(ListBox, TabEntries());
}

}  // namespace kestro
