// Selecting a folder in another program's folder-browse dialog, in both of its styles, with the
// path written into that program's memory.
#include <gtest/gtest.h>

#include "tests/support/BrowseFixture.h"
#include "tests/support/Windows.h"
#include "winutil/BrowseDialog.h"
#include "winutil/BrowseSelection.h"

using namespace kestro::test;

namespace {
class BrowseSelection : public testing::TestWithParam<const wchar_t*> {};

TEST_P(BrowseSelection, SelectsTheFolderAndLeavesTheDialogOpen)
{
    const std::wstring start = BrowseableFolder(L"SelectStart");
    const std::wstring other = BrowseableFolder(L"SelectOther");
    TBrowseDialogApp app;
    app.Start(GetParam(), start);
    EXPECT_TRUE(kestro::IsBrowseDialog(app.Dialog()));
    EXPECT_TRUE(kestro::SelectInBrowseDialog(app.Dialog(), other, 5000));
    EXPECT_TRUE(WaitFor([&] { return app.Caption() == L"selected:" + other; })) << Narrow(app.Caption());
    EXPECT_TRUE(::IsWindowVisible(app.Dialog()));
    PressDialogButton(app.Dialog(), IDOK);
    EXPECT_TRUE(WaitFor([&] { return app.Caption() == L"result:" + other; })) << Narrow(app.Caption());
    for (const std::wstring& folder : {start, other}) ::RemoveDirectoryW(folder.c_str());
}

INSTANTIATE_TEST_SUITE_P(BothStyles, BrowseSelection, testing::Values(L"old", L"new"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) { return Narrow(info.param); });
}  // namespace
