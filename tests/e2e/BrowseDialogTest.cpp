// The tool window over another program's folder-browse dialog, in both of its styles: docked and
// following, and a click on a favourite selecting the folder in the dialog's tree without closing it.
#include <gtest/gtest.h>

#include "tests/support/BrowseFixture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/Follow.h"
#include "tests/support/Input.h"
#include "tests/support/Kestro.h"
#include "tests/support/Windows.h"

using namespace kestro::test;

namespace {
constexpr DWORD kJumpWaitMs = 5000;

class BrowseDialogs : public testing::TestWithParam<const wchar_t*> {
protected:
    void SetUp() override
    {
        ResetDataDir();
        WriteDataFile(L"KestroF.lst", AnsiLines({a, b}));
    }
    void TearDown() override
    {
        for (const std::wstring& folder : {start, a, b}) ::RemoveDirectoryW(folder.c_str());
    }

    const std::wstring start = BrowseableFolder(L"BrowseStart");
    const std::wstring a = BrowseableFolder(L"BrowseA");
    const std::wstring b = BrowseableFolder(L"BrowseB");
    TKestro kestro;
};

TEST_P(BrowseDialogs, DocksFollowsAndAClickSelectsTheFolderWhichOKThenReturns)
{
    kestro.StartReady();
    TBrowseDialogApp app;
    app.Start(GetParam(), start);
    ASSERT_TRUE(WaitFollowing(kestro, app.Dialog())) << "the tool window did not come up over the dialog";
    EXPECT_EQ(kestro.Caption(), FollowCaption(BrowseDialogAppExe()));
    EXPECT_EQ(kestro.StatusText(), L"") << "the dialog has no file name";
    MoveTo(app.Dialog(), 310, 170);
    EXPECT_TRUE(WaitFollowing(kestro, app.Dialog(), 1000)) << "the move was not followed";

    ClickEntry(kestro, 1);
    EXPECT_TRUE(WaitFor([&] { return app.Caption() == L"selected:" + b; }, kJumpWaitMs)) << Narrow(app.Caption());
    ClickEntry(kestro, 0);
    EXPECT_TRUE(WaitFor([&] { return app.Caption() == L"selected:" + a; }, kJumpWaitMs)) << Narrow(app.Caption());
    PumpFor(1000);
    EXPECT_EQ(app.Caption(), L"selected:" + a) << "the click accepted the folder";
    EXPECT_TRUE(::IsWindowVisible(app.Dialog()));
    EXPECT_TRUE(SitsOnTopRightOf(kestro, app.Dialog()));

    PressDialogButton(app.Dialog(), IDOK);
    EXPECT_TRUE(WaitFor([&] { return app.Caption() == L"result:" + a; })) << Narrow(app.Caption());
    EXPECT_TRUE(WaitFor([&] { return !kestro.Visible(); }, 1500)) << "still shown after the dialog closed";
    EXPECT_EQ(kestro.Caption(), L"Kestro");
    // The selection moves with every arrow key in the tree: none of it is history.
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroH.lst"), std::string());
}

INSTANTIATE_TEST_SUITE_P(BothStyles, BrowseDialogs, testing::Values(L"old", L"new"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) { return Narrow(info.param); });

TEST(OwnBrowseDialog, KestrosOwnAddDialogIsNotFollowed)
{
    ResetDataDir();
    WriteDataFile(L"KestroF.lst", AnsiLines({L"C:\\windows"}));
    TKestro kestro;
    kestro.StartReady();
    ASSERT_EQ(kestro.RelayShow(), 0u);
    ASSERT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
    const RECT before = WindowRect(kestro.Main());
    ClickAt(kestro.ButtonPoint(tbAdd));
    HWND browse = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (browse = FindDialogOf(kestro.Process().Id())) != nullptr; }));
    PumpFor(1500);
    const RECT after = WindowRect(kestro.Main());
    EXPECT_EQ(after.left, before.left);
    EXPECT_EQ(after.top, before.top);
    EXPECT_EQ(kestro.Caption(), L"Kestro");
    PressDialogButton(browse, IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return FindDialogOf(kestro.Process().Id()) == nullptr; }));
}
}  // namespace
