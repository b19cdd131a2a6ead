#include <windows.h>
#include <gtest/gtest.h>

#include "tests/support/OwnWindows.h"
#include "tests/support/Windows.h"
#include "winutil/Placement.h"

namespace {

using namespace kestro::test;

// Under Xvfb the screen is 1280 x 1024, the work area all of it, and Wine reports a 1-pixel
// taskbar at the bottom: the screen area therefore ends at 1025. The odd window height lets
// the two areas' centres differ (361 against 362).
constexpr int kWidth = 401;
constexpr int kHeight = 301;

struct TRect {
    long Left, Top, Right, Bottom;
    bool operator==(const TRect& o) const
    {
        return Left == o.Left && Top == o.Top && Right == o.Right && Bottom == o.Bottom;
    }
};

void PrintTo(const TRect& r, std::ostream* os)
{
    *os << "(" << r.Left << ", " << r.Top << ", " << r.Right << ", " << r.Bottom << ")";
}

TRect RectOf(HWND wnd)
{
    const RECT r = WindowRect(wnd);
    return {r.left, r.top, r.right, r.bottom};
}

TRect At(int left, int top)
{
    return {left, top, left + kWidth, top + kHeight};
}

TOwnWindow WindowAt(int left, int top)
{
    return CreateTopWindow(OwnClass(L"KestroPlain"), left, top, kWidth, kHeight);
}

TEST(PlacementEnvironment, TheTaskbarTakesNothingFromTheScreen)
{
    RECT taskbar = {-1, -1, -1, -1};
    const int edge = kestro::GetTaskbarEdge(taskbar);
    const TRect bar{taskbar.left, taskbar.top, taskbar.right, taskbar.bottom};
    // Wine 8 reports a bar of one pixel at the bottom, Wine 10 none (an empty rectangle on the left).
    EXPECT_TRUE((edge == 1 && bar == TRect{0, 1023, 1280, 1024}) || (edge == 2 && bar == TRect{0, 0, 0, 0}))
        << "edge " << edge << ", " << testing::PrintToString(bar);
    RECT work = {};
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_EQ((TRect{work.left, work.top, work.right, work.bottom}), (TRect{0, 0, 1280, 1024}));
}

// The dock takes the work area from the dialog's rectangle, where it took it from the dialog's handle:
// on the screen, across its edge and far off it, both give the same.
TEST(WorkAreaOf, ARectangleGivesWhatItsWindowGives)
{
    for (const POINT at : {POINT{100, 100}, POINT{1100, 900}, POINT{-300, -200}, POINT{5000, 5000}}) {
        const TOwnWindow window = WindowAt(at.x, at.y);
        ASSERT_NE(window.get(), nullptr);
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        ASSERT_TRUE(::GetMonitorInfoW(::MonitorFromWindow(window.get(), MONITOR_DEFAULTTONEAREST), &info));
        const RECT work = kestro::WorkAreaOf(WindowRect(window.get()));
        EXPECT_EQ((TRect{work.left, work.top, work.right, work.bottom}),
                  (TRect{info.rcWork.left, info.rcWork.top, info.rcWork.right, info.rcWork.bottom}))
            << at.x << ", " << at.y;
    }
}

struct TRecoveryCase {
    const char* Name;
    int Left, Top;
    TRect Expected;
};

void PrintTo(const TRecoveryCase& c, std::ostream* os)
{
    *os << c.Name;
}

class EnsureOnScreenCases : public testing::TestWithParam<TRecoveryCase> {};

TEST_P(EnsureOnScreenCases, CentresOnlyAWindowOffEveryMonitor)
{
    const TRecoveryCase& c = GetParam();
    const TOwnWindow wnd = WindowAt(c.Left, c.Top);
    ASSERT_EQ(RectOf(wnd.get()), At(c.Left, c.Top));
    kestro::EnsureOnScreen(wnd.get());
    EXPECT_EQ(RectOf(wnd.get()), c.Expected);
}

const TRecoveryCase kRecoveryCases[] = {
    {"far right and below", 5000, 5000, At(439, 362)},
    {"far left and above", -3000, -3000, At(439, 362)},
    {"right of the screen", 1300, 100, At(439, 362)},
    {"only the top-left corner on screen", 1200, 1000, At(1200, 1000)},
    {"only the bottom-right corner on screen", -200, -150, At(-200, -150)},
    {"on screen", 100, 100, At(100, 100)},
};
INSTANTIATE_TEST_SUITE_P(Windows, EnsureOnScreenCases, testing::ValuesIn(kRecoveryCases));

TEST(EnsureOnScreenStates, LeavesAMaximisedWindowAloneEvenOffScreen)
{
    const TOwnWindow wnd = WindowAt(100, 100);
    ::ShowWindow(wnd.get(), SW_MAXIMIZE);
    ::SetWindowPos(wnd.get(), nullptr, 4000, 4000, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_TRUE(::IsZoomed(wnd.get()));
    const TRect before = RectOf(wnd.get());
    ASSERT_EQ(before.Left, 4000);
    kestro::EnsureOnScreen(wnd.get());
    EXPECT_EQ(RectOf(wnd.get()), before);
}

// Windows parks a minimised window at (-32000, -32000); Wine does not, so the window is put
// there by hand. Only both coordinates together mark it.
struct TParkedCase {
    const char* Name;
    int Left, Top;
    bool Visible;
};

void PrintTo(const TParkedCase& c, std::ostream* os)
{
    *os << c.Name;
}

class ParkedWindows : public testing::TestWithParam<TParkedCase> {};

TEST_P(ParkedWindows, OnlyTheMinimisedPositionIsLeftAlone)
{
    const TParkedCase& c = GetParam();
    const TOwnWindow wnd = WindowAt(100, 100);
    ::SetWindowPos(wnd.get(), nullptr, c.Left, c.Top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ASSERT_EQ(RectOf(wnd.get()), At(c.Left, c.Top));

    RECT rect = {};
    EXPECT_EQ(kestro::GetVisibleRect(wnd.get(), rect), c.Visible);
    int left = 7, top = 7, width = 7, height = 7;
    EXPECT_EQ(kestro::GetWindowBounds(wnd.get(), left, top, width, height), c.Visible);
    if (c.Visible)
        EXPECT_EQ((TRect{left, top, left + width, top + height}), At(c.Left, c.Top));
    else
        EXPECT_EQ((TRect{left, top, width, height}), (TRect{7, 7, 7, 7})) << "bounds written";

    kestro::PlaceInWorkArea(wnd.get(), kestro::wpTopLeft);
    kestro::PlaceOnScreen(wnd.get(), kestro::wpBottomRight);
    kestro::EnsureOnScreen(wnd.get());
    EXPECT_EQ(RectOf(wnd.get()), c.Visible ? At(879, 724) : At(c.Left, c.Top));
}

const TParkedCase kParkedCases[] = {
    {"minimised position", -32000, -32000, false},
    {"far left only", -32000, 100, true},
    {"far up only", 100, -32000, true},
};
INSTANTIATE_TEST_SUITE_P(Positions, ParkedWindows, testing::ValuesIn(kParkedCases));

struct TPlaceCase {
    const char* Name;
    bool OnScreen;
    int Code;
    TRect Expected;
};

void PrintTo(const TPlaceCase& c, std::ostream* os)
{
    *os << c.Name;
}

class PlaceCases : public testing::TestWithParam<TPlaceCase> {};

TEST_P(PlaceCases, MovesInTheRightArea)
{
    const TPlaceCase& c = GetParam();
    const TOwnWindow wnd = WindowAt(100, 100);
    if (c.OnScreen)
        kestro::PlaceOnScreen(wnd.get(), c.Code);
    else
        kestro::PlaceInWorkArea(wnd.get(), c.Code);
    EXPECT_EQ(RectOf(wnd.get()), c.Expected);
}

const TPlaceCase kPlaceCases[] = {
    {"work area centre", false, kestro::wpCenter, At(439, 361)},
    {"screen area centre", true, kestro::wpCenter, At(439, 362)},
    {"work area bottom right", false, kestro::wpBottomRight, At(879, 723)},
    {"screen area bottom right", true, kestro::wpBottomRight, At(879, 724)},
    {"work area left half", false, kestro::wpLeftHalf, {0, 0, 640, 1024}},
    {"work area code 15", false, 15, At(100, 100)},
    {"screen area code -1", true, -1, At(100, 100)},
};
INSTANTIATE_TEST_SUITE_P(Codes, PlaceCases, testing::ValuesIn(kPlaceCases));

}  // namespace
