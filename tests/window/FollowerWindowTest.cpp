#include "ui/Follower.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/DataFiles.h"
#include "tests/support/FakeTimers.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/OwnWindows.h"
#include "tests/support/Windows.h"
#include "tests/support/WorkWindow.h"
#include "winutil/PathChecks.h"

namespace {

using namespace kestro::test;

// The follower with the owners it works with, in the test's process, against the fixture's item
// dialog in a process of its own.
struct TFollowerRig {
    TFollowerRig()
        : ToolWindow(CreateTopWindow(L"STATIC", 0, 0, 200, 150, WS_POPUP | WS_CAPTION)),
          Checks(Work.Handle(), TWorkWindow::kDone, kestro::FolderState, 100),
          Store(
              ScratchFolder(L"FollowerStore") + L"\\", [](const std::wstring&, std::string_view) {}, Timers, 1, Checks,
              Timings),
          Jump(Work.Handle(), TWorkWindow::kDone, Timers, 2, Checks, Timings, ::GetTickCount64),
          BrowseJump(Work.Handle(), TWorkWindow::kDone, Timers, 3, Checks, Timings, ::GetTickCount64),
          Follower(ToolWindow.get(), WM_APP + 1, Timers, 4, Store, Jump, BrowseJump, Timings)
    {
    }
    bool PumpUntil(const std::function<bool()>& condition)
    {
        return Work.PumpUntil(condition, [this] {
            Checks.DeliverCompletions();
            Jump.DeliverCompletions();
        });
    }
    std::wstring Caption() const { return TextOf(ToolWindow.get()); }

    const kestro::TTimings Timings;
    TWorkWindow Work;
    TFakeTimers Timers;
    TOwnWindow ToolWindow;
    kestro::TFolderChecks Checks;
    kestro::TListStore Store;
    kestro::TJumpRunner Jump;
    kestro::TBrowseJump BrowseJump;
    kestro::TFollower Follower;
};

TEST(Follower, DocksOnTheDialogInFrontRecordsItsFolderHandsItToTheJumpAndLetsGoWhenItCloses)
{
    TFollowerRig rig;
    const std::wstring folder = ScratchFolder(L"FollowerShown");
    TItemDialog item;
    item.Start(folder, L"name.txt");

    rig.Follower.Tick();
    EXPECT_EQ(rig.Follower.Dialog(), item.Dialog());
    EXPECT_TRUE(::IsWindowVisible(rig.ToolWindow.get()));
    EXPECT_EQ(rig.Caption().rfind(L"Kestro - ", 0), 0u) << Narrow(rig.Caption());
    EXPECT_TRUE(rig.Follower.TakeFirstNameChanged());
    EXPECT_EQ(rig.Follower.FirstName(), L"name.txt");
    EXPECT_TRUE(rig.PumpUntil([&] { return rig.Store.History().Items == std::vector<std::wstring>{folder}; }));
    EXPECT_TRUE(rig.Store.TakeHistoryChanged());

    // The jump works on the dialog the follower follows, and on none in edit mode.
    rig.Follower.SetEditMode(true);
    rig.Jump.PutName(L"edit.txt");
    EXPECT_FALSE(rig.Jump.Working());
    rig.Follower.SetEditMode(false);
    EXPECT_TRUE(rig.Follower.FirstName().empty());
    rig.Follower.Tick();
    rig.Jump.PutName(L"other.txt");
    EXPECT_TRUE(rig.PumpUntil([&] { return TextOf(item.FileNameBox()) == L"other.txt"; }));
    EXPECT_TRUE(rig.PumpUntil([&] { return !rig.Jump.Working(); }));

    item.Process().Kill();
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(item.Dialog()); }));
    rig.Follower.Tick();
    EXPECT_EQ(rig.Follower.Dialog(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(rig.ToolWindow.get()));
    EXPECT_EQ(rig.Caption(), L"Kestro");
}

}  // namespace
