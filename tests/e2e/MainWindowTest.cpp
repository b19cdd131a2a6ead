// The tool window as the user sees and drives it: frame, modes, roll-up, size limits, relay.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/DataFiles.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/Input.h"
#include "tests/support/Kestro.h"
#include "tests/support/OwnWindows.h"
#include "tests/support/Windows.h"

using namespace kestro::test;

namespace {
int HeightOf(HWND wnd)
{
    const RECT r = WindowRect(wnd);
    return r.bottom - r.top;
}

int WidthOf(HWND wnd)
{
    const RECT r = WindowRect(wnd);
    return r.right - r.left;
}

class MainWindow : public testing::Test {
protected:
    void SetUp() override
    {
        ResetDataDir();
        WriteDataFile(L"KestroF.lst", AnsiLines({L"C:\\windows", L"C:\\users"}));
        kestro.StartReady();
    }

    // A file dialog in front: the window follows it in standby mode.
    void FollowADialog()
    {
        dialog.Start(L"open", L"C:\\windows", L"kestro.txt");
        ASSERT_TRUE(WaitFor([&] { return kestro.Visible(); }, 3000)) << "the window did not follow";
    }

    void ShowEditMode()
    {
        ASSERT_EQ(kestro.RelayShow(), 0u);
        ASSERT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
    }

    TKestro kestro;
    TFileDialogApp dialog;
};
}  // namespace

TEST_F(MainWindow, StartsHiddenInStandbyAsAnOwnedTopmostToolWindow)
{
    EXPECT_FALSE(kestro.Visible());
    EXPECT_FALSE(kestro.EditMode());
    EXPECT_EQ(kestro.ListItems(), (std::vector<std::wstring>{L"C:\\windows", L"C:\\users"}));
    const LONG_PTR style = ::GetWindowLongPtrW(kestro.Main(), GWL_STYLE);
    const LONG_PTR exStyle = ::GetWindowLongPtrW(kestro.Main(), GWL_EXSTYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_THICKFRAME | WS_SYSMENU), WS_CAPTION | WS_THICKFRAME | WS_SYSMENU);
    EXPECT_EQ(style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), 0);
    EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0) << "a tool window gets no task-bar button";
    EXPECT_NE(exStyle & WS_EX_TOPMOST, 0);
    HWND app = kestro.App();
    ASSERT_NE(app, nullptr) << "owned by the application window";
    EXPECT_EQ(TextOf(app), L"Kestro");
    EXPECT_FALSE(::IsWindowVisible(app));
}

// The list box fills the tab control's display area, below the row of tabs; the tool bar sits
// above the tab control and the status line below it.
void ExpectLayout(const TKestro& kestro)
{
    const RECT tab = WindowRect(kestro.Tab());
    const RECT list = WindowRect(kestro.ListBox());
    const RECT tabRow = kestro.TabItemRect(0);
    EXPECT_GE(list.top, tabRow.bottom);
    EXPECT_GE(list.left, tab.left);
    EXPECT_LE(list.right, tab.right);
    EXPECT_LE(list.bottom, tab.bottom);
    EXPECT_GE(tabRow.top, tab.top);
    if (::IsWindowVisible(kestro.ToolBar())) {
        EXPECT_GE(tab.top, WindowRect(kestro.ToolBar()).bottom);
        EXPECT_EQ(::SendMessageW(kestro.ToolBar(), TB_GETROWS, 0, 0), 1) << "the buttons never wrap";
    }
    if (::IsWindowVisible(kestro.StatusBar())) {
        EXPECT_LE(tab.bottom, WindowRect(kestro.StatusBar()).top);
    }
}

TEST_F(MainWindow, ListBoxSitsBelowTheTabsInBothModes)
{
    FollowADialog();
    ExpectLayout(kestro);
    dialog.Process().Kill();
    ASSERT_TRUE(WaitFor([&] { return !kestro.Visible(); }, 3000));
    ShowEditMode();
    ExpectLayout(kestro);
}

TEST_F(MainWindow, SecondStartShowsEditModeCentredInFront)
{
    ShowEditMode();
    RECT work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT r = WindowRect(kestro.Main());
    EXPECT_EQ(r.left, (work.right - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (work.top + work.bottom - (r.bottom - r.top)) / 2);
    EXPECT_TRUE(::IsWindowVisible(kestro.ToolBar()));
    EXPECT_FALSE(::IsWindowVisible(kestro.StatusBar()));
    EXPECT_EQ(kestro.TabIndex(), 0);
    EXPECT_TRUE(kestro.ButtonShown(tbUp));
    EXPECT_TRUE(kestro.ButtonShown(tbDown));
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == kestro.Main(); }));
    EXPECT_FALSE(::IsWindowVisible(kestro.App())) << "no task-bar button through the application window";

    // While visible, a second start changes nothing.
    ::SetWindowPos(kestro.Main(), nullptr, 10, 20, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    ClickAt(kestro.TabPoint(1));
    ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == 1; }));
    EXPECT_EQ(kestro.RelayShow(), 0u);
    PumpFor(200);
    EXPECT_EQ(WindowRect(kestro.Main()).left, 10);
    EXPECT_EQ(kestro.TabIndex(), 1);
}

TEST_F(MainWindow, TheListHasTheKeyboardWhenTheWindowComesToTheFront)
{
    ShowEditMode();
    ASSERT_TRUE(WaitStaysInFront(kestro.Main()));
    EXPECT_EQ(FocusOfThreadOf(kestro.Main()), kestro.ListBox());
    PressKey(VK_DOWN);
    EXPECT_TRUE(WaitFor([&] { return kestro.ListSelection() != -1; })) << "the arrow key went nowhere";

    const TOwnWindow other = CreateTopWindow(OwnClass(L"KestroPlain"), 400, 400, 300, 200);
    ASSERT_TRUE(BringToFront(other.get()));
    ClickAt(kestro.CaptionPoint());
    ASSERT_TRUE(WaitStaysInFront(kestro.Main()));
    EXPECT_EQ(FocusOfThreadOf(kestro.Main()), kestro.ListBox());
}

TEST_F(MainWindow, StandbyButtonHidesAndTheNextShowIsInStandbyMode)
{
    ShowEditMode();
    ClickAt(kestro.ButtonPoint(tbHide));
    ASSERT_TRUE(WaitFor([&] { return !kestro.Visible(); }));
    EXPECT_FALSE(kestro.EditMode());
    FollowADialog();
    EXPECT_FALSE(kestro.EditMode());
    EXPECT_TRUE(::IsWindowVisible(kestro.StatusBar()));
}

TEST_F(MainWindow, CaptionDoubleClickRollsUpAndBackInStandbyOnly)
{
    FollowADialog();
    const int height = HeightOf(kestro.Main());
    DoubleClickAt(kestro.CaptionPoint());
    ASSERT_TRUE(WaitFor([&] { return HeightOf(kestro.Main()) < height / 2; })) << "no roll-up";
    EXPECT_FALSE(::IsWindowVisible(kestro.Tab()));
    DoubleClickAt(kestro.CaptionPoint());
    ASSERT_TRUE(WaitFor([&] { return HeightOf(kestro.Main()) == height; })) << "no unroll";
    EXPECT_TRUE(::IsWindowVisible(kestro.Tab()));

    // The sizing border is no caption bar.
    const RECT r = WindowRect(kestro.Main());
    DoubleClickAt({(r.left + r.right) / 2, r.bottom - 1});
    PumpFor(300);
    EXPECT_EQ(HeightOf(kestro.Main()), height);
}

TEST_F(MainWindow, NoRollUpInEditMode)
{
    ShowEditMode();
    const int height = HeightOf(kestro.Main());
    DoubleClickAt(kestro.CaptionPoint());
    PumpFor(300);
    EXPECT_EQ(HeightOf(kestro.Main()), height);
}

TEST_F(MainWindow, SecondStartWhileHiddenAndRolledUpUnrollsFirst)
{
    FollowADialog();
    const int height = HeightOf(kestro.Main());
    DoubleClickAt(kestro.CaptionPoint());
    ASSERT_TRUE(WaitFor([&] { return HeightOf(kestro.Main()) < height / 2; }));
    dialog.Process().Kill();
    ASSERT_TRUE(WaitFor([&] { return !kestro.Visible(); }, 3000));
    ShowEditMode();
    EXPECT_EQ(HeightOf(kestro.Main()), height);
    EXPECT_TRUE(::IsWindowVisible(kestro.Tab()));
}

TEST_F(MainWindow, DraggedBelowTheMinimumSpringsBack)
{
    ShowEditMode();
    const RECT r = WindowRect(kestro.Main());
    // The bottom-right corner, dragged so that the window would be 140 wide and 90 high.
    DragFromTo({r.right - 2, r.bottom - 2}, {r.left + 140 - 2, r.top + 90 - 2});
    ASSERT_TRUE(WaitFor([&] { return HeightOf(kestro.Main()) >= 100 && WidthOf(kestro.Main()) == 150; }))
        << HeightOf(kestro.Main()) << " x " << WidthOf(kestro.Main());
    PumpFor(300);
    // The three tab captions wrap into rows at this width: the window stays taller by what the
    // list needs for two rows, and no more.
    const LRESULT tabRows = ::SendMessageW(kestro.Tab(), TCM_GETROWCOUNT, 0, 0);
    const int itemHeight = static_cast<int>(::SendMessageW(kestro.ListBox(), LB_GETITEMHEIGHT, 0, 0));
    RECT list;
    ::GetClientRect(kestro.ListBox(), &list);
    EXPECT_GE(list.bottom, 2 * itemHeight) << tabRows << " rows of tabs";
    if (HeightOf(kestro.Main()) > 100) {
        EXPECT_LT(list.bottom, 3 * itemHeight) << tabRows << " rows of tabs";
    }
    ExpectLayout(kestro);
}

TEST_F(MainWindow, RolledUpWindowMayBeNarrowerButUnrollsToTheMinimum)
{
    FollowADialog();
    const int height = HeightOf(kestro.Main());
    DoubleClickAt(kestro.CaptionPoint());
    ASSERT_TRUE(WaitFor([&] { return HeightOf(kestro.Main()) < height / 2; }));
    const RECT r = WindowRect(kestro.Main());
    // Narrower than the minimum of 150, but no narrower than the window system lets a window be.
    const int narrow = std::max(120, ::GetSystemMetrics(SM_CXMINTRACK));
    ::SetWindowPos(kestro.Main(), nullptr, 0, 0, narrow, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PumpFor(200);
    EXPECT_EQ(WidthOf(kestro.Main()), narrow);
    DoubleClickAt(kestro.CaptionPoint());
    ASSERT_TRUE(WaitFor([&] { return HeightOf(kestro.Main()) == height; }));
    // The width follows in a second resize, after the height.
    EXPECT_TRUE(WaitFor([&] { return WidthOf(kestro.Main()) == 150; })) << WidthOf(kestro.Main());
}

TEST_F(MainWindow, ClosingWhileRolledUpSavesTheUnrolledHeight)
{
    FollowADialog();
    const int height = HeightOf(kestro.Main());
    const int width = WidthOf(kestro.Main());
    DoubleClickAt(kestro.CaptionPoint());
    ASSERT_TRUE(WaitFor([&] { return HeightOf(kestro.Main()) < height / 2; }));
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"Kestro.ini"),
              "[Window]\r\nHeight=" + std::to_string(height) + "\r\nWidth=" + std::to_string(width) + "\r\n\r\n");
}
