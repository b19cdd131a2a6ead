// A followed dialog whose thread stops answering: Kestro must stay usable, must not type into
// the dialog late, and must follow it again once it answers.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>

#include "tests/support/DataFiles.h"
#include "tests/support/Follow.h"
#include "tests/support/Input.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/Kestro.h"
#include "tests/support/OwnWindows.h"
#include "tests/support/Windows.h"

using namespace kestro::test;

namespace {
// Longer than a message of a jump waits for a busy dialog: the dialog counts as hung.
constexpr DWORD kHangMs = KestroTimings().JumpSendTimeoutMs + 1500;
// Well within that wait: the dialog is busy, but alive.
constexpr DWORD kBusyMs = KestroTimings().JumpSendTimeoutMs / 2;
// Longer than Windows (and Wine) let a thread go without looking at its messages before they count
// it as hung, after which every bounded send to it fails at once; longer than the jump's own bound
// too, past which the follower keeps the name.
constexpr DWORD kHungThresholdMs = 5000;
constexpr DWORD kHungMoveMs = kHungThresholdMs + 1500;
static_assert(kHungMoveMs > KestroTimings().JumpBoundMs);
// Kestro counts as responsive when it takes real input within this time.
constexpr DWORD kResponsiveMs = 2000;
// Kestro answers a message within this while a dialog is busy or hung: longer than the one read a
// tick may spend on a dialog that stopped answering and than a loaded machine's delays, shorter
// than any wait for the busy dialog itself.
constexpr DWORD kAnswerMs = KestroTimings().ReadTimeoutMs + 250;
static_assert(kAnswerMs < kBusyMs);

class FollowerHang : public testing::Test {
protected:
    void SetUp() override
    {
        ResetDataDir();
        start = ScratchFolder(L"HangStart");
        a = ScratchFolder(L"HangA");
        g = ScratchFolder(L"HangG");
        WriteDataFile(L"KestroF.lst", AnsiLines({a}));
    }

    void StartFollowing(unsigned flags = 0)
    {
        kestro.StartReady();
        item.Start(start, L"name.txt", flags);
        ASSERT_TRUE(WaitFollowing(kestro, item.Dialog(), 3000)) << "the tool window did not come up";
        EXPECT_EQ(kestro.Caption(), FollowCaption(ItemDialogFixtureExe()));
    }

    bool AnswersMessages(DWORD timeoutMs = kResponsiveMs) const
    {
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutW(kestro.Main(), WM_NULL, 0, 0, 0, timeoutMs, &result) != 0;
    }

    // Sends Kestro's window WM_NULL bounded at kAnswerMs, again and again until `done` (or 20 s
    // have passed); gives the number it did not answer in time.
    int UnansweredUntil(const std::function<bool()>& done) const
    {
        const ULONGLONG end = ::GetTickCount64() + 20000;
        int unanswered = 0;
        while (!done() && ::GetTickCount64() < end) {
            if (!AnswersMessages(kAnswerMs)) ++unanswered;
            ::Sleep(20);
        }
        return unanswered;
    }

    // A real click on tab `index` takes effect: Kestro's thread is back in its message loop.
    bool TakesAClick(int index = 1)
    {
        ClickAt(kestro.TabPoint(index));
        return WaitFor([&] { return kestro.TabIndex() == index; }, kResponsiveMs);
    }

    // The dialog answers again, still shows where it started, holds the name and is open.
    void ExpectDialogUntouched()
    {
        ASSERT_TRUE(WaitFor([&] { return item.Answers(); }, kHangMs + 5000));
        PumpFor(1500);
        EXPECT_EQ(item.Report(), L"folder:" + start) << "the dialog moved or accepted a file";
        EXPECT_TRUE(::IsWindow(item.Dialog()));
        EXPECT_EQ(TextOf(item.FileNameBox()), L"name.txt");
    }

    std::wstring start, a, g;
    TKestro kestro;
    TItemDialog item;
};
}  // namespace

TEST_F(FollowerHang, AHungDialogInFrontLeavesKestroUsableAndIsFollowedAgainWhenItAnswers)
{
    StartFollowing();
    // Long enough for the steps below to happen while it hangs.
    ASSERT_TRUE(item.Hang(6000)) << "the dialog did not stop answering";
    // Ticks go on reading the dialog in front; Kestro answers meanwhile.
    const ULONGLONG readingEnds = ::GetTickCount64() + 2000;
    EXPECT_EQ(UnansweredUntil([&] { return ::GetTickCount64() >= readingEnds; }), 0);
    // While a dialog is followed the caption is not "Kestro": a second start finds no instance
    // to relay to and simply ends.
    TProcess second = TProcess::Start(KestroExe());
    DWORD code = 1;
    EXPECT_TRUE(second.WaitExit(5000, &code)) << "the second start did not end";
    EXPECT_EQ(code, 0u);
    EXPECT_TRUE(kestro.Visible());
    EXPECT_TRUE(TakesAClick()) << "Kestro did not take a click while the dialog hung";

    EXPECT_EQ(UnansweredUntil([&] { return item.Answers(50); }), 0);
    ASSERT_TRUE(BringToFront(item.Dialog()));
    MoveTo(item.Dialog(), 420, 260);
    EXPECT_TRUE(WaitFollowing(kestro, item.Dialog())) << "not followed again after the hang";
    item.Submit(g);
    EXPECT_TRUE(WaitFor([&] { return !kestro.ListItems().empty() && kestro.ListItems()[0] == g; }, 2000))
        << "the dialog's folder was not read again after the hang";
}

TEST_F(FollowerHang, ClicksWhileTheDialogHangsSendNothingLaterAndKestroStaysUsable)
{
    StartFollowing();
    ASSERT_TRUE(ActivateToolWindow(kestro));
    ASSERT_TRUE(item.Hang(kHangMs)) << "the dialog did not stop answering";
    ClickAt(kestro.ListItemPoint(0));
    EXPECT_TRUE(TakesAClick(1)) << "the click on the entry waited for the hung dialog";
    DoubleClickAt(CentreOf(kestro.StatusBar()));
    EXPECT_TRUE(TakesAClick(0)) << "the double-click on the status line waited for the hung dialog";
    EXPECT_TRUE(AnswersMessages());
    ExpectDialogUntouched();
}

TEST_F(FollowerHang, ADialogThatStopsAnsweringInTheMiddleOfAJumpGetsNoEnter)
{
    StartFollowing();
    // Longer than a busy dialog is waited for.
    item.HangOnClear(kHangMs);
    ClickEntry(kestro, 0);
    // The jump reaches the box on a worker thread, a moment after the click: the dialog answers
    // until then, so "answers again" means something only once it has stopped.
    ASSERT_TRUE(WaitFor([&] { return !item.Answers(50); }, 5000)) << "the jump did not reach the box";
    EXPECT_EQ(UnansweredUntil([&] { return item.Answers(50); }), 0);
    // Without the folder in its box an Enter would make the dialog accept the user's file name
    // in the folder it shows.
    ExpectDialogUntouched();
}

// The Enter goes only to the dialog in front with its box focused: a user who switched to
// another window while the dialog was busy gets no stray Enter there.
std::atomic<int> GEntersReceived{0};

LRESULT CALLBACK CountEnters(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if ((message == WM_KEYDOWN || message == WM_CHAR) && (wParam == VK_RETURN || wParam == L'\r')) ++GEntersReceived;
    return ::DefWindowProcW(wnd, message, wParam, lParam);
}

TEST_F(FollowerHang, AUserWhoSwitchesAwayWhileTheDialogIsBusyGetsNoEnterAndTheDialogKeepsItsName)
{
    StartFollowing();
    item.HangOnClear(kBusyMs);
    ClickEntry(kestro, 0);
    ASSERT_TRUE(WaitFor([&] { return !item.Answers(50); }, 3000)) << "the jump never reached the box";
    const TOwnWindow other = CreateTopWindow(OwnClass(L"KestroCountEnters", CountEnters), 300, 300, 300, 200);
    ASSERT_TRUE(BringToFront(other.get()));
    ::SetFocus(other.get());
    GEntersReceived = 0;
    PumpFor(kBusyMs + 2500);
    EXPECT_EQ(GEntersReceived, 0) << "Kestro's Enter reached another window";
    ExpectDialogUntouched();
}

// A dialog whose thread stops answering once Kestro has checked it holds the jump in a call
// that waits without a bound; the follower takes over again after the jump's own bound.
TEST_F(FollowerHang, ADialogThatStopsAnsweringAfterTheCheckDoesNotStopTheFollower)
{
    StartFollowing();
    item.HangAfterCheck(KestroTimings().JumpBoundMs + 15000);
    ClickEntry(kestro, 0);
    ASSERT_TRUE(WaitFor([&] { return !item.Answers(50); }, 3000)) << "the dialog did not stop answering";
    const ULONGLONG clicked = ::GetTickCount64();
    TItemDialog second;
    second.Start(start, L"second.txt");
    // Away from the first dialog, where the tool window still sits.
    MoveTo(second.Dialog(), 480, 380);
    const DWORD bound = KestroTimings().JumpBoundMs + 3000;
    EXPECT_TRUE(WaitFollowing(kestro, second.Dialog(), bound)) << "the second dialog was not followed";
    EXPECT_LT(::GetTickCount64() - clicked, bound);
    EXPECT_TRUE(AnswersMessages());
}

// A name typed right after the dialog has moved, and the jump has put the user's name back, stays:
// the jump looks at the box once more for a dialog that empties it late, and puts the name back
// only over the folder or an empty box. (Typed in the few milliseconds between the jump's read of
// the emptied box and its write, the name typed would be lost: nothing across processes makes that
// read and write one step.)
TEST_F(FollowerHang, ANameTypedRightAfterTheMoveSurvivesTheJump)
{
    StartFollowing();
    ClickEntry(kestro, 0);
    ASSERT_TRUE(WaitFor([&] { return item.Folder() == a; }, 5000));
    ASSERT_TRUE(WaitFor([&] { return TextOf(item.FileNameBox()) == L"name.txt"; }, 5000));
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(item.FileNameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"typed.txt"), SMTO_ABORTIFHUNG,
                          2000, &result);
    PumpFor(1000);
    EXPECT_EQ(TextOf(item.FileNameBox()), L"typed.txt");
}

// Dialogs busy for seconds, but alive, or hung for longer than Windows' threshold and the jump's
// bound: the jump (then the follower) waits for them, Kestro answers throughout, and the name goes
// back only once the dialog has moved and emptied its box.
struct TBusyCase {
    const char* Name;
    DWORD ClearMs;
    DWORD MoveMs;
};

void PrintTo(const TBusyCase& c, std::ostream* os)
{
    *os << c.Name;
}

class FollowerBusy : public FollowerHang, public testing::WithParamInterface<TBusyCase> {};

TEST_P(FollowerBusy, TheJumpWaitsForTheDialogAndTheNameComesBack)
{
    StartFollowing();
    if (GetParam().ClearMs) item.HangOnClear(GetParam().ClearMs);
    if (GetParam().MoveMs) item.MoveSlowly(GetParam().MoveMs);
    ClickEntry(kestro, 0);
    EXPECT_EQ(UnansweredUntil([&] { return item.Folder() == a && TextOf(item.FileNameBox()) == L"name.txt"; }), 0);
    PumpFor(1000);
    EXPECT_EQ(item.Folder(), a);
    EXPECT_EQ(TextOf(item.FileNameBox()), L"name.txt") << "the user's file name was lost";
}

INSTANTIATE_TEST_SUITE_P(Cases, FollowerBusy,
                         testing::Values(TBusyCase{"SlowToMove", 0, 2 * kBusyMs}, TBusyCase{"SlowToClear", kBusyMs, 0},
                                         TBusyCase{"SlowToClearAndToMove", kBusyMs, 2 * kBusyMs},
                                         TBusyCase{"HungWhileMovingPastTheJumpsBound", 0, kHungMoveMs}),
                         [](const testing::TestParamInfo<TBusyCase>& info) { return std::string(info.param.Name); });

// A box of the dialog's own in the middle of the move (a share's password, "reconnecting"): the
// dialog answers, still shows the folder in its box and the folder it left in its address bar, yet
// it is moving. The name goes back once the move is done and has emptied the box.
TEST_F(FollowerHang, ABoxOfTheDialogsOwnInTheMiddleOfTheMoveKeepsTheNameForAfterTheMove)
{
    StartFollowing();
    item.PromptOnNextMove();
    ClickEntry(kestro, 0);
    const HWND prompt = item.WaitForPrompt();
    ASSERT_NE(prompt, nullptr) << "the move showed no box";
    PumpFor(3 * KestroTimings().JumpNoMoveBoundMs);
    EXPECT_EQ(TextOf(item.FileNameBox()), a) << "the name went back while the dialog was still moving";
    EXPECT_TRUE(AnswersMessages(kAnswerMs));
    PressDialogButton(prompt, IDOK);
    EXPECT_EQ(UnansweredUntil([&] { return item.Folder() == a && TextOf(item.FileNameBox()) == L"name.txt"; }), 0);
    PumpFor(1000);
    EXPECT_EQ(item.Folder(), a);
    EXPECT_EQ(TextOf(item.FileNameBox()), L"name.txt") << "the user's file name was lost";
}

// Another pick while the dialog is still busy with the last one ends that jump; the new one keeps
// the name the user had, not the folder the last one left in the box.
TEST_F(FollowerHang, AnotherPickWhileTheDialogIsBusyMovingKeepsTheNameForTheNewJump)
{
    WriteDataFile(L"KestroF.lst", AnsiLines({a, g}));
    StartFollowing();
    // Shorter than a jump waits for the dialog to answer before it brings it forward.
    item.MoveSlowly(KestroTimings().JumpSendTimeoutMs);
    ClickEntry(kestro, 0);
    ASSERT_TRUE(WaitFor([&] { return !item.Answers(50); }, 3000)) << "the dialog did not start moving";
    ClickEntry(kestro, 1);
    EXPECT_EQ(UnansweredUntil([&] { return item.Folder() == g && TextOf(item.FileNameBox()) == L"name.txt"; }), 0);
    PumpFor(1000);
    EXPECT_EQ(item.Folder(), g) << "the second pick did not jump";
    EXPECT_EQ(TextOf(item.FileNameBox()), L"name.txt") << "the user's file name was lost";
}

TEST_F(FollowerHang, ADialogHungFromTheStartIsFollowedAndForgottenWhenItsProgramIsKilled)
{
    StartFollowing(idHungFromStart);
    PumpFor(1200);
    EXPECT_TRUE(AnswersMessages());
    EXPECT_TRUE(TakesAClick()) << "Kestro did not take a click while the dialog hung";
    item.Process().Kill();
    EXPECT_TRUE(WaitFor([&] { return !kestro.Visible(); }, 2000)) << "still shown over a killed dialog";
    EXPECT_EQ(kestro.Caption(), L"Kestro");
}

// Folders on a share that answers every look seconds late, as an offline one does: the checks
// wait off Kestro's thread, and Kestro answers throughout.
class FollowerSlowShare : public FollowerHang {
protected:
    void SetUp() override
    {
        if (SlowDrive().empty()) GTEST_SKIP() << "no slow share: tools/test mounts one where /dev/fuse exists";
        FollowerHang::SetUp();
        // Folders no test looked at before: the share answers at once for a folder looked at a
        // moment ago, and a leftover look of the test before would make a check here quick.
        static int setUps = 0;
        const std::wstring tag = std::to_wstring(++setUps);
        slowOne = SlowFolder(L"\\SlowOne-" + tag);
        slowTwo = SlowFolder(L"\\SlowTwo-" + tag);
    }

    static std::wstring SlowFolder(const std::wstring& name)
    {
        ::CreateDirectoryW((FastDrive() + name).c_str(), nullptr);
        return SlowDrive() + name;
    }

    // Long enough for two looks at folders on the share, one after the other.
    DWORD SlowAnswerMs() const { return 2 * SlowDriveDelayMs() + 2000; }

    std::wstring slowOne, slowTwo;
};

TEST_F(FollowerSlowShare, AClickOnASlowFavouriteJumpsOnceTheCheckAnswers)
{
    WriteDataFile(L"KestroF.lst", AnsiLines({slowOne, a}));
    StartFollowing();
    ClickEntry(kestro, 0);
    const ULONGLONG end = ::GetTickCount64() + SlowAnswerMs();
    EXPECT_EQ(UnansweredUntil([&] { return item.Folder() == slowOne || ::GetTickCount64() > end; }), 0);
    EXPECT_EQ(item.Folder(), slowOne) << "the dialog did not reach the slow folder";
    EXPECT_TRUE(WaitFor([&] { return TextOf(item.FileNameBox()) == L"name.txt"; }, 10000));
}

// The check answers seconds after the click, by when the user has gone back to the dialog and
// typed another name: the jump does not go ahead over it.
TEST_F(FollowerSlowShare, ANameTypedWhileASlowCheckWaitsStopsTheJump)
{
    WriteDataFile(L"KestroF.lst", AnsiLines({slowOne, a}));
    StartFollowing();
    ClickEntry(kestro, 0);
    // The dialog was read at the click, a moment after it.
    PumpFor(300);
    ASSERT_TRUE(BringToFront(item.Dialog()));
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(item.FileNameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"other.txt"), SMTO_ABORTIFHUNG,
                          2000, &result);
    const ULONGLONG end = ::GetTickCount64() + SlowAnswerMs();
    EXPECT_EQ(UnansweredUntil([&] { return ::GetTickCount64() > end; }), 0);
    EXPECT_EQ(item.Folder(), start) << "the late check jumped over the name typed since";
    EXPECT_EQ(TextOf(item.FileNameBox()), L"other.txt");
}

TEST_F(FollowerSlowShare, AnotherEntryPickedWhileASlowCheckWaitsIsTheOnlyJump)
{
    WriteDataFile(L"KestroF.lst", AnsiLines({slowOne, a}));
    StartFollowing();
    ClickEntry(kestro, 0);
    ClickEntry(kestro, 1);
    EXPECT_TRUE(WaitFor([&] { return item.Folder() == a; }, 5000));
    // The slow check answers meanwhile; the jump it was made for has been dropped.
    const ULONGLONG end = ::GetTickCount64() + SlowAnswerMs();
    EXPECT_EQ(UnansweredUntil([&] { return ::GetTickCount64() > end; }), 0);
    EXPECT_EQ(item.Folder(), a);
}

TEST_F(FollowerSlowShare, LeavingHistoryPurgesAMissingFolderAndKeepsSlowOnes)
{
    const std::wstring gone = ScratchFolder(L"HangGone");
    ::RemoveDirectoryW(gone.c_str());
    WriteDataFile(L"KestroH.lst", AnsiLines({slowOne, gone, slowTwo}));
    kestro.StartReady();
    ASSERT_EQ(kestro.RelayShow(), 0u);
    ASSERT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
    ClickAt(kestro.TabPoint(1));
    ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == 1; }));
    ClickAt(kestro.TabPoint(0));
    const ULONGLONG end = ::GetTickCount64() + SlowAnswerMs();
    EXPECT_EQ(UnansweredUntil([&] { return ::GetTickCount64() > end; }), 0);
    EXPECT_EQ(kestro.TabIndex(), 0) << "the click on the tab waited for the share";
    ClickAt(kestro.TabPoint(1));
    ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == 1; }));
    EXPECT_EQ(kestro.ListItems(), (std::vector<std::wstring>{slowOne, slowTwo}));
}

TEST_F(FollowerSlowShare, AJumpToAnotherDriveDoesNotWaitForThePurgeOfSlowHistory)
{
    std::vector<std::wstring> history;
    for (int i = 0; i < 5; ++i) {
        const std::wstring name = L"\\Slow" + std::to_wstring(i);
        ::CreateDirectoryW((FastDrive() + name).c_str(), nullptr);
        history.push_back(SlowDrive() + name);
    }
    WriteDataFile(L"KestroH.lst", ListFileBytes(history));
    StartFollowing();
    ClickAt(kestro.TabPoint(1));
    ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == 1; }));
    // Leaving history checks every entry on the share, each for seconds.
    ClickAt(kestro.TabPoint(0));
    ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == 0; }));
    ClickEntry(kestro, 0);
    EXPECT_TRUE(WaitFor([&] { return item.Folder() == a; }, 1000)) << "the jump waited behind the share";
}
