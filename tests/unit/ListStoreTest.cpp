#include "ui/ListStore.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "lists/TextFile.h"
#include "tests/support/DataFiles.h"
#include "tests/support/FakeTimers.h"
#include "tests/support/Windows.h"

namespace {

using kestro::test::AnsiLines;
using kestro::test::ReadBytes;
using kestro::test::TFakeTimers;
using kestro::test::WriteBytes;

constexpr UINT_PTR kSaveTimer = 7;

TEST(ListStore, FavouritesAreWrittenAtOnceHistoryAndSizeOnceAtTheSaveTimerAndEverythingAtTheClose)
{
    const std::wstring folder = kestro::test::ScratchFolder(L"ListStore") + L"\\";
    const std::string favourites = AnsiLines({L"C:\\windows"});
    const std::string history = AnsiLines({L"C:\\users", L"C:\\KestroOld"});
    WriteBytes(folder + L"KestroF.lst", favourites);
    WriteBytes(folder + L"KestroH.lst", history);
    TFakeTimers timers;
    const kestro::TTimings timings;
    kestro::TFolderChecks checks(nullptr, 0, kestro::FolderState, 0);
    kestro::TListStore store(folder, kestro::WriteFileBytes, timers, kSaveTimer, checks, timings);
    ASSERT_TRUE(store.Load([](const kestro::EFileError& error) { FAIL() << kestro::test::Narrow(error.Message()); }));
    EXPECT_EQ(store.History().Items, (std::vector<std::wstring>{L"C:\\users", L"C:\\KestroOld"}));

    store.AddFavourite(L"C:\\users");
    EXPECT_TRUE(kestro::test::WaitFor(
        [&] {
            return ReadBytes(folder + L"KestroF.lst") == AnsiLines({L"C:\\windows", L"C:\\users"});
        },
        5000));
    EXPECT_TRUE(timers.Running.empty()) << "a favourite needs no save timer";

    // A burst of changes sets the timer once, and nothing is written before it falls due.
    store.ClearHistory();
    store.SizeChanged({300, 200});
    store.ClearHistory();
    EXPECT_EQ(timers.Running, (std::map<UINT_PTR, UINT>{{kSaveTimer, timings.SaveDelayMs}}));
    EXPECT_EQ(timers.Starts, 1);
    EXPECT_EQ(ReadBytes(folder + L"KestroH.lst"), history);
    store.SaveDue();
    EXPECT_TRUE(timers.Running.empty());
    EXPECT_TRUE(kestro::test::WaitFor(
        [&] {
            return ReadBytes(folder + L"KestroH.lst") == AnsiLines({}) &&
                   ReadBytes(folder + L"Kestro.ini") == AnsiLines({L"[Window]", L"Height=200", L"Width=300", L""});
        },
        5000));

    // The close writes all three files on the calling thread, whatever is scheduled.
    store.SizeChanged({320, 240});
    store.SaveAll({400, 250}, [](const kestro::EFileError& error) { FAIL() << kestro::test::Narrow(error.Message()); });
    EXPECT_EQ(ReadBytes(folder + L"Kestro.ini"), AnsiLines({L"[Window]", L"Height=250", L"Width=400", L""}));
    EXPECT_EQ(ReadBytes(folder + L"KestroF.lst"), AnsiLines({L"C:\\windows", L"C:\\users"}));
}

}  // namespace
