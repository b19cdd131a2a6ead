#include <gtest/gtest.h>

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

TEST(BrowseFlags, OptionBitsGiveTheDialogFlags)
{
    EXPECT_EQ(BrowseFlagsForOptions(11), 0x0051u);  // the add command's options
    EXPECT_EQ(BrowseFlagsForOptions(0), 0x0201u);   // no new-folder button without bit 0x01
    EXPECT_EQ(BrowseFlagsForOptions(0x04), 0x8201u);
    EXPECT_EQ(BrowseFlagsForOptions(0x0C), 0x0241u);  // shares only with the old dialog style
    EXPECT_EQ(BrowseFlagsForOptions(0x31), 0x4021u);
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
    const struct {
        int Pixels;
        UINT From;
        UINT To;
        int Expected;
    } cases[] = {
        {300, 96, 96, 300},  {300, 144, 96, 200}, {301, 144, 96, 201},  // 200.67 up
        {302, 144, 96, 201},                                             // 201.33 down
        {200, 96, 144, 300}, {201, 96, 144, 302},                        // 301.5 up
        {250, 120, 96, 200}, {251, 120, 96, 201}, {253, 120, 96, 202},  // 200.8 up, 202.4 down
        {400, 192, 96, 200}, {401, 192, 96, 201},                        // 200.5 up
        {200, 96, 192, 400}, {300, 144, 192, 400}, {300, 192, 120, 188}, // 187.5 up
    };
    for (const auto& c : cases)
        EXPECT_EQ(RescalePixels(c.Pixels, c.From, c.To), c.Expected) << c.Pixels << " at " << c.From << " to " << c.To;
    // A window closed on a 150 % monitor keeps its size over many starts at 100 %.
    int saved = 300;
    for (int start = 0; start < 10; ++start) saved = RescalePixels(RescalePixels(saved, 96, 144), 144, 96);
    EXPECT_EQ(saved, 300);
}

TEST(FormLayout, TheMinimumHeightKeepsTwoRowsOfTheList)
{
    EXPECT_EQ(MinimumOuterHeight(100, 100, 40, 16), 100);  // rows to spare
    EXPECT_EQ(MinimumOuterHeight(100, 100, 32, 16), 100);  // exactly two rows
    EXPECT_EQ(MinimumOuterHeight(100, 100, 21, 16), 111);  // one row and a bit
    EXPECT_EQ(MinimumOuterHeight(100, 100, 0, 16), 132);   // wrapped tabs cover the list
    EXPECT_EQ(MinimumOuterHeight(100, 150, 10, 16), 172);  // a taller window shows as few rows
    EXPECT_EQ(MinimumOuterHeight(100, 60, 0, 16), 100);    // still no lower than the design
    EXPECT_EQ(MinimumOuterHeight(150, 100, 21, -1), 150);  // no row height known
}
