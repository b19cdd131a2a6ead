#include "winutil/BrowseDialog.h"

#include <algorithm>

#include "winutil/FileDialog.h"

namespace kestro {

namespace {
constexpr wchar_t kTreeClass[] = L"SysTreeView32";

const TWindowShape* ChildWithId(const TWindowShape& parent, int id)
{
    const auto found = std::find_if(parent.Children.begin(), parent.Children.end(),
                                    [id](const TWindowShape& child) { return child.Id == id; });
    return found != parent.Children.end() ? &*found : nullptr;
}

bool HasChildOfClass(const TWindowShape& parent, std::wstring_view className)
{
    return ChildOfClass(parent, className) != nullptr;
}

bool IsButton(const TWindowShape* control)
{
    return control && control->Class == L"Button";
}

bool HoldsTree(const TWindowShape& dialog)
{
    for (const TWindowShape& child : dialog.Children) {
        if (child.Class == kTreeClass && child.Id == kBrowseTreeId) return true;
        if (child.Class == kBrowseNameSpaceClass && HasChildOfClass(child, kTreeClass)) return true;
    }
    return false;
}
}  // namespace

bool IsBrowseDialogShape(const TWindowShape& dialog, bool ownProcess)
{
    if (ownProcess || dialog.Class != L"#32770") return false;
    // A file dialog may host a tree of its own (a navigation pane); its folder view makes it one.
    if (HasChildOfClass(dialog, L"SHELLDLL_DefView") || HasChildOfClass(dialog, L"DUIViewWndClassName")) return false;
    return IsButton(ChildWithId(dialog, IDOK)) && IsButton(ChildWithId(dialog, IDCANCEL)) && HoldsTree(dialog);
}

bool IsBrowseDialog(HWND wnd)
{
    if (!IsDialogClass(wnd)) return false;
    DWORD process = 0;
    ::GetWindowThreadProcessId(wnd, &process);
    return IsBrowseDialogShape(ReadWindowShape(wnd, 2), process == ::GetCurrentProcessId());
}

HWND FindBrowseTree(HWND dialog)
{
    const HWND tree = ::GetDlgItem(dialog, kBrowseTreeId);
    if (GetWindowClass(tree) == kTreeClass) return tree;
    const HWND host = ::FindWindowExW(dialog, nullptr, kBrowseNameSpaceClass, nullptr);
    return host ? ::FindWindowExW(host, nullptr, kTreeClass, nullptr) : nullptr;
}

}  // namespace kestro
