#include "ui/ExplorerTab.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/WorkWindow.h"
#include "winutil/Handles.h"

namespace {

using kestro::test::TWorkWindow;
using TFolders = std::vector<std::wstring>;

// The Explorer windows as the reader finds them; a read can be held as a hung Explorer holds it.
class TFakeExplorer {
public:
    TFakeExplorer() : FGo(::CreateEventW(nullptr, TRUE, TRUE, nullptr)) {}
    ~TFakeExplorer() { ::SetEvent(FGo.get()); }

    kestro::TExplorerTab::TReader Reader()
    {
        return [this](bool&) {
            ::WaitForSingleObject(FGo.get(), 10000);
            const kestro::TLockGuard lock(FLock);
            ++FReads;
            return FFolders;
        };
    }
    void Show(TFolders folders)
    {
        const kestro::TLockGuard lock(FLock);
        FFolders = std::move(folders);
    }
    void Hold() { ::ResetEvent(FGo.get()); }
    void Release() { ::SetEvent(FGo.get()); }
    int Reads()
    {
        const kestro::TLockGuard lock(FLock);
        return FReads;
    }

private:
    SRWLOCK FLock = SRWLOCK_INIT;
    TFolders FFolders;
    int FReads = 0;
    kestro::UniqueHandle FGo;
};

TEST(ExplorerTab, ReadsWhileShownWhenDueOneAtATimeAndKeepsWhatItShowedPastAReadTooLate)
{
    TWorkWindow window;
    TFakeExplorer explorer;
    const kestro::TTimings timings;
    ULONGLONG now = 100000;
    int changes = 0;
    kestro::TExplorerTab tab(window.Handle(), TWorkWindow::kDone, timings, explorer.Reader(), [&] { return now; });
    const auto deliver = [&] {
        tab.DeliverCompletions();
        if (tab.TakeFoldersChanged()) ++changes;
    };

    explorer.Show({L"C:\\a"});
    tab.Tick(false);
    tab.Tick(true);
    ASSERT_TRUE(window.PumpUntil([&] { return changes == 1; }, deliver));
    EXPECT_EQ(tab.Folders(), TFolders{L"C:\\a"});

    // Not due again until the interval has passed; a read that finds the same folders changes nothing.
    explorer.Show({L"C:\\b"});
    now += timings.ExplorerReadIntervalMs - 1;
    tab.Tick(true);
    now += 1;
    tab.Tick(true);
    ASSERT_TRUE(window.PumpUntil([&] { return changes == 2; }, deliver));
    EXPECT_EQ(explorer.Reads(), 2);
    EXPECT_EQ(tab.Folders(), TFolders{L"C:\\b"});

    // A read held past its bound: no second read meanwhile, and what it brings back is dropped.
    explorer.Hold();
    explorer.Show({L"C:\\late"});
    now += timings.ExplorerReadIntervalMs;
    tab.Tick(true);
    now += timings.ExplorerReadBoundMs + 1;
    tab.Tick(true);
    explorer.Release();
    ASSERT_TRUE(window.PumpUntil([&] { return explorer.Reads() == 3; }, deliver));
    // Once the late read is delivered, a tick may start the next one.
    explorer.Show({L"C:\\c"});
    ASSERT_TRUE(window.PumpUntil(
        [&] {
            tab.Tick(true);
            return changes == 3;
        },
        deliver));
    EXPECT_EQ(explorer.Reads(), 4) << "a second read ran while one was under way";
    EXPECT_EQ(tab.Folders(), TFolders{L"C:\\c"});
}

}  // namespace
