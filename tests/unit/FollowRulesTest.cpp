// The follower's and the jump's decisions, from plain values: which window is followed, where the
// tool window docks, and whether a checked jump still goes ahead.
#include <gtest/gtest.h>

#include <set>

#include "ui/ExplorerTab.h"
#include "ui/FollowRules.h"
#include "ui/JumpRunner.h"
#include "winutil/FolderJump.h"

using namespace kestro;

namespace {
HWND W(int n)
{
    return reinterpret_cast<HWND>(static_cast<INT_PTR>(n));
}

// Windows 1.. as a fake window system: which are shown and which are file dialogs; it counts the
// trees it is asked to look at.
class TFakeLook : public TWindowLook {
public:
    TFakeLook(std::set<HWND> visible, std::set<HWND> dialogs) : FVisible(visible), FDialogs(dialogs) {}
    bool Visible(HWND wnd) const override { return FVisible.count(wnd) > 0; }
    bool FileDialog(HWND wnd) const override
    {
        ++Looks;
        return FDialogs.count(wnd) > 0;
    }
    mutable int Looks = 0;

private:
    std::set<HWND> FVisible, FDialogs;
};

TEST(DialogToFollow, TakesTheFrontDialogElseTheAnnouncedOneNeverAGoneOrHiddenOne)
{
    struct TCase {
        const char* Name;
        HWND Front, Announced, Followed, Gone;
        std::set<HWND> Visible, Dialogs;
        HWND Expected;
        int Looks;
    };
    const TCase cases[] = {
        {"dialog in front", W(1), nullptr, nullptr, nullptr, {W(1)}, {W(1)}, W(1), 1},
        {"no dialog in front", W(1), nullptr, nullptr, nullptr, {W(1)}, {}, nullptr, 1},
        {"nothing in front", nullptr, nullptr, W(3), nullptr, {W(3)}, {W(3)}, nullptr, 0},
        {"the followed dialog is not looked at again", W(3), nullptr, W(3), nullptr, {W(3)}, {}, W(3), 0},
        {"announced while a program is in front", W(1), W(2), nullptr, nullptr, {W(1), W(2)}, {W(2)}, W(2), 2},
        {"announced but not shown yet", W(1), W(2), nullptr, nullptr, {W(1)}, {W(2)}, nullptr, 1},
        {"front dialog wins over the announced", W(1), W(2), nullptr, nullptr, {W(1), W(2)}, {W(1), W(2)}, W(1), 1},
        {"destroyed, still in front", W(3), nullptr, W(3), W(3), {W(3)}, {W(3)}, nullptr, 0},
        {"destroyed, announced", W(1), W(3), nullptr, W(3), {W(1), W(3)}, {W(3)}, nullptr, 1},
        {"hidden followed dialog", W(3), nullptr, W(3), nullptr, {}, {W(3)}, nullptr, 0},
    };
    for (const TCase& c : cases) {
        const TFakeLook look(c.Visible, c.Dialogs);
        EXPECT_EQ(DialogToFollow(c.Front, c.Announced, c.Followed, c.Gone, look), c.Expected) << c.Name;
        EXPECT_EQ(look.Looks, c.Looks) << c.Name;
    }
}

TEST(DockPosition, PutsTheRightAndTopEdgesOnTheDialogsWithinTheWorkArea)
{
    const RECT work = {0, 0, 1280, 984};
    struct TCase {
        const char* Name;
        RECT Dialog, Own;
        bool Moves;
        POINT Expected;
    };
    const TCase cases[] = {
        {"top-right corner", {100, 80, 700, 500}, {0, 0, 234, 200}, true, {466, 80}},
        {"already there", {100, 80, 700, 500}, {466, 80, 700, 280}, false, {}},
        {"dialog off the right edge", {900, 80, 1500, 500}, {0, 0, 234, 200}, true, {1046, 80}},
        {"dialog above the top", {100, -50, 700, 500}, {0, 0, 234, 200}, true, {466, 0}},
        {"dialog narrower than the window at the left", {-40, 10, 100, 300}, {500, 0, 734, 200}, true, {0, 10}},
        {"dialog at the bottom", {100, 900, 700, 1300}, {0, 0, 234, 200}, true, {466, 784}},
    };
    for (const TCase& c : cases) {
        const std::optional<POINT> at = DockPosition(c.Dialog, c.Own, work);
        ASSERT_EQ(at.has_value(), c.Moves) << c.Name;
        if (at) {
            EXPECT_TRUE(at->x == c.Expected.x && at->y == c.Expected.y) << c.Name << ": " << at->x << "," << at->y;
        }
    }
    // A second monitor left of the primary one: its own work area holds the window.
    const std::optional<POINT> left = DockPosition({-1000, 100, -500, 400}, {0, 0, 234, 200}, {-1280, 0, 0, 1024});
    ASSERT_TRUE(left);
    EXPECT_EQ(left->x, -734);
}

TEST(JumpGoesAhead, OnlyWhileTheUserStillWantsItInTheDialogClicked)
{
    TJumpMoment wanted;
    wanted.FolderThere = wanted.Latest = wanted.DialogTakesInput = true;
    wanted.Dialog = wanted.Followed = W(5);
    wanted.Own = W(9);
    wanted.Front = W(9);
    EXPECT_TRUE(JumpGoesAhead(wanted));
    TJumpMoment dialogInFront = wanted;
    dialogInFront.Front = W(5);
    EXPECT_TRUE(JumpGoesAhead(dialogInFront));

    struct TCase {
        const char* Name;
        void (*Change)(TJumpMoment&);
    };
    const TCase dropped[] = {
        {"missing folder", [](TJumpMoment& m) { m.FolderThere = false; }},
        {"another entry picked since", [](TJumpMoment& m) { m.Latest = false; }},
        {"edit mode", [](TJumpMoment& m) { m.EditMode = true; }},
        {"another dialog followed", [](TJumpMoment& m) { m.Followed = W(6); }},
        {"dialog closed", [](TJumpMoment& m) { m.Followed = nullptr; }},
        {"dialog disabled", [](TJumpMoment& m) { m.DialogTakesInput = false; }},
        {"another program in front", [](TJumpMoment& m) { m.Front = W(7); }},
        {"nothing in front", [](TJumpMoment& m) { m.Front = nullptr; }},
    };
    for (const TCase& c : dropped) {
        TJumpMoment moment = wanted;
        c.Change(moment);
        EXPECT_FALSE(JumpGoesAhead(moment)) << c.Name;
    }
}

TEST(JumpProgress, MovedWhenTheDialogShowsItNotMovedOnlyOnWhatItAnswersAfterTheBound)
{
    const std::wstring folder = L"C:\\Work";
    const std::optional<std::wstring> before = L"C:\\Start";
    const auto item = [](std::optional<std::wstring> box, std::optional<std::wstring> shown) {
        return TJumpReading{false, std::move(box), true, std::move(shown)};
    };
    const auto older = [](std::optional<std::wstring> box) { return TJumpReading{false, std::move(box), false, {}}; };
    struct TCase {
        const char* Name;
        std::optional<std::wstring> Before;
        TJumpReading Now;
        DWORD SinceEnter;
        TJumpProgress Expected;
    };
    const TCase cases[] = {
        {"dialog gone", before, TJumpReading{true, {}, false, {}}, 0, TJumpProgress::Moved},
        {"box emptied by the move", std::nullopt, older(L""), 0, TJumpProgress::Moved},
        {"address bar shows the folder", before, item(folder, L"c:\\work"), 0, TJumpProgress::Moved},
        {"older dialog still holds the path", std::nullopt, older(folder), 100, TJumpProgress::Waiting},
        {"older dialog keeps the path past the bound", std::nullopt, older(folder), 600, TJumpProgress::NotMoved},
        {"item dialog unchanged past the bound", before, item(folder, before), 700, TJumpProgress::NotMoved},
        {"item dialog was there before", folder, item(folder, folder), 700, TJumpProgress::NotMoved},
        {"box did not answer", before, item(std::nullopt, before), 700, TJumpProgress::Waiting},
        {"address bar did not answer", before, item(folder, std::nullopt), 700, TJumpProgress::Waiting},
        {"address bar shows a third folder", before, item(folder, L"C:\\Other"), 700, TJumpProgress::Waiting},
    };
    for (const TCase& c : cases)
        EXPECT_EQ(JumpProgress(c.Before, c.Now, folder, c.SinceEnter, 600), c.Expected) << c.Name;

    // The name goes back only over what the jump or the dialog left in the box.
    EXPECT_TRUE(NameGoesBack(L"", folder, L"a.txt"));
    EXPECT_TRUE(NameGoesBack(folder, folder, L"a.txt"));
    EXPECT_FALSE(NameGoesBack(L"typed.txt", folder, L"a.txt"));
    EXPECT_FALSE(NameGoesBack(L"a.txt", folder, L"a.txt"));
}

TEST(ExplorerReads, ComeOnceASecondWhileShownAndLateOnesAreDropped)
{
    const TTimings timings;
    EXPECT_TRUE(ExplorerReadDue(false, 0, 1000, timings));
    EXPECT_FALSE(ExplorerReadDue(false, 500, 1499, timings));
    EXPECT_TRUE(ExplorerReadDue(false, 500, 1500, timings));
    EXPECT_FALSE(ExplorerReadDue(true, 0, 5000, timings)) << "a read under way is not doubled";
    EXPECT_FALSE(ExplorerReadStale(1000, 3000, timings));
    EXPECT_TRUE(ExplorerReadStale(1000, 3001, timings));
}
}  // namespace
