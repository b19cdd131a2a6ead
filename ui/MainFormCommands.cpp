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
    if (TabIndex() == tabFavourites) {
        std::wstring chosen;
        if (BrowseForFolder(L"フォルダの指定", FHandle, chosen)) path = chosen;
    } else {
        path = SelectedListBoxText(ListBox);
    }
    if (path.empty()) return;
    MStore->AddFavourite(path);
    // Selected from code: no purge of history when the add came from the history tab.
    ::SendMessageW(Tab, TCM_SETCURSEL, tabFavourites, 0);
    TabChange();
}

void TMainForm::TBDelClick()
{
    // The Explorer tab lists what Explorer shows: nothing there to delete.
    if (TabIndex() == tabExplorer) return;
    if (TabIndex() == tabFavourites) {
        const int selected = ListBoxSelection(ListBox);
        if (selected < 0) return;
        MStore->RemoveFavourite(selected);
        ShowTabEntries();
        return;
    }
    if (MStore->History().Items.empty()) return;
    if (::MessageBoxW(FHandle, L"履歴を全削除しますか？", kApplicationTitle, MB_YESNO) != IDYES) return;
    MStore->ClearHistory();
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
    const int moved = MStore->MoveFavourite(ListBoxSelection(ListBox), step);
    if (moved < 0) return;
    ShowTabEntries();
    // The selection follows the entry, so repeated clicks keep moving the same favourite.
    SelectListBoxEntry(ListBox, moved);
}

void TMainForm::ListBoxClick()
{
    if (EditMode()) return;
    const std::wstring folder = SelectedListBoxText(ListBox);
    if (folder.empty()) return;
    // A folder-browse dialog has no name box: the folder is selected in its tree instead.
    if (IsBrowseDialog(MFollower->Dialog()))
        MBrowseJump->Jump(folder);
    else
        MJump->Jump(folder);
}

void TMainForm::ListBoxDblClick()
{
    if (!EditMode()) return;
    const std::wstring path = SelectedListBoxText(ListBox);
    if (path.empty()) return;
    MChecks->Check(path, [this, path](TFolderState state) {
        if (state == TFolderState::Exists && EditMode())
            ::ShellExecuteW(::GetDesktopWindow(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    });
}

void TMainForm::StatusBarDblClick()
{
    const std::wstring name = WindowText(StatusBar);
    if (name.empty()) return;
    MJump->PutName(name);
}

int TMainForm::TabIndex() const
{
    return static_cast<int>(::SendMessageW(Tab, TCM_GETCURSEL, 0, 0));
}

void TMainForm::ShowTabEntries()
{
    switch (TabIndex()) {
    case tabFavourites: FillListBox(ListBox, MStore->Favourites().Items); break;
    case tabHistory: FillListBox(ListBox, MStore->History().Items); break;
    case tabExplorer: FillListBox(ListBox, MExplorer->Folders()); break;
    default: break;
    }
}

bool TMainForm::FollowerPaused() const
{
    return EditMode() || MJump->Working() || MBrowseJump->Working();
}

void TMainForm::NameSeen(const std::wstring& name)
{
    // The status line keeps the first name seen in the dialog; a jump's folder is no name.
    if (MJump->HoldsFolder(MFollower->Dialog(), name)) return;
    if (::GetWindowTextLengthW(StatusBar) == 0) ::SetWindowTextW(StatusBar, name.c_str());
}

void TMainForm::FolderShown(const std::wstring& folder)
{
    MStore->RecordShownFolder(folder);
}

void TMainForm::DialogRead(HWND dialog, bool hasBar, const TDialogLook& look)
{
    MJump->DialogRead(dialog, hasBar, look);
}

}  // namespace kestro
