#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/DataFiles.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/OwnWindows.h"
#include "tests/support/Windows.h"
#include "winutil/FileDialog.h"
#include "winutil/FolderJump.h"

namespace {

using namespace kestro::test;

class RealFileDialog : public testing::TestWithParam<const wchar_t*> {};

TEST_P(RealFileDialog, IsRecognised)
{
    TFileDialogApp app;
    app.Start(GetParam(), ScratchFolder(L"recognise"), L"name.txt");
    ASSERT_NE(app.Dialog(), nullptr);
    EXPECT_TRUE(kestro::IsFileDialog(app.Dialog()));
    EXPECT_FALSE(kestro::IsFileDialog(app.State()));
}

// The older dialog's dialog manager turns an Enter in the name box into WM_COMMAND(IDOK, BN_CLICKED)
// from its default button, OK: the jump posts that itself, and the dialog moves to the folder in the
// box as it does on an Enter.
TEST_P(RealFileDialog, TakesAFolderInItsBoxByItsOwnOk)
{
    TFileDialogApp app;
    app.Start(GetParam(), ScratchFolder(L"byok"), L"name.txt");
    const std::wstring folder = ScratchFolder(L"byokThere");
    const HWND ok = kestro::AcceptsByCommand(app.Dialog(), 2000);
    ASSERT_EQ(ok, ::GetDlgItem(app.Dialog(), IDOK)) << "the older dialog is not taken for one that accepts by OK";
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(app.FileNameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(folder.c_str()), SMTO_ABORTIFHUNG,
                          2000, &result);
    ::PostMessageW(app.Dialog(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(ok));
    EXPECT_TRUE(WaitFor([&] { return app.Caption() == L"folder:" + folder; })) << Narrow(app.Caption());
    EXPECT_TRUE(::IsWindow(app.Dialog())) << "the dialog took the folder for the file";
}

TEST(ItemDialogFixture, IsMovedByAnEnterNotByOk)
{
    TItemDialog item;
    item.Start(ScratchFolder(L"byenter"), L"name.txt");
    EXPECT_EQ(kestro::AcceptsByCommand(item.Dialog(), 2000), nullptr);
}

INSTANTIATE_TEST_SUITE_P(OpenAndSave, RealFileDialog, testing::Values(L"open", L"save"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) { return Narrow(info.param); });

TEST(OtherDialogs, MessageBoxIsNoFileDialog)
{
    TModalThread box([] { ::MessageBoxW(nullptr, L"text", L"Kestro test", MB_OK); });
    HWND dialog = box.WaitForWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_FALSE(kestro::IsFileDialog(dialog));
}

TEST(OtherDialogs, FolderBrowserIsNoFileDialog)
{
    TModalThread browser([] {
        ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
        BROWSEINFOW info = {};
        info.lpszTitle = L"Kestro test";
        info.ulFlags = BIF_RETURNONLYFSDIRS | BIF_EDITBOX;
        if (LPITEMIDLIST chosen = ::SHBrowseForFolderW(&info)) ::CoTaskMemFree(chosen);
        ::CoUninitialize();
    });
    HWND dialog = browser.WaitForWindow();
    ASSERT_NE(dialog, nullptr);
    ASSERT_NE(::FindWindowExW(dialog, nullptr, L"SysTreeView32", nullptr), nullptr) << "not the folder browser";
    EXPECT_FALSE(kestro::IsFileDialog(dialog));
}

TEST(OtherDialogs, NoWindowIsNoFileDialog)
{
    EXPECT_FALSE(kestro::IsFileDialog(nullptr));
    EXPECT_EQ(kestro::GetWindowClass(nullptr), L"");
}

// A dialog-like window assembled in the test process: its class, a view child (direct or one
// level down) and the buttons it carries.
struct TMadeDialog {
    const char* Name;
    const wchar_t* ClassName;
    const wchar_t* ViewClass;
    bool ViewNested;
    std::vector<int> Buttons;
    bool Expected;
};

void PrintTo(const TMadeDialog& c, std::ostream* os)
{
    *os << c.Name;
}

class MadeDialogs : public testing::TestWithParam<TMadeDialog> {};

TEST_P(MadeDialogs, AreRecognisedByClassViewAndButtons)
{
    const TMadeDialog& c = GetParam();
    const TOwnWindow dialog = CreateTopWindow(OwnClass(c.ClassName), 50, 50, 300, 200);
    ASSERT_NE(dialog.get(), nullptr);
    ASSERT_EQ(ClassOf(dialog.get()), c.ClassName);
    if (c.ViewClass) {
        HWND parent = c.ViewNested ? CreateChild(dialog.get(), OwnClass(L"KestroPanel"), 500) : dialog.get();
        ASSERT_NE(CreateChild(parent, OwnClass(c.ViewClass), 1121), nullptr);
    }
    for (int id : c.Buttons) ASSERT_NE(CreateChild(dialog.get(), L"BUTTON", id), nullptr);
    EXPECT_EQ(kestro::IsFileDialog(dialog.get()), c.Expected);
}

// "#32770" is the system's dialog class; OwnClass leaves an existing class as it is.
const TMadeDialog kMadeDialogs[] = {
    {"explorer style", L"#32770", L"SHELLDLL_DefView", false, {1, 2}, true},
    {"item dialog view", L"#32770", L"DUIViewWndClassName", false, {1, 2}, true},
    {"no control 2", L"#32770", L"SHELLDLL_DefView", false, {1}, false},
    {"no control 1", L"#32770", L"SHELLDLL_DefView", false, {2}, false},
    {"no view", L"#32770", nullptr, false, {1, 2}, false},
    {"view one level down", L"#32770", L"SHELLDLL_DefView", true, {1, 2}, false},
    {"other view class", L"#32770", L"SHELLDLL_DefViewX", false, {1, 2}, false},
    {"class with a suffix", L"#32770x", L"SHELLDLL_DefView", false, {1, 2}, false},
    {"class with a prefix", L"x#32770", L"SHELLDLL_DefView", false, {1, 2}, false},
};
INSTANTIATE_TEST_SUITE_P(Trees, MadeDialogs, testing::ValuesIn(kMadeDialogs));

TEST(FindChildByClassOnFileDialog, FindsTheFileNameBox)
{
    TFileDialogApp app;
    app.Start(L"save", ScratchFolder(L"findchild"), L"report.txt");
    EXPECT_EQ(kestro::FindFileNameBox(app.Dialog()), app.FileNameBox());
    EXPECT_FALSE(kestro::IsFolderPicker(app.Dialog()));
    HWND edit = kestro::FindChildByClass(app.Dialog(), L"Edit");
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit, app.FileNameBox()) << "the first Edit is not inside ComboBoxEx32 1148";
    EXPECT_EQ(TextOf(edit), L"report.txt");
    ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"C:\\windows"));
    EXPECT_EQ(TextOf(edit), L"C:\\windows");
    EXPECT_EQ(kestro::FindChildByClass(app.Dialog(), L"KestroNoSuchClass"), nullptr);
}

TEST(FindChildByClassOnMadeTree, TakesTheFirstExactMatchInEnumerationOrder)
{
    const TOwnWindow top = CreateTopWindow(OwnClass(L"KestroTree"), 50, 50, 300, 200);
    HWND panel = CreateChild(top.get(), OwnClass(L"KestroPanel"), 1);
    HWND nested = CreateChild(panel, OwnClass(L"KestroTarget"), 2);
    HWND direct = CreateChild(top.get(), OwnClass(L"KestroTarget"), 3);
    ASSERT_TRUE(nested && direct);

    // Children are enumerated depth first: the panel's child comes before the later sibling.
    EXPECT_EQ(kestro::FindChildByClass(top.get(), L"KestroTarget"), nested);
    EXPECT_EQ(kestro::FindChildByClass(panel, L"KestroTarget"), nested);
    // The comparison is exact: no other case, no prefix; and a failed search forgets the last.
    EXPECT_EQ(kestro::FindChildByClass(top.get(), L"kestrotarget"), nullptr);
    EXPECT_EQ(kestro::FindChildByClass(top.get(), L"KestroTarg"), nullptr);
    // The parent itself is no descendant.
    EXPECT_EQ(kestro::FindChildByClass(top.get(), L"KestroTree"), nullptr);
}

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

// Other tests read the fixture's caption; these pin down what it reports.
TEST(FileDialogAppFixture, ReportsTheFolderThenTheChosenFileAndEndsOnClose)
{
    const std::wstring folder = ScratchFolder(L"fixture");
    TFileDialogApp app;
    app.Start(L"open", folder, L"chosen.txt");
    EXPECT_TRUE(SamePath(app.Caption(), L"folder:" + folder)) << Narrow(app.Caption());

    PressDialogButton(app.Dialog(), IDOK);
    ASSERT_TRUE(WaitFor([&] { return app.Caption().rfind(L"result:", 0) == 0; })) << Narrow(app.Caption());
    EXPECT_TRUE(SamePath(app.Caption(), L"result:" + folder + L"\\chosen.txt")) << Narrow(app.Caption());
    EXPECT_TRUE(app.Process().Running()) << "the fixture must wait for WM_CLOSE";

    ::PostMessageW(app.State(), WM_CLOSE, 0, 0);
    DWORD exitCode = 1;
    EXPECT_TRUE(app.Process().WaitExit(5000, &exitCode));
    EXPECT_EQ(exitCode, 0u);
}

TEST(FileDialogAppFixture, ReportsCancel)
{
    TFileDialogApp app;
    app.Start(L"save", ScratchFolder(L"fixture"), L"a.txt");
    PressDialogButton(app.Dialog(), IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return app.Caption() == L"cancel"; })) << Narrow(app.Caption());
}

}  // namespace
