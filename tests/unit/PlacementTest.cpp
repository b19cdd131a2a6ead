#include <gtest/gtest.h>

#include <ostream>
#include <vector>

#include "winutil/Placement.h"

namespace kestro {

std::ostream& operator<<(std::ostream& os, const TBounds& b)
{
    return os << "{" << b.Left << ", " << b.Top << ", " << b.Width << ", " << b.Height << "}";
}

}  // namespace kestro

namespace {

using kestro::TAreaKind;
using kestro::TBounds;

// An 800 x 600 window somewhere on the screen before it is placed.
constexpr TBounds kWindow = {100, 50, 800, 600};
// A window larger than the area, whose centre is negative.
constexpr TBounds kOversized = {0, 0, 1925, 1045};

struct TPlacementCase {
    const char* Layout;
    RECT Area;
    TAreaKind Kind;
    int Code;
    TBounds Start;
    TBounds Expected;
};

void PrintTo(const TPlacementCase& c, std::ostream* os)
{
    *os << c.Layout << (c.Kind == TAreaKind::WorkArea ? " work area" : " screen area") << " code " << c.Code;
}

class PlacementTable : public testing::TestWithParam<TPlacementCase> {};

TEST_P(PlacementTable, GivesTheTableBounds)
{
    const TPlacementCase& c = GetParam();
    EXPECT_EQ(kestro::ComputePlacement(c.Area, c.Start, c.Code, c.Kind), c.Expected);
}

constexpr auto W = TAreaKind::WorkArea;
constexpr auto S = TAreaKind::ScreenArea;
constexpr RECT kBottomWork = {0, 0, 1920, 1040};
constexpr RECT kLeftWork = {60, 0, 1920, 1080};
constexpr RECT kTopWork = {0, 40, 1920, 1080};
constexpr RECT kFullScreen = {0, 0, 1920, 1080};

// 1920 x 1080 with a 40-pixel taskbar at the bottom.
const TPlacementCase kBottomTaskbar[] = {
    {"bottom", kBottomWork, W, 0, kWindow, {100, 0, 800, 1040}},
    {"bottom", kBottomWork, W, 1, kWindow, {0, 50, 1920, 600}},
    {"bottom", kBottomWork, W, 2, kWindow, {100, 0, 800, 600}},
    {"bottom", kBottomWork, W, 3, kWindow, {100, 440, 800, 600}},
    {"bottom", kBottomWork, W, 4, kWindow, {0, 50, 800, 600}},
    {"bottom", kBottomWork, W, 5, kWindow, {1120, 50, 800, 600}},
    {"bottom", kBottomWork, W, 6, kWindow, {0, 0, 800, 600}},
    {"bottom", kBottomWork, W, 7, kWindow, {1120, 0, 800, 600}},
    {"bottom", kBottomWork, W, 8, kWindow, {0, 440, 800, 600}},
    {"bottom", kBottomWork, W, 9, kWindow, {1120, 440, 800, 600}},
    {"bottom", kBottomWork, W, 10, kWindow, {560, 220, 800, 600}},
    {"bottom", kFullScreen, S, 10, kWindow, {560, 240, 800, 600}},
    {"bottom", kBottomWork, W, 11, kWindow, {0, 0, 1920, 520}},
    {"bottom", kBottomWork, W, 12, kWindow, {0, 520, 1920, 520}},
    {"bottom", kBottomWork, W, 13, kWindow, {0, 0, 960, 1040}},
    {"bottom", kBottomWork, W, 14, kWindow, {960, 0, 960, 1040}},
};
INSTANTIATE_TEST_SUITE_P(BottomTaskbar, PlacementTable, testing::ValuesIn(kBottomTaskbar));

// A 60-pixel taskbar at the left: the centre ignores L, and the halves reach past the right.
const TPlacementCase kLeftTaskbar[] = {
    {"left", kLeftWork, W, 0, kWindow, {100, 0, 800, 1080}},
    {"left", kLeftWork, W, 1, kWindow, {60, 50, 1860, 600}},
    {"left", kLeftWork, W, 2, kWindow, {100, 0, 800, 600}},
    {"left", kLeftWork, W, 3, kWindow, {100, 480, 800, 600}},
    {"left", kLeftWork, W, 4, kWindow, {60, 50, 800, 600}},
    {"left", kLeftWork, W, 5, kWindow, {1120, 50, 800, 600}},
    {"left", kLeftWork, W, 6, kWindow, {60, 0, 800, 600}},
    {"left", kLeftWork, W, 7, kWindow, {1120, 0, 800, 600}},
    {"left", kLeftWork, W, 8, kWindow, {60, 480, 800, 600}},
    {"left", kLeftWork, W, 9, kWindow, {1120, 480, 800, 600}},
    {"left", kLeftWork, W, 10, kWindow, {560, 240, 800, 600}},
    {"left", kFullScreen, S, 10, kWindow, {560, 240, 800, 600}},
    {"left", kLeftWork, W, 11, kWindow, {60, 0, 1920, 540}},
    {"left", kLeftWork, W, 12, kWindow, {60, 540, 1920, 540}},
    {"left", kLeftWork, W, 13, kWindow, {60, 0, 960, 1080}},
    {"left", kLeftWork, W, 14, kWindow, {960, 0, 960, 1080}},
};
INSTANTIATE_TEST_SUITE_P(LeftTaskbar, PlacementTable, testing::ValuesIn(kLeftTaskbar));

// A 40-pixel taskbar at the top: the work-area centre takes T, the screen-area centre never does.
const TPlacementCase kTopTaskbar[] = {
    {"top", kTopWork, W, 0, kWindow, {100, 40, 800, 1040}},
    {"top", kTopWork, W, 1, kWindow, {0, 50, 1920, 600}},
    {"top", kTopWork, W, 2, kWindow, {100, 40, 800, 600}},
    {"top", kTopWork, W, 3, kWindow, {100, 480, 800, 600}},
    {"top", kTopWork, W, 4, kWindow, {0, 50, 800, 600}},
    {"top", kTopWork, W, 5, kWindow, {1120, 50, 800, 600}},
    {"top", kTopWork, W, 6, kWindow, {0, 40, 800, 600}},
    {"top", kTopWork, W, 7, kWindow, {1120, 40, 800, 600}},
    {"top", kTopWork, W, 8, kWindow, {0, 480, 800, 600}},
    {"top", kTopWork, W, 9, kWindow, {1120, 480, 800, 600}},
    {"top", kTopWork, W, 10, kWindow, {560, 260, 800, 600}},
    {"top", kFullScreen, S, 10, kWindow, {560, 240, 800, 600}},
    {"top, raw", kTopWork, S, 10, kWindow, {560, 240, 800, 600}},
    {"top", kTopWork, W, 11, kWindow, {0, 40, 1920, 540}},
    {"top", kTopWork, W, 12, kWindow, {0, 540, 1920, 540}},
    {"top", kTopWork, W, 13, kWindow, {0, 40, 960, 1040}},
    {"top", kTopWork, W, 14, kWindow, {960, 40, 960, 1040}},
};
INSTANTIATE_TEST_SUITE_P(TopTaskbar, PlacementTable, testing::ValuesIn(kTopTaskbar));

// Codes outside 0..14 repeat the current bounds. A window larger than the area centres at a
// negative position that truncates toward zero: 1920 - 1925 = -5 gives -2, not -3.
const TPlacementCase kOddCodesAndSizes[] = {
    {"bottom", kBottomWork, W, 15, kWindow, kWindow},
    {"bottom", kBottomWork, W, -1, kWindow, kWindow},
    {"bottom", kFullScreen, S, 15, kWindow, kWindow},
    {"bottom", kFullScreen, S, -1, kWindow, kWindow},
    {"oversized", kBottomWork, W, 10, kOversized, {-2, -2, 1925, 1045}},
    {"oversized", kFullScreen, S, 10, kOversized, {-2, 17, 1925, 1045}},
};
INSTANTIATE_TEST_SUITE_P(OddCodesAndSizes, PlacementTable, testing::ValuesIn(kOddCodesAndSizes));

struct TGrowCase {
    const char* Name;
    RECT WorkArea;
    UINT AppBarEdge;
    RECT Taskbar;
    RECT Expected;
};

void PrintTo(const TGrowCase& c, std::ostream* os)
{
    *os << c.Name;
}

class GrowOverTaskbarTable : public testing::TestWithParam<TGrowCase> {};

TEST_P(GrowOverTaskbarTable, GivesTheScreenArea)
{
    const TGrowCase& c = GetParam();
    const RECT got = kestro::GrowOverTaskbar(c.WorkArea, kestro::TaskbarEdgeFromAppBarEdge(c.AppBarEdge), c.Taskbar);
    EXPECT_EQ(got.left, c.Expected.left);
    EXPECT_EQ(got.top, c.Expected.top);
    EXPECT_EQ(got.right, c.Expected.right);
    EXPECT_EQ(got.bottom, c.Expected.bottom);
}

// The taskbar's edge as the shell reports it. Top and left subtract the taskbar's far coordinate;
// bottom and right add its size. The "offset" rows tell the two apart; the 1-pixel row is the bar
// that Wine 8 reports.
const TGrowCase kGrowCases[] = {
    {"top", {0, 40, 1920, 1080}, ABE_TOP, {0, 0, 1920, 40}, {0, 0, 1920, 1080}},
    {"top offset", {0, 40, 1920, 1080}, ABE_TOP, {0, 5, 1920, 40}, {0, 0, 1920, 1080}},
    {"bottom", {0, 0, 1920, 1040}, ABE_BOTTOM, {0, 1040, 1920, 1080}, {0, 0, 1920, 1080}},
    {"bottom 1 px", {0, 0, 1280, 1024}, ABE_BOTTOM, {0, 1023, 1280, 1024}, {0, 0, 1280, 1025}},
    {"left", {60, 0, 1920, 1080}, ABE_LEFT, {0, 0, 60, 1080}, {0, 0, 1920, 1080}},
    {"left offset", {60, 0, 1920, 1080}, ABE_LEFT, {10, 0, 60, 1080}, {0, 0, 1920, 1080}},
    {"right", {0, 0, 1860, 1080}, ABE_RIGHT, {1860, 0, 1920, 1080}, {0, 0, 1920, 1080}},
    {"right offset", {0, 0, 1860, 1080}, ABE_RIGHT, {1900, 0, 1920, 1080}, {0, 0, 1880, 1080}},
    {"no such edge", {0, 0, 1920, 1040}, 4, {0, 1040, 1920, 1080}, {0, 0, 1920, 1040}},
};
INSTANTIATE_TEST_SUITE_P(Edges, GrowOverTaskbarTable, testing::ValuesIn(kGrowCases));

// A monitor layout of plain rectangles (right and bottom exclusive) that records every point
// the predicate is asked about.
struct TLayout {
    std::vector<RECT> Monitors;
    std::vector<POINT> Asked;

    bool OffScreen(const TBounds& bounds)
    {
        Asked.clear();
        return kestro::IsOffScreenWith(bounds, [this](POINT p) {
            Asked.push_back(p);
            for (const RECT& m : Monitors)
                if (p.x >= m.left && p.x < m.right && p.y >= m.top && p.y < m.bottom) return true;
            return false;
        });
    }
};

std::vector<std::pair<long, long>> Pairs(const std::vector<POINT>& points)
{
    std::vector<std::pair<long, long>> pairs;
    for (const POINT& p : points) pairs.emplace_back(p.x, p.y);
    return pairs;
}

constexpr RECT kPrimary = {0, 0, 1920, 1080};
constexpr RECT kSecond = {1920, 0, 3840, 1080};

struct TOffScreenCase {
    const char* Name;
    std::vector<RECT> Monitors;
    TBounds Window;
    bool Expected;
    std::vector<std::pair<long, long>> Asked;
};

void PrintTo(const TOffScreenCase& c, std::ostream* os)
{
    *os << c.Name;
}

class IsOffScreenLayouts : public testing::TestWithParam<TOffScreenCase> {};

TEST_P(IsOffScreenLayouts, TestsThePointsInOrderAndStopsOnAMonitor)
{
    const TOffScreenCase& c = GetParam();
    TLayout layout{c.Monitors, {}};
    EXPECT_EQ(layout.OffScreen(c.Window), c.Expected);
    EXPECT_EQ(Pairs(layout.Asked), c.Asked);
}

const TOffScreenCase kOffScreenCases[] = {
    {"on the second monitor", {kPrimary, kSecond}, {2000, 100, 800, 600}, false, {{2000, 100}}},
    {"second monitor removed",
     {kPrimary},
     {2000, 100, 800, 600},
     true,
     {{2000, 100}, {2800, 700}, {2800, 100}, {2000, 700}, {2400, 400}}},
    {"only the top-left corner on screen", {kPrimary}, {1900, 1000, 800, 600}, false, {{1900, 1000}}},
    {"bottom-right corner", {kPrimary}, {-100, -100, 200, 200}, false, {{-100, -100}, {100, 100}}},
    {"top-right corner", {kPrimary}, {-100, 500, 200, 1000}, false, {{-100, 500}, {100, 1500}, {100, 500}}},
    {"bottom-left corner",
     {kPrimary},
     {100, -100, 2000, 200},
     false,
     {{100, -100}, {2100, 100}, {2100, -100}, {100, 100}}},
    {"centre only",
     {kPrimary},
     {-100, -100, 2200, 1400},
     false,
     {{-100, -100}, {2100, 1300}, {2100, -100}, {-100, 1300}, {1000, 600}}},
    // The bottom-right point is the first pixel outside the window, here the monitor's origin.
    {"corner just touching", {kPrimary}, {-800, -600, 800, 600}, false, {{-800, -600}, {0, 0}}},
    {"no monitors", {}, {0, 0, 10, 10}, true, {{0, 0}, {10, 10}, {10, 0}, {0, 10}, {5, 5}}},
};
INSTANTIATE_TEST_SUITE_P(Layouts, IsOffScreenLayouts, testing::ValuesIn(kOffScreenCases));

}  // namespace
