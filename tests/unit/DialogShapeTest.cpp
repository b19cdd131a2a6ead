// Which dialog a window tree is and which jump it takes, from window trees as plain values: another
// program's folder-browse dialog.
#include <gtest/gtest.h>

#include "winutil/BrowseDialog.h"

using namespace kestro;

namespace {
TWindowShape Control(const wchar_t* className, int id, std::vector<TWindowShape> children = {})
{
    return {className, id, std::move(children)};
}

const TWindowShape kOk = Control(L"Button", IDOK);
const TWindowShape kCancel = Control(L"Button", IDCANCEL);
const TWindowShape kTree = Control(L"SysTreeView32", kBrowseTreeId);
const TWindowShape kTitle = Control(L"Static", 0x3742);
// The edit box of BIF_EDITBOX.
const TWindowShape kEdit = Control(L"Edit", 0x3745);

TWindowShape Dialog(std::vector<TWindowShape> children, const wchar_t* className = L"#32770")
{
    return {className, 0, std::move(children)};
}

TEST(IsBrowseDialogShape, TakesBothStylesOfTheTreeDialogOfAnotherProgramAndNothingElse)
{
    struct TCase {
        const char* Name;
        TWindowShape Shape;
        bool Own;
        bool Expected;
    };
    const TWindowShape nameSpace = Control(kBrowseNameSpaceClass, 0, {Control(L"SysTreeView32", 100)});
    const TCase cases[] = {
        {"old style", Dialog({kOk, kCancel, kTitle, kTree}), false, true},
        {"new style with edit box as Wine has it",
         Dialog({kTitle, Control(L"Static", 0x3744), kTree, kEdit, Control(L"Button", 0x3746), kOk, kCancel}), false,
         true},
        {"new style as Windows has it", Dialog({kTitle, nameSpace, kEdit, kOk, kCancel}), false, true},
        {"Kestro's own add dialog", Dialog({kOk, kCancel, kTree}), true, false},
        {"message box", Dialog({kOk, kCancel, Control(L"Static", 0xFFFF)}), false, false},
        {"class only begins with the dialog's", Dialog({kOk, kCancel, kTree}, L"#32770x"), false, false},
        {"another class", Dialog({kOk, kCancel, kTree}, L"#32771"), false, false},
        {"no cancel button", Dialog({kOk, kTree}), false, false},
        {"control 2 is no button", Dialog({kOk, Control(L"Static", IDCANCEL), kTree}), false, false},
        {"a tree of another id", Dialog({kOk, kCancel, Control(L"SysTreeView32", 100)}), false, false},
        {"the tree's id on another class", Dialog({kOk, kCancel, Control(L"ListBox", kBrowseTreeId)}), false, false},
        {"a tree deeper in a child of the program's own", Dialog({kOk, kCancel, Control(L"#32770", 0, {kTree})}), false,
         false},
        {"namespace control without a tree", Dialog({kOk, kCancel, Control(kBrowseNameSpaceClass, 0)}), false, false},
        {"file dialog with a tree beside its view", Dialog({Control(L"SHELLDLL_DefView", 1121), kTree, kOk, kCancel}),
         false, false},
        {"item dialog with a tree beside its view",
         Dialog({Control(L"DUIViewWndClassName", 0, {Control(L"SysTreeView32", 100)}), kTree, kOk, kCancel}), false,
         false},
        {"no window", TWindowShape{}, false, false},
    };
    for (const TCase& c : cases) EXPECT_EQ(IsBrowseDialogShape(c.Shape, c.Own), c.Expected) << c.Name;
}

}  // namespace
