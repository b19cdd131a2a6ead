// The item-dialog fixture keeps the window contract the follower relies on; the follower's
// tests on it mean something only while it does.
#include <gtest/gtest.h>

#include <cwchar>

#include "tests/support/DataFiles.h"
#include "tests/support/Input.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/Windows.h"
#include "winutil/AddressBar.h"
#include "winutil/FileDialog.h"

using namespace kestro;
using namespace kestro::test;

namespace {
class ItemDialog : public testing::Test {
protected:
    void SetUp() override
    {
        start = ScratchFolder(L"ItemStart");
        other = ScratchFolder(L"ItemOther");
        dialog.Start(start, L"name.txt");
    }

    std::wstring start;
    std::wstring other;
    TItemDialog dialog;
};
}  // namespace

TEST_F(ItemDialog, HasTheTreeOfTheNewerFileDialog)
{
    EXPECT_TRUE(IsFileDialog(dialog.Dialog()));
    ASSERT_NE(dialog.FileNameBox(), nullptr);
    EXPECT_EQ(FindFileNameBox(dialog.Dialog()), dialog.FileNameBox());
    EXPECT_NE(FindChildByClass(dialog.Dialog(), L"Edit"), dialog.FileNameBox())
        << "an edit box of the program's own comes first, as it may in Windows' dialog";
    EXPECT_GE(ChildrenOfClass(dialog.Dialog(), L"Edit").size(), 1u) << "a search box further down";
    EXPECT_FALSE(IsFolderPicker(dialog.Dialog()));
    EXPECT_EQ(TextOf(dialog.FileNameBox()), L"name.txt");
    ASSERT_NE(dialog.Breadcrumb(), nullptr);
    EXPECT_EQ(std::wcslen(kItemBreadcrumbLabel), kItemBreadcrumbLabelLength);
    EXPECT_EQ(TextOf(dialog.Breadcrumb()), kItemBreadcrumbLabel + start);
}

TEST_F(ItemDialog, EnterWithAFolderMovesThereAndEmptiesTheBox)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(dialog.FileNameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()),
                          SMTO_ABORTIFHUNG, 2000, &result);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return dialog.Folder() == other; }));
    EXPECT_EQ(TextOf(dialog.Breadcrumb()), kItemBreadcrumbLabel + other);
    EXPECT_EQ(TextOf(dialog.FileNameBox()), L"");
    EXPECT_TRUE(::IsWindow(dialog.Dialog()));
}

TEST_F(ItemDialog, AFolderPickerHasNoFileTypesAndTakesTheFolderInItsBoxAsChosen)
{
    TItemDialog picker;
    picker.Start(start, L"", idPicksFolders);
    EXPECT_TRUE(IsFolderPicker(picker.Dialog()));
    picker.Submit(other);
    EXPECT_TRUE(WaitFor([&] { return picker.Report() == L"result:" + other; }));
}

// As on Windows: the address edit is hidden behind the breadcrumbs until a click on their empty part,
// Alt+D, or F4 outside the name box shows it; Enter there navigates, in a picker too, and never
// touches the name box or closes the dialog; Escape brings the breadcrumbs back.
TEST_F(ItemDialog, ItsAddressEditShowsOnlyAsOnWindowsAndItsEnterNavigates)
{
    TItemDialog picker;
    picker.Start(start, L"name", idPicksFolders);
    EXPECT_EQ(ReadAddressBarMode(picker.Dialog()), TAddressBarMode::Breadcrumbs);
    RECT bar = {};
    ::GetClientRect(picker.Breadcrumb(), &bar);
    const auto clickBar = [&](int x) {
        POINT at = {x, bar.bottom / 2};
        ::ClientToScreen(picker.Breadcrumb(), &at);
        ClickAt(at);
        PumpFor(200);
    };
    clickBar(2);
    EXPECT_FALSE(picker.AddressEditShown()) << "a click on the crumbs showed the address edit";
    PressKey(VK_F4);
    PumpFor(200);
    EXPECT_FALSE(picker.AddressEditShown()) << "F4 in the name box showed the address edit";
    clickBar(bar.right - 4);
    ASSERT_TRUE(WaitFor([&] { return picker.AddressEditShown(); }));
    EXPECT_EQ(ReadAddressBarMode(picker.Dialog()), TAddressBarMode::Edit);
    EXPECT_EQ(TextOf(picker.AddressEdit()), start);
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(picker.AddressEdit(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(other.c_str()),
                          SMTO_ABORTIFHUNG, 2000, &result);
    PressKey(VK_RETURN);
    ASSERT_TRUE(WaitFor([&] { return picker.Folder() == other; }));
    EXPECT_TRUE(WaitFor([&] { return !picker.AddressEditShown(); }));
    EXPECT_TRUE(::IsWindow(picker.Dialog()));
    EXPECT_EQ(TextOf(picker.FileNameBox()), L"name");
    PressKey('D', VK_MENU);
    ASSERT_TRUE(WaitFor([&] { return picker.AddressEditShown(); })) << "Alt+D did not show the address edit";
    EXPECT_EQ(TextOf(picker.AddressEdit()), other);
    PressKey(VK_ESCAPE);
    EXPECT_TRUE(WaitFor([&] { return !picker.AddressEditShown(); }));
    EXPECT_EQ(picker.Folder(), other);
}

TEST_F(ItemDialog, EnterWithAnythingElseAcceptsItAsTheFile)
{
    dialog.Submit(start + L"\\missing");
    ASSERT_TRUE(WaitFor([&] { return dialog.Report() == L"result:" + start + L"\\missing"; }));
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(dialog.Dialog()); }));
}

TEST_F(ItemDialog, StopsAnsweringForAWhileWhenAsked)
{
    ASSERT_TRUE(dialog.Answers());
    EXPECT_TRUE(dialog.Hang(1500));
    EXPECT_TRUE(WaitFor([&] { return dialog.Answers(); }, 3000));

    dialog.HangOnClear(1500);
    EXPECT_TRUE(dialog.Answers()) << "answers until the box is cleared";
    DWORD_PTR result = 0;
    EXPECT_FALSE(::SendMessageTimeoutW(dialog.FileNameBox(), WM_CLEAR, 0, 0, 0, 300, &result));
    EXPECT_FALSE(dialog.Answers(300));
    EXPECT_TRUE(WaitFor([&] { return dialog.Answers(); }, 3000));
}
