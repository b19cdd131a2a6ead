#include "ui/DialogWork.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/FakeTimers.h"
#include "tests/support/WorkWindow.h"
#include "ui/DialogEvents.h"
#include "winutil/Handles.h"

namespace {

using kestro::test::TFakeTimers;
using kestro::test::TWorkWindow;

constexpr UINT_PTR kBoundTimer = 7;
constexpr UINT kBoundMs = 12000;

// The pieces that ran, in order, as the workers record them.
class TPieces {
public:
    void Ran(int piece)
    {
        const kestro::TLockGuard lock(FLock);
        FRan.push_back(piece);
    }
    std::vector<int> Ran()
    {
        const kestro::TLockGuard lock(FLock);
        return FRan;
    }

private:
    SRWLOCK FLock = SRWLOCK_INIT;
    std::vector<int> FRan;
};

TEST(DialogWork, RunsOnePieceAtATimeUnderOneBoundAndLeavesAStuckPieceBehind)
{
    TWorkWindow window;
    TFakeTimers timers;
    TPieces pieces;
    const kestro::UniqueHandle go(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    kestro::TDialogWork work(window.Handle(), TWorkWindow::kDone, timers, kBoundTimer, kBoundMs, 100, ::GetTickCount64);
    const auto deliver = [&] { work.DeliverCompletions(); };
    std::vector<int> done;

    // A piece asked for while another runs waits for it; only the latest one's completion counts.
    work.Run(
        [&](ULONGLONG) {
            ::WaitForSingleObject(go.get(), 10000);
            pieces.Ran(1);
        },
        [&] { done.push_back(1); });
    EXPECT_TRUE(work.Busy());
    EXPECT_EQ(timers.Running, (std::map<UINT_PTR, UINT>{{kBoundTimer, kBoundMs}}));
    work.Run([&](ULONGLONG) { pieces.Ran(2); }, [&] { done.push_back(2); });
    ::SetEvent(go.get());
    ASSERT_TRUE(window.PumpUntil([&] { return !work.Busy(); }, deliver));
    EXPECT_EQ(pieces.Ran(), (std::vector<int>{1, 2}));
    EXPECT_EQ(done, std::vector<int>{2});
    EXPECT_FALSE(timers.IsRunning(kBoundTimer));

    // A piece stuck in a dialog that stopped answering: the bound ends the work at once, and the
    // next piece runs on a worker of its own while the stuck one still waits.
    ::ResetEvent(go.get());
    const kestro::UniqueHandle started(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
    work.Run(
        [&](ULONGLONG) {
            ::SetEvent(started.get());
            ::WaitForSingleObject(go.get(), 10000);
            pieces.Ran(3);
        },
        [&] { done.push_back(3); });
    ASSERT_EQ(::WaitForSingleObject(started.get(), 5000), WAIT_OBJECT_0);
    work.BoundReached();
    EXPECT_FALSE(work.Busy());
    EXPECT_FALSE(timers.IsRunning(kBoundTimer));
    work.Run([&](ULONGLONG) { pieces.Ran(4); }, [&] { done.push_back(4); });
    ASSERT_TRUE(window.PumpUntil([&] { return !work.Busy(); }, deliver));
    EXPECT_EQ(pieces.Ran(), (std::vector<int>{1, 2, 4}));
    // When the stuck piece returns at last, nothing of it reaches the window.
    ::SetEvent(go.get());
    ASSERT_TRUE(window.PumpUntil([&] { return pieces.Ran().size() == 4; }, deliver));
    window.PumpUntil([] { return false; }, deliver, 200);
    EXPECT_EQ(done, (std::vector<int>{2, 3, 4}));
    EXPECT_FALSE(work.Busy());
}

TEST(DialogEvents, LooksAgainAtAnAnnouncedWindowAFewTimesAndStopsItsTimer)
{
    TWorkWindow window;
    TWorkWindow announced;
    TFakeTimers timers;
    const kestro::TTimings timings;
    kestro::TDialogEvents events(window.Handle(), WM_APP + 1, timers, kBoundTimer, timings);

    events.Recheck(announced.Handle());
    EXPECT_EQ(timers.Running, (std::map<UINT_PTR, UINT>{{kBoundTimer, timings.RecheckMs}}));
    for (int i = 0; i < timings.Rechecks; ++i) ASSERT_EQ(events.NextRecheck(), announced.Handle()) << i;
    EXPECT_EQ(events.NextRecheck(), nullptr);
    EXPECT_FALSE(timers.IsRunning(kBoundTimer));

    // A window destroyed meanwhile ends the looks at its next one.
    HWND gone = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    events.Recheck(gone);
    ::DestroyWindow(gone);
    EXPECT_EQ(events.NextRecheck(), nullptr);
    EXPECT_FALSE(timers.IsRunning(kBoundTimer));
}

}  // namespace
