// Which dialog a window tree is and which jump it takes, from window trees as plain values: another
// program's folder-browse dialog, and the file dialogs whose name box may take a folder and an Enter.
#include <gtest/gtest.h>

#include "winutil/BrowseDialog.h"
#include "winutil/FileDialog.h"

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

TEST(NameBoxTakesFolders, OnlyInADialogKnownToOpenOrSaveFiles)
{
    const TWindowShape nameCombo = Control(L"ComboBoxEx32", 1148, {Control(L"ComboBox", 0, {Control(L"Edit", 1148)})});
    const TWindowShape fileTypes = Control(L"ComboBox", 1136);
    const TWindowShape ownCombo = Control(L"ComboBox", 602);
    auto itemDialog = [](std::vector<TWindowShape> view) {
        return Dialog({Control(L"WorkerW", 0), Control(L"DUIViewWndClassName", 0, std::move(view)), kOk, kCancel});
    };
    struct TCase {
        const char* Name;
        TWindowShape Shape;
        bool Expected;
    };
    const TCase cases[] = {
        {"older dialog", Dialog({Control(L"SHELLDLL_DefView", 1121), Control(L"ComboBox", 1137), kOk, kCancel}), true},
        {"item dialog with file types", itemDialog({Control(L"Edit", 601), nameCombo, fileTypes}), true},
        {"file types a few hosts down, as Windows nests them",
         itemDialog(
             {Control(L"DirectUIHWND", 0,
                      {Control(L"CtrlNotifySink", 0, {nameCombo}), Control(L"CtrlNotifySink", 0, {fileTypes})})}),
         true},
        {"folder picker", itemDialog({nameCombo}), false},
        {"folder picker with a combo box of its own", itemDialog({nameCombo, ownCombo}), false},
        {"open dialog without file types", itemDialog({nameCombo, Control(L"Edit", 601)}), false},
        {"the file types' id on another class", itemDialog({nameCombo, Control(L"ComboBoxEx32", 1136)}), false},
    };
    for (const TCase& c : cases) EXPECT_EQ(NameBoxTakesFolders(c.Shape), c.Expected) << c.Name;
}
}  // namespace
