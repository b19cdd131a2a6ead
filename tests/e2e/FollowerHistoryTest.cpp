// History filled by the folders that followed dialogs show, as "KestroH.lst" holds it after
// Kestro closes and as the history tab shows it meanwhile.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <vector>

#include "tests/support/DataFiles.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/Follow.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/Kestro.h"
#include "tests/support/Windows.h"
#include "winutil/Timings.h"

using namespace kestro::test;

namespace {
using TLines = std::vector<std::wstring>;

// Entries that name no existing folder: history keeps them until a purge.
TLines OldEntries(int count)
{
    TLines entries;
    for (int i = 1; i <= count; ++i) entries.push_back(L"C:\\KestroOld\\" + std::to_wstring(i));
    return entries;
}

// One history case: the file before, the folders the dialog shows in turn, the file after.
// Names: F and G are folders of the test, J is a folder named in Japanese, X and Y stand for
// older entries, D is "Desktop", the name an address bar shows for a place that is no folder (a
// folder of that name is in Kestro's current folder). The item dialog's address bar shows `Label` before the folder, as
// Windows does in its display language. The rules of a visit and the labels of other languages are unit tests.
struct THistoryCase {
    const char* Name;
    std::vector<const wchar_t*> Before;
    std::vector<const wchar_t*> Visits;
    bool ExplorerStyle;
    std::vector<const wchar_t*> After;
    const wchar_t* Label = kItemBreadcrumbLabel;
};

void PrintTo(const THistoryCase& c, std::ostream* os)
{
    *os << c.Name;
}

class FollowerHistory : public testing::TestWithParam<THistoryCase> {
protected:
    void SetUp() override
    {
        ResetDataDir();
        WriteDataFile(L"KestroF.lst", "");
        const std::wstring current = ScratchFolder(L"HistoryCurrent");
        ::CreateDirectoryW((current + L"\\Desktop").c_str(), nullptr);
        ::SetCurrentDirectoryW(current.c_str());
        names = {{L"F", {ScratchFolder(L"HistoryF")}}, {L"D", {L"Desktop"}},
                 {L"G", {ScratchFolder(L"HistoryG")}}, {L"J", {ScratchFolder(L"履歴のフォルダ")}},
                 {L"X", {L"C:\\KestroOld\\X"}},        {L"Y", {L"C:\\KestroOld\\Y"}}};
    }

    TLines Expand(const std::vector<const wchar_t*>& symbols)
    {
        TLines lines;
        for (const wchar_t* symbol : symbols)
            for (const auto& line : names.at(symbol)) lines.push_back(line);
        return lines;
    }

    std::map<std::wstring, TLines> names;
    TKestro kestro;
};

TEST_P(FollowerHistory, TheFolderShownGoesToTheTopOnTheFavouritesTab)
{
    const THistoryCase& test = GetParam();
    WriteDataFile(L"KestroH.lst", ListFileBytes(Expand(test.Before)));
    kestro.StartReady();
    const TLines visits = Expand(test.Visits);
    TItemDialog item;
    TFileDialogApp explorerStyle;
    if (test.ExplorerStyle) {
        explorerStyle.Start(L"save", visits[0], L"name.txt");
        ASSERT_TRUE(WaitFollowing(kestro, explorerStyle.Dialog()));
    } else {
        item.Start(visits[0], L"name.txt", 0, test.Label);
        ASSERT_TRUE(WaitFollowing(kestro, item.Dialog()));
    }
    // In a series of visits each folder is new on top; a tick records it and the save that
    // follows within seconds shows it, before the dialog moves on. A single visit is given a
    // tick and more (nothing may change then).
    auto recorded = [&](size_t i) {
        if (visits.size() < 2) {
            PumpFor(1100);
            return;
        }
        EXPECT_TRUE(
            WaitFor([&] { return ReadDataFile(L"KestroH.lst").value_or("").rfind(ListFileBytes({visits[i]}), 0) == 0; },
                    kestro::TTimings{}.SaveDelayMs + 5000))
            << "visit " << i << " was not recorded";
    };
    recorded(0);
    for (size_t i = 1; i < visits.size(); ++i) {
        item.Submit(visits[i]);
        ASSERT_TRUE(WaitFor([&] { return item.Folder() == visits[i]; }));
        recorded(i);
    }
    EXPECT_EQ(kestro.TabIndex(), 0);
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroH.lst"), ListFileBytes(Expand(test.After)));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FollowerHistory,
    testing::Values(
        THistoryCase{"EachMoveOfTheDialog", {L"X", L"Y"}, {L"F", L"G", L"F"}, false, {L"F", L"G", L"X", L"Y"}},
        THistoryCase{"FolderAlreadyOnTop", {L"F", L"X", L"Y"}, {L"F"}, false, {L"F", L"X", L"Y"}},
        THistoryCase{"ExplorerStyleDialog", {L"X", L"Y"}, {L"F"}, true, {L"X", L"Y"}},
        THistoryCase{"PlaceThatIsNoFolder", {L"X"}, {L"D"}, false, {L"X"}},
        THistoryCase{"FolderNamedInJapanese", {L"X"}, {L"J"}, false, {L"J", L"X"}, L"Address: "}),
    [](const testing::TestParamInfo<THistoryCase>& info) { return info.param.Name; });

TEST(FollowerHistoryTab, ShowsTheNewFolderTrimsToFiftyAndIsLeftAloneWhileNothingChanges)
{
    ResetDataDir();
    const std::wstring f = ScratchFolder(L"HistoryF");
    const std::wstring g = ScratchFolder(L"HistoryG");
    const TLines old = OldEntries(50);
    WriteDataFile(L"KestroF.lst", "");
    WriteDataFile(L"KestroH.lst", ListFileBytes(old));
    TKestro kestro;
    kestro.StartReady();
    TItemDialog item;
    item.Start(f, L"name.txt");
    ASSERT_TRUE(WaitFollowing(kestro, item.Dialog()));
    PumpFor(600);

    // Recorded while the favourites tab was shown: 51 entries, untrimmed.
    ASSERT_TRUE(ActivateToolWindow(kestro));
    ClickAt(kestro.TabPoint(1));
    ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == 1; }));
    TLines shown = {f};
    shown.insert(shown.end(), old.begin(), old.end());
    EXPECT_EQ(kestro.ListItems(), shown);

    // A new folder on the history tab: on top of the list box, which is cut to 50.
    ASSERT_TRUE(BringToFront(item.Dialog()));
    item.Submit(g);
    ASSERT_TRUE(WaitFor([&] { return !kestro.ListItems().empty() && kestro.ListItems()[0] == g; }, 2000));
    TLines trimmed = {g, f};
    trimmed.insert(trimmed.end(), old.begin(), old.begin() + 48);
    EXPECT_EQ(kestro.ListItems(), trimmed);

    // The folder already on top: the list box is not refilled, so a selection survives.
    ClickEntry(kestro, 3);
    ASSERT_TRUE(WaitFor([&] { return kestro.ListSelection() == 3; }));
    ASSERT_TRUE(BringToFront(item.Dialog()));
    PumpFor(1100);
    EXPECT_EQ(item.Folder(), g) << "a missing history folder was sent to the dialog";
    EXPECT_EQ(kestro.ListSelection(), 3);
    EXPECT_EQ(kestro.ListItems(), trimmed);

    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroH.lst"), ListFileBytes(trimmed));
}

}  // namespace

// A sync client or a virus scanner holds the history file for seconds while folders are recorded:
// the window keeps answering, and the close writes every folder.
TEST(FollowerHistoryHeld, AHistoryFileHeldForSecondsNeitherStopsTheWindowNorLosesAFolder)
{
    ResetDataDir();
    const TLines folders = {ScratchFolder(L"HeldA"), ScratchFolder(L"HeldB"), ScratchFolder(L"HeldC")};
    WriteDataFile(L"KestroF.lst", "");
    WriteDataFile(L"KestroH.lst", ListFileBytes({L"C:\\KestroOld\\X"}));
    TKestro kestro;
    kestro.StartReady();
    TItemDialog item;
    item.Start(folders[0], L"name.txt");
    ASSERT_TRUE(WaitFollowing(kestro, item.Dialog()));
    ASSERT_TRUE(WaitFor(
        [&] {
            return ReadDataFile(L"KestroH.lst") == ListFileBytes({folders[0], L"C:\\KestroOld\\X"});
        },
        kestro::TTimings{}.SaveDelayMs + 5000));
    const std::wstring path = TestDataDir() + L"KestroH.lst";
    kestro::UniqueFile held(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(held);
    int unanswered = 0;
    const auto keepAsking = [&](DWORD ms) {
        for (const ULONGLONG end = ::GetTickCount64() + ms; ::GetTickCount64() < end; ::Sleep(20)) {
            DWORD_PTR result = 0;
            if (!::SendMessageTimeoutW(kestro.Main(), WM_NULL, 0, 0, 0, 200, &result)) ++unanswered;
        }
    };
    for (const std::wstring& folder : {folders[1], folders[2]}) {
        item.Submit(folder);
        ASSERT_TRUE(WaitFor([&] { return item.Folder() == folder; }));
        keepAsking(kestro::TTimings{}.SaveDelayMs + 500);
    }
    keepAsking(1000);
    EXPECT_EQ(unanswered, 0) << "the window stopped answering while the file was held";
    held.reset();
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroH.lst"), ListFileBytes({folders[2], folders[1], folders[0], L"C:\\KestroOld\\X"}));
}

// Updaters and installers ask a program to close through whichever of its top-level windows they
// find first, or end it through the Restart Manager: either way the folder a dialog showed a moment
// before, recorded but not yet saved, reaches the history file.
TEST(FollowerHistoryClose, AClosePostedToAnyWindowOfKestroOrTheSessionEndWritesTheLastVisit)
{
    const std::pair<const char*, std::function<void(TKestro&)>> closes[] = {
        {"WM_CLOSE to the application window", [](TKestro& k) { ::PostMessageW(k.App(), WM_CLOSE, 0, 0); }},
        {"WM_ENDSESSION of the Restart Manager",
         [](TKestro& k) { ::PostMessageW(k.Main(), WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP); }},
    };
    for (const auto& [name, close] : closes) {
        SCOPED_TRACE(name);
        ResetDataDir();
        const std::wstring shown = ScratchFolder(L"ClosedWhileShown");
        WriteDataFile(L"KestroF.lst", "");
        WriteDataFile(L"KestroH.lst", ListFileBytes({L"C:\\KestroOld\\X"}));
        TKestro kestro;
        kestro.StartReady();
        TItemDialog item;
        item.Start(shown, L"name.txt");
        ASSERT_TRUE(WaitFollowing(kestro, item.Dialog()));
        // The tick that docked recorded the folder; its check answers at once, its save is seconds away.
        PumpFor(500);
        close(kestro);
        ASSERT_TRUE(WaitFor([&] { return kestro.Process().WaitExit(0); }, 10000)) << "Kestro did not end";
        EXPECT_EQ(ReadDataFile(L"KestroH.lst"), ListFileBytes({shown, L"C:\\KestroOld\\X"}));
    }
}
