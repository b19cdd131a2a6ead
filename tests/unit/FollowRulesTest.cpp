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

// Windows 1.. as a fake window system: which are shown, which are file dialogs and which are of another
// class than the dialogs'; it counts the questions of each kind, the trees (Looks) among them.
class TFakeLook : public TWindowLook {
public:
    TFakeLook(std::set<HWND> visible, std::set<HWND> dialogs) : FVisible(visible), FDialogs(dialogs) {}
    bool Visible(HWND wnd) const override
    {
        ++VisibilityLooks;
        return FVisible.count(wnd) > 0;
    }
    bool DialogClass(HWND wnd) const override
    {
        ++ClassLooks;
        return OtherClass.count(wnd) == 0;
    }
    bool FileDialog(HWND wnd) const override
    {
        ++Looks;
        return FDialogs.count(wnd) > 0;
    }
    // Windows of another class than the dialogs'; every other window has theirs.
    std::set<HWND> OtherClass;
    mutable int Looks = 0;
    mutable int ClassLooks = 0;
    mutable int VisibilityLooks = 0;

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

// Another program's window in front at every tick costs one question, its class: neither its
// visibility nor its tree is looked at. The followed dialog's class is known and not asked again.
TEST(DialogToFollow, AsksAWindowOfAnotherClassNothingMore)
{
    TFakeLook look({W(1), W(2), W(3)}, {W(2), W(3)});
    look.OtherClass = {W(1)};
    EXPECT_EQ(DialogToFollow(W(1), nullptr, nullptr, nullptr, look), nullptr);
    EXPECT_EQ(look.ClassLooks, 1);
    EXPECT_EQ(look.VisibilityLooks + look.Looks, 0);

    // The announced dialog behind it is still taken, and asked all three.
    EXPECT_EQ(DialogToFollow(W(1), W(2), nullptr, nullptr, look), W(2));
    EXPECT_EQ(look.ClassLooks, 3);
    EXPECT_EQ(look.VisibilityLooks, 1);
    EXPECT_EQ(look.Looks, 1);

    // The followed dialog is asked whether it is still shown, nothing else.
    EXPECT_EQ(DialogToFollow(W(3), nullptr, W(3), nullptr, look), W(3));
    EXPECT_EQ(look.ClassLooks, 3);
    EXPECT_EQ(look.VisibilityLooks, 2);
    EXPECT_EQ(look.Looks, 1);
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
        {"another dialog followed", [](TJumpMoment& m) { m.Followed = W(6); }},
        {"dialog closed, or edit mode", [](TJumpMoment& m) { m.Followed = nullptr; }},
        {"dialog disabled", [](TJumpMoment& m) { m.DialogTakesInput = false; }},
        {"another program in front", [](TJumpMoment& m) { m.Front = W(7); }},
        {"nothing in front", [](TJumpMoment& m) { m.Front = nullptr; }},
        {"late, the dialog not read at the click", [](TJumpMoment& m) { m.Late = true; }},
    };
    for (const TCase& c : dropped) {
        TJumpMoment moment = wanted;
        c.Change(moment);
        EXPECT_FALSE(JumpGoesAhead(moment)) << c.Name;
    }
    TJumpMoment late = wanted;
    late.Late = late.AtClickKnown = true;
    EXPECT_TRUE(JumpGoesAhead(late)) << "late, read at the click";

    // A late jump then goes ahead only on the dialog as it was at the click.
    const TDialogLook atClick{L"a.txt", L"C:\\Start"};
    struct TLookCase {
        const char* Name;
        TDialogLook Now;
        bool Same;
    };
    const TLookCase looks[] = {
        {"as at the click", {L"a.txt", L"C:\\Start"}, true},
        {"a key typed since", {L"a.txtx", L"C:\\Start"}, false},
        {"the box emptied", {L"", L"C:\\Start"}, false},
        {"another folder shown", {L"a.txt", L"C:\\Other"}, false},
        {"the box does not answer", {std::nullopt, L"C:\\Start"}, false},
    };
    for (const TLookCase& c : looks) EXPECT_EQ(SameAsAtClick(atClick, c.Now), c.Same) << c.Name;
    EXPECT_FALSE(SameAsAtClick({std::nullopt, std::nullopt}, {std::nullopt, std::nullopt}))
        << "a dialog that answered neither then nor now";
    EXPECT_TRUE(SameAsAtClick({L"a.txt", std::nullopt}, {L"a.txt", std::nullopt})) << "an older dialog, no bar";
}

TEST(NextNameStep, TheNameGoesBackOnceTheDialogShowsTheMoveOrStaysStillAndNeverWhileItIsBusy)
{
    const std::wstring folder = L"C:\\Work";
    THeldName item;
    item.Folder = folder;
    item.Name = L"a.txt";
    item.HasBar = true;
    item.ShownBefore = L"C:\\Start";
    THeldName older = item;
    older.HasBar = false;
    older.ShownBefore.reset();
    THeldName itemBack = item;
    itemBack.Stage = THeldStage::BackUnmoved;
    THeldName thereBefore = item;
    thereBefore.ShownBefore = folder;
    THeldName noName = item;
    noName.Name.clear();
    const auto bar = [](std::optional<std::wstring> box, std::optional<std::wstring> shown, bool prompt = false) {
        return TJumpReading{false, std::move(box), true, std::move(shown), prompt};
    };
    const auto plain = [](std::optional<std::wstring> box, bool prompt = false) {
        return TJumpReading{false, std::move(box), false, {}, prompt};
    };
    const std::wstring start = L"C:\\Start";
    struct TCase {
        const char* Name;
        const THeldName& Held;
        TJumpReading Now;
        DWORD QuietMs;
        TNameStep Expected;
    };
    const TCase cases[] = {
        {"dialog gone", item, TJumpReading{true, {}, false, {}, false}, 0, TNameStep::Release},
        {"no name to put back", noName, bar(L"", folder), 0, TNameStep::Release},
        {"box emptied by the move", older, plain(L""), 0, TNameStep::PutBackMoved},
        {"item dialog's box emptied", item, bar(L"", start), 0, TNameStep::PutBackMoved},
        {"address bar shows the folder", item, bar(folder, L"c:\\work"), 0, TNameStep::PutBackMoved},
        {"older dialog still holds the path", older, plain(folder), 100, TNameStep::Wait},
        {"older dialog quiet with the path past the bound", older, plain(folder), 600, TNameStep::PutBackUnmoved},
        {"item dialog quiet and unchanged past the bound", item, bar(folder, start), 700, TNameStep::PutBackUnmoved},
        {"item dialog was there before", thereBefore, bar(folder, folder), 700, TNameStep::PutBackUnmoved},
        {"box did not answer (busy, or hung)", item, bar(std::nullopt, start), 60000, TNameStep::Wait},
        {"address bar did not answer", item, bar(folder, std::nullopt), 60000, TNameStep::Wait},
        {"a box of its own, unchanged for long", item, bar(folder, start, true), 60000, TNameStep::Wait},
        {"a box of its own in the older dialog", older, plain(folder, true), 60000, TNameStep::Wait},
        {"a box of its own over an emptied box", older, plain(L"", true), 0, TNameStep::Wait},
        {"address bar shows a third folder", item, bar(folder, L"C:\\Other"), 700, TNameStep::Wait},
        {"the user typed another name", item, bar(L"typed.txt", start), 0, TNameStep::Release},
        {"the name is back", older, plain(L"a.txt"), 0, TNameStep::Release},
        {"back unmoved, still there", itemBack, bar(L"a.txt", start), 5000, TNameStep::Wait},
        {"back unmoved, the dialog moves after all", itemBack, bar(L"", folder), 0, TNameStep::PutBackMoved},
        {"back unmoved, busy", itemBack, bar(std::nullopt, start), 0, TNameStep::Wait},
        {"back unmoved, the user empties the box", itemBack, bar(L"", start), 0, TNameStep::Release},
        {"back unmoved, the user types", itemBack, bar(L"b.txt", start), 0, TNameStep::Release},
        {"back unmoved, the user goes elsewhere", itemBack, bar(L"a.txt", L"C:\\Other"), 0, TNameStep::Release},
    };
    for (const TCase& c : cases) EXPECT_EQ(NextNameStep(c.Held, c.Now, c.QuietMs, 600), c.Expected) << c.Name;

    // The name goes back only over what the jump or the dialog left in the box.
    EXPECT_TRUE(NameGoesBack(L"", folder, L"a.txt"));
    EXPECT_TRUE(NameGoesBack(folder, folder, L"a.txt"));
    EXPECT_FALSE(NameGoesBack(L"typed.txt", folder, L"a.txt"));
    EXPECT_FALSE(NameGoesBack(L"a.txt", folder, L"a.txt"));
}

TEST(NameToKeep, AnEarlierJumpsNameOverItsFolderOrAnEmptiedBoxElseTheBox)
{
    THeldName earlier;
    earlier.Folder = L"C:\\Work";
    earlier.Name = L"a.txt";
    THeldName earlierEmpty = earlier;
    earlierEmpty.Name.clear();
    struct TCase {
        const char* Name;
        const wchar_t* Box;
        std::optional<THeldName> Earlier;
        const wchar_t* Expected;
    };
    const TCase cases[] = {
        {"no earlier jump", L"b.txt", std::nullopt, L"b.txt"},
        {"no earlier jump, empty box", L"", std::nullopt, L""},
        {"earlier folder in the box", L"C:\\Work", earlier, L"a.txt"},
        {"box emptied by the earlier move", L"", earlier, L"a.txt"},
        {"the user typed since", L"b.txt", earlier, L"b.txt"},
        {"the name is back", L"a.txt", earlier, L"a.txt"},
        {"earlier jump held no name", L"C:\\Work", earlierEmpty, L"C:\\Work"},
    };
    for (const TCase& c : cases) EXPECT_EQ(NameToKeep(c.Box, c.Earlier), c.Expected) << c.Name;
}

TEST(NextPressStep, EnterOnlyOnTheFolderReadBackFocusedInFrontAndDrained)
{
    const std::wstring folder = L"C:\\Work";
    const TTimings timings;
    TPressLook ready;
    ready.Box = folder;
    ready.InFront = ready.BoxFocused = ready.DrainPosted = ready.Drained = true;
    ready.SinceTypedMs = 10;
    EXPECT_EQ(NextPressStep(ready, folder, timings), TPressStep::Press);

    struct TCase {
        const char* Name;
        void (*Change)(TPressLook&);
        TPressStep Expected;
    };
    const TCase cases[] = {
        {"dialog gone", [](TPressLook& l) { l.DialogGone = true; }, TPressStep::Stop},
        {"a key replaced the path", [](TPressLook& l) { l.Box = L"x"; }, TPressStep::GiveUp},
        {"a key added to the path", [](TPressLook& l) { l.Box = L"C:\\Workx"; }, TPressStep::GiveUp},
        {"the path in other case", [](TPressLook& l) { l.Box = L"c:\\work"; }, TPressStep::GiveUp},
        {"emptied", [](TPressLook& l) { l.Box = L""; }, TPressStep::GiveUp},
        {"not ready within the bound", [](TPressLook& l) { l.InFront = false, l.SinceTypedMs = 2000; },
         TPressStep::GiveUp},
        {"box did not answer", [](TPressLook& l) { l.Box.reset(); }, TPressStep::Wait},
        {"a box of its own", [](TPressLook& l) { l.Prompt = true; }, TPressStep::Wait},
        {"not in front yet", [](TPressLook& l) { l.InFront = l.BoxFocused = false; }, TPressStep::Wait},
        {"another control has the focus", [](TPressLook& l) { l.BoxFocused = l.DrainPosted = l.Drained = false; },
         TPressStep::AskFocus},
        {"asked again, a moment ago",
         [](TPressLook& l) {
             l.BoxFocused = l.DrainPosted = l.Drained = false;
             l.SinceAskedMs = 10;
         },
         TPressStep::Wait},
        {"the focus went elsewhere again",
         [](TPressLook& l) {
             l.BoxFocused = l.DrainPosted = l.Drained = false;
             l.SinceAskedMs = 60;
         },
         TPressStep::AskFocus},
        {"focused, queue not drained yet", [](TPressLook& l) { l.DrainPosted = l.Drained = false; }, TPressStep::Drain},
        {"marker not handled yet", [](TPressLook& l) { l.Drained = false; }, TPressStep::Wait},
        {"a modifier key is down", [](TPressLook& l) { l.ModifierDown = true; }, TPressStep::Wait},
    };
    for (const TCase& c : cases) {
        TPressLook look = ready;
        c.Change(look);
        EXPECT_EQ(NextPressStep(look, folder, timings), c.Expected) << c.Name;
    }
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
