// Which dialog a window tree is and which jump it takes, from window trees as plain values: another
// program's folder-browse dialog, the file dialogs whose name box may take a folder and an Enter, and
// the item dialog's address bar that may take one instead.
#include <gtest/gtest.h>

#include "winutil/AddressBar.h"
#include "winutil/BrowseDialog.h"
#include "winutil/FileDialog.h"

using namespace kestro;

namespace {
TWindowShape Control(const wchar_t* className, int id, std::vector<TWindowShape> children = {}, bool shown = true)
{
    return {className, id, std::move(children), shown};
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

TEST(AddressBarMode, OnlyTheWholeChainWithExactlyOneHalfShown)
{
    struct TBar {
        bool BreadcrumbsShown = true;
        bool EditShown = false;
        // Which link of the edit's half is hidden when it is: 0 the combo box, 1 its inner one, 2 the edit.
        int HiddenLink = 0;
        const wchar_t* SkippedClass = nullptr;
        const wchar_t* DoubledClass = nullptr;
        bool BandShown = true;
        bool ItemView = true;
    };
    const auto dialog = [](const TBar& bar) {
        const auto link = [&](const wchar_t* className, std::vector<TWindowShape> children, bool shown = true) {
            std::vector<TWindowShape> links;
            if (bar.SkippedClass && std::wstring(className) == bar.SkippedClass) return links;
            links.push_back(Control(className, 0, std::move(children), shown));
            if (bar.DoubledClass && std::wstring(className) == bar.DoubledClass) links.push_back(links.front());
            return links;
        };
        const auto hidden = [&](int index) { return bar.EditShown || bar.HiddenLink != index; };
        std::vector<TWindowShape> halves =
            link(L"Breadcrumb Parent", link(L"ToolbarWindow32", {}), bar.BreadcrumbsShown);
        for (TWindowShape& edit :
             link(L"ComboBoxEx32", link(L"ComboBox", link(L"Edit", {}, hidden(2)), hidden(1)), hidden(0)))
            halves.push_back(std::move(edit));
        const std::vector<TWindowShape> band =
            link(L"WorkerW",
                 link(L"ReBarWindow32", link(L"Address Band Root", link(L"msctls_progress32", std::move(halves)))),
                 bar.BandShown);
        std::vector<TWindowShape> children = band;
        if (bar.ItemView) children.push_back(Control(L"DUIViewWndClassName", 0));
        children.push_back(kOk);
        children.push_back(kCancel);
        return Dialog(std::move(children));
    };
    struct TCase {
        const char* Name;
        TBar Bar;
        TAddressBarMode Expected;
    };
    const TCase cases[] = {
        {"breadcrumbs, edit's combo box hidden", {}, TAddressBarMode::Breadcrumbs},
        {"breadcrumbs, inner combo box hidden", {true, false, 1}, TAddressBarMode::Breadcrumbs},
        {"breadcrumbs, edit hidden", {true, false, 2}, TAddressBarMode::Breadcrumbs},
        {"edit shown", {false, true}, TAddressBarMode::Edit},
        {"both halves shown", {true, true}, TAddressBarMode::None},
        {"neither half shown", {false, false}, TAddressBarMode::None},
        {"band hidden", {true, false, 0, nullptr, nullptr, false}, TAddressBarMode::None},
        {"older dialog, no item view", {true, false, 0, nullptr, nullptr, true, false}, TAddressBarMode::None},
    };
    for (const TCase& c : cases) EXPECT_EQ(AddressBarMode(dialog(c.Bar)), c.Expected) << c.Name;
    // Every link missing or doubled, in either mode.
    for (const wchar_t* className : {L"WorkerW", L"ReBarWindow32", L"Address Band Root", L"msctls_progress32",
                                     L"Breadcrumb Parent", L"ToolbarWindow32", L"ComboBoxEx32", L"ComboBox", L"Edit"}) {
        for (const TBar& mode : {TBar{}, TBar{false, true}}) {
            TBar skipped = mode;
            skipped.SkippedClass = className;
            TBar doubled = mode;
            doubled.DoubledClass = className;
            EXPECT_EQ(AddressBarMode(dialog(skipped)), TAddressBarMode::None) << "missing " << className;
            EXPECT_EQ(AddressBarMode(dialog(doubled)), TAddressBarMode::None) << "doubled " << className;
        }
    }
    EXPECT_EQ(AddressBarMode(TWindowShape{}), TAddressBarMode::None);
}
}  // namespace
