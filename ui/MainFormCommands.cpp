#include <windows.h>
#include <shellapi.h>

#include "ui/BrowseForFolder.h"
#include "ui/ControlIds.h"
#include "ui/FormNames.h"
#include "ui/MainForm.h"
#include "winutil/PathChecks.h"

namespace kestro {

void TMainForm::TBAddClick()
{
    std::wstring path;
    if (TabIndex() == 0) {
        std::wstring chosen;
        if (BrowseForFolder(L"フォルダの指定", FHandle, chosen)) path = chosen;
    } else {
        path = SelectedEntry();
    }
    if (path.empty()) return;
    AddFavourite(*MListF, path);
    FavouritesChanged();
    // Selected from code: no purge of history when the add came from the history tab.
    SetTabIndex(0);
    TabChange();
}

void TMainForm::TBDelClick()
{
    // The Explorer tab lists what Explorer shows: nothing there to delete.
    if (TabIndex() == kExplorerTab) return;
    if (TabIndex() == 0) {
        const int selected = ListBoxSelection();
        if (selected < 0) return;
        ::SendMessageW(ListBox, LB_DELETESTRING, selected, 0);
        ::SendMessageW(ListBox, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
        CopyListBoxToFavourites();
        FitListExtent(ListBox);
        FavouritesChanged();
        return;
    }
    if (::SendMessageW(ListBox, LB_GETCOUNT, 0, 0) <= 0) return;
    if (::MessageBoxW(FHandle, L"履歴を全削除しますか？", kApplicationTitle, MB_YESNO) != IDYES) return;
    ClearHistory(*MListH);
    HistoryChanged();
    TabChange();
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
    const int selected = ListBoxSelection();
    const int count = static_cast<int>(::SendMessageW(ListBox, LB_GETCOUNT, 0, 0));
    const int target = selected + step;
    if (selected < 0 || target < 0 || target >= count) return;
    const std::wstring moved = ListBoxItem(selected);
    ::SendMessageW(ListBox, LB_DELETESTRING, selected, 0);
    ::SendMessageW(ListBox, LB_INSERTSTRING, target, reinterpret_cast<LPARAM>(moved.c_str()));
    // The selection follows the entry, so repeated clicks keep moving the same favourite.
    ::SendMessageW(ListBox, LB_SETCURSEL, target, 0);
    CopyListBoxToFavourites();
    FitListExtent(ListBox);
    FavouritesChanged();
}

void TMainForm::CopyListBoxToFavourites()
{
    MListF->Items = ListBoxItems();
}

std::wstring TMainForm::SelectedEntry() const
{
    const int selected = ListBoxSelection();
    return selected < 0 ? std::wstring() : ListBoxItem(selected);
}

void TMainForm::ListBoxDblClick()
{
    if (!EditMode()) return;
    const std::wstring path = SelectedEntry();
    if (path.empty()) return;
    CheckFolder(path, fcReachable, [this, path](bool reachable) {
        if (reachable && EditMode())
            ::ShellExecuteW(::GetDesktopWindow(), nullptr, path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    });
}

}  // namespace kestro
