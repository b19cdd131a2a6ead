#include "winutil/FileDialog.h"

#include <cwchar>
#include <vector>

namespace kestro {

namespace {
// The search state of FindChildByClass lives here rather than in the callback's application
// value, which stays 0; so only one search may run at a time.
std::wstring GClassSought;
HWND GChildFound = nullptr;

BOOL CALLBACK MatchChildClass(HWND child, LPARAM)
{
    if (GetWindowClass(child) != GClassSought) return TRUE;
    GChildFound = child;
    return FALSE;
}

// From the dialog down to its breadcrumb bar, each a first direct child of the one before.
constexpr const wchar_t* kBreadcrumbChain[] = {
    L"WorkerW", L"ReBarWindow32", L"Address Band Root", L"msctls_progress32", L"Breadcrumb Parent", L"ToolbarWindow32",
};
// The Japanese label "アドレス: " is 6 units long.
constexpr size_t kDefaultLabelLength = 6;

bool HasDirectChild(HWND parent, const wchar_t* className)
{
    return ::FindWindowExW(parent, nullptr, className, nullptr) != nullptr;
}

constexpr int kNameComboId = 1148;      // cmb13
constexpr int kFileTypeComboId = 1136;  // cmb1
// Deep enough for the controls of the item dialog's view, which sit a few hosts below it.
constexpr int kItemTreeDepth = 6;
constexpr int kNameEditId = 1152;  // edt1
constexpr wchar_t kItemViewClass[] = L"DUIViewWndClassName";

bool IsCombo(HWND wnd)
{
    const std::wstring name = GetWindowClass(wnd);
    return name == L"ComboBoxEx32" || name == L"ComboBox";
}

// The combo boxes below `parent` in EnumChildWindows order.
std::vector<HWND> CombosBelow(HWND parent)
{
    std::vector<HWND> combos;
    ::EnumChildWindows(
        parent,
        [](HWND child, LPARAM found) {
            if (IsCombo(child)) reinterpret_cast<std::vector<HWND>*>(found)->push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&combos));
    return combos;
}

// The name's combo box below `parent`: an edit box of the program's own may carry any id, but it is
// no combo box.
bool HoldsFileTypes(const TWindowShape& parent)
{
    for (const TWindowShape& child : parent.Children)
        if ((child.Class == L"ComboBox" && child.Id == kFileTypeComboId) || HoldsFileTypes(child)) return true;
    return false;
}

HWND NameComboBelow(HWND parent)
{
    for (HWND combo : CombosBelow(parent))
        if (::GetDlgCtrlID(combo) == kNameComboId) return combo;
    return nullptr;
}
}  // namespace

std::wstring GetWindowClass(HWND wnd)
{
    wchar_t name[MAX_PATH] = {};
    ::GetClassNameW(wnd, name, MAX_PATH);
    return std::wstring(name, wcsnlen(name, MAX_PATH));
}

bool IsDialogClass(HWND wnd)
{
    return GetWindowClass(wnd) == L"#32770";
}

bool IsFileDialog(HWND wnd)
{
    if (!IsDialogClass(wnd)) return false;
    // The older Explorer-style dialog hosts the shell's folder view directly; the newer item
    // dialog hosts a view frame instead.
    if (!HasDirectChild(wnd, L"SHELLDLL_DefView") && !HasDirectChild(wnd, L"DUIViewWndClassName")) return false;
    return ::GetDlgItem(wnd, IDOK) != nullptr && ::GetDlgItem(wnd, IDCANCEL) != nullptr;
}

HWND FindFileNameBox(HWND dialog)
{
    const HWND view = ::FindWindowExW(dialog, nullptr, kItemViewClass, nullptr);
    const HWND combo = NameComboBelow(view ? view : dialog);
    if (combo) return FindChildByClass(combo, L"Edit");
    if (view) return nullptr;
    const HWND edit = ::GetDlgItem(dialog, kNameEditId);
    return GetWindowClass(edit) == L"Edit" ? edit : nullptr;
}

bool NameBoxTakesFolders(const TWindowShape& dialog)
{
    const TWindowShape* view = ChildOfClass(dialog, kItemViewClass);
    return !view || HoldsFileTypes(*view);
}

bool IsFolderPicker(HWND dialog)
{
    return !NameBoxTakesFolders(ReadWindowShape(dialog, kItemTreeDepth));
}

HWND FindBreadcrumbBar(HWND dialog)
{
    HWND link = dialog;
    for (const wchar_t* className : kBreadcrumbChain) {
        link = ::FindWindowExW(link, nullptr, className, nullptr);
        if (!link) return nullptr;
    }
    return link;
}

std::wstring FolderFromBreadcrumbText(std::wstring_view text)
{
    const size_t colon = text.find(L": ");
    const size_t start = colon != std::wstring_view::npos ? colon + 2 : kDefaultLabelLength;
    return start < text.size() ? std::wstring(text.substr(start)) : std::wstring();
}

HWND FindChildByClass(HWND parent, const std::wstring& className)
{
    GClassSought = className;
    GChildFound = nullptr;
    ::EnumChildWindows(parent, MatchChildClass, 0);
    return GChildFound;
}

}  // namespace kestro
