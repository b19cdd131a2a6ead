#include <gtest/gtest.h>

#include <shlobj.h>

#include "ui/BrowseForFolder.h"
#include "ui/Layout.h"

using namespace kestro;

namespace {
bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
}  // namespace

TEST(FormLayout, ToolBarAndStatusLineFrameTheTabControl)
{
    // The design client area: edit mode (tool bar shown) and standby mode (status line shown).
    const TFormLayout edit = ComputeFormLayout(234, 189, true, false, 96);
    EXPECT_TRUE(SameRect(edit.ToolBar, {0, 0, 234, 23}));
    EXPECT_TRUE(SameRect(edit.Tab, {0, 23, 234, 189}));
    const TFormLayout standby = ComputeFormLayout(234, 189, false, true, 96);
    EXPECT_TRUE(SameRect(standby.Tab, {0, 0, 234, 170}));
    EXPECT_TRUE(SameRect(standby.StatusBar, {0, 170, 234, 189}));
    // Both shown, as designed: the tab control gets the 147 pixels between them.
    const TFormLayout both = ComputeFormLayout(234, 189, true, true, 96);
    EXPECT_EQ(both.Tab.top, 23);
    EXPECT_EQ(both.Tab.bottom - both.Tab.top, 147);
}

TEST(FormLayout, ScalesWithTheMonitorsDpi)
{
    EXPECT_EQ(ScaleForDpi(23, 96), 23);
    EXPECT_EQ(ScaleForDpi(23, 144), 35);  // 34.5 rounds up, as MulDiv rounds
    EXPECT_EQ(ScaleForDpi(150, 120), 188);
    const TFormLayout edit = ComputeFormLayout(468, 378, true, false, 192);
    EXPECT_TRUE(SameRect(edit.ToolBar, {0, 0, 468, 46}));
    EXPECT_TRUE(SameRect(edit.Tab, {0, 46, 468, 378}));
}

TEST(FormLayout, ARolledUpClientAreaNeverGivesANegativeTabHeight)
{
    const TFormLayout layout = ComputeFormLayout(150, 0, false, true, 96);
    EXPECT_GE(layout.Tab.bottom, layout.Tab.top);
}

TEST(BrowseFlags, TheAddCommandsDialogHasAnEditBoxANewFolderButtonAndTakesOnlyFolders)
{
    EXPECT_EQ(BrowseFlagsForOptions(11), static_cast<UINT>(BIF_RETURNONLYFSDIRS | BIF_EDITBOX | BIF_NEWDIALOGSTYLE));
}

TEST(BrowseCentre, CentresOnTheMonitorTruncatingTowardZero)
{
    EXPECT_EQ(CentreOnMonitor({0, 0, 1280, 1024}, 400, 300).x, 440);
    EXPECT_EQ(CentreOnMonitor({0, 0, 1280, 1024}, 400, 300).y, 362);
    // A second monitor to the left of the primary one.
    EXPECT_EQ(CentreOnMonitor({-1920, 0, 0, 1080}, 401, 301).x, -1920 + 759);
    EXPECT_EQ(CentreOnMonitor({-1920, 0, 0, 1080}, 401, 301).y, 389);
    // A dialog wider than the monitor: (100 - 105) div 2 is -2, not -3.
    EXPECT_EQ(CentreOnMonitor({0, 0, 100, 100}, 105, 50).x, -2);
}

TEST(FormLayout, RescalesASizeBetweenScalesToTheNearestPixel)
{
    // From, to, pixels, expected: 200.67 and 301.5 and 200.5 up, 201.33 and 202.4 down.
    const int cases[][4] = {{96, 96, 300, 300},  {144, 96, 301, 201}, {144, 96, 302, 201}, {96, 144, 201, 302},
                            {120, 96, 253, 202}, {192, 96, 401, 201}, {96, 192, 200, 400}, {192, 120, 300, 188}};
    for (const auto& c : cases) EXPECT_EQ(RescalePixels(c[2], c[0], c[1]), c[3]) << c[2] << " from " << c[0];
    // A window closed on a 150 % monitor keeps its size over many starts at 100 %.
    int saved = 300;
    for (int start = 0; start < 10; ++start) saved = RescalePixels(RescalePixels(saved, 96, 144), 144, 96);
    EXPECT_EQ(saved, 300);
}

TEST(FormLayout, TheMinimumHeightKeepsTwoRowsOfTheList)
{
    EXPECT_EQ(MinimumOuterHeight(100, 100, 32, 16), 100);  // exactly two rows
    EXPECT_EQ(MinimumOuterHeight(100, 100, 0, 16), 132);   // wrapped tabs cover the list
    EXPECT_EQ(MinimumOuterHeight(100, 150, 10, 16), 172);
    EXPECT_EQ(MinimumOuterHeight(100, 60, 0, 16), 100);  // never below the design
}
