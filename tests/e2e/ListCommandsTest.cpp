// The tool bar commands of edit mode, checked on screen and in the files written at close.
#include <gtest/gtest.h>

#include <windows.h>
#include <shlobj.h>
#include <commctrl.h>

#include "tests/support/DataFiles.h"
#include "tests/support/Input.h"
#include "tests/support/Kestro.h"
#include "tests/support/Windows.h"
#include "winutil/Handles.h"

using namespace kestro;
using namespace kestro::test;

namespace {
using TEntries = std::vector<std::wstring>;

class ListCommands : public testing::Test {
protected:
    void Start(std::initializer_list<std::wstring> favourites, const TEntries& history = {})
    {
        ResetDataDir();
        WriteDataFile(L"KestroF.lst", AnsiLines(favourites));
        if (!history.empty()) WriteDataFile(L"KestroH.lst", ListFileBytes(history));
        kestro.StartReady();
        ASSERT_EQ(kestro.RelayShow(), 0u);
        ASSERT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
    }

    void Select(int index)
    {
        ClickAt(kestro.ListItemPoint(index));
        ASSERT_TRUE(WaitFor([&] { return kestro.ListSelection() == index; }));
    }

    void Click(int button)
    {
        ClickAt(kestro.ButtonPoint(button));
        PumpFor(150);
    }

    void SwitchTab(int index)
    {
        ClickAt(kestro.TabPoint(index));
        ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == index; }));
    }

    HWND WaitForBox()
    {
        HWND box = nullptr;
        EXPECT_TRUE(WaitFor([&] { return (box = FindDialogOf(kestro.Process().Id())) != nullptr; }));
        return box;
    }

    void CloseAndExpect(const std::string& favourites, const std::string& history)
    {
        ASSERT_TRUE(kestro.Close());
        EXPECT_EQ(ReadDataFile(L"KestroF.lst"), favourites);
        EXPECT_EQ(ReadDataFile(L"KestroH.lst"), history);
    }

    std::wstring gone = ScratchFolder(L"gone");
    TKestro kestro;
};
}  // namespace

TEST_F(ListCommands, AddFromHistoryAppendsAndShowsFavouritesWithoutPurging)
{
    ::RemoveDirectoryW(gone.c_str());
    Start({L"C:\\users"}, {gone, L"C:\\windows"});
    SwitchTab(1);
    EXPECT_FALSE(kestro.ButtonShown(tbUp));
    EXPECT_FALSE(kestro.ButtonShown(tbDown));
    EXPECT_TRUE(kestro.ButtonShown(tbAdd));
    Select(1);
    Click(tbAdd);
    ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == 0; }));
    EXPECT_EQ(kestro.ListItems(), (TEntries{L"C:\\users", L"C:\\windows"}));
    EXPECT_EQ(kestro.ListSelection(), -1);
    EXPECT_TRUE(kestro.ButtonShown(tbUp));
    CloseAndExpect(AnsiLines({L"C:\\users", L"C:\\windows"}), AnsiLines({gone, L"C:\\windows"}));
}

TEST_F(ListCommands, AddFromHistoryWithNothingSelectedDoesNothing)
{
    Start({L"C:\\users"}, {L"C:\\windows"});
    SwitchTab(1);
    Click(tbAdd);
    PumpFor(200);
    EXPECT_EQ(kestro.TabIndex(), 1);
    CloseAndExpect(AnsiLines({L"C:\\users"}), AnsiLines({L"C:\\windows"}));
}

TEST_F(ListCommands, AnEqualFavouriteMovesToTheEnd)
{
    Start({L"C:\\A", L"c:\\windows", L"C:\\B"}, {L"C:\\Windows"});
    SwitchTab(1);
    Select(0);
    Click(tbAdd);
    ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == 0; }));
    EXPECT_EQ(kestro.ListItems(), (TEntries{L"C:\\A", L"C:\\B", L"C:\\Windows"}));
}

TEST_F(ListCommands, DeleteFavouriteAsksNothingAndLeavesNothingSelected)
{
    Start({L"C:\\A", L"C:\\B", L"C:\\C"});
    Select(1);
    Click(tbDel);
    ASSERT_TRUE(WaitFor([&] { return kestro.ListItems().size() == 2; }));
    EXPECT_EQ(FindDialogOf(kestro.Process().Id()), nullptr);
    EXPECT_EQ(kestro.ListSelection(), -1);
    Click(tbDel);  // nothing selected: nothing happens
    EXPECT_EQ(kestro.ListItems(), (TEntries{L"C:\\A", L"C:\\C"}));
    CloseAndExpect(AnsiLines({L"C:\\A", L"C:\\C"}), "");
}

TEST_F(ListCommands, DeleteOnHistoryAsksAndNoKeepsIt)
{
    Start({L"C:\\A"}, {L"C:\\windows", L"C:\\users"});
    SwitchTab(1);
    Click(tbDel);
    HWND box = WaitForBox();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Kestro");
    EXPECT_EQ(MessageBoxText(box), L"履歴を全削除しますか？");
    EXPECT_NE(::GetDlgItem(box, IDYES), nullptr);
    EXPECT_NE(::GetDlgItem(box, IDNO), nullptr);
    EXPECT_EQ(::GetDlgItem(box, IDCANCEL), nullptr);
    EXPECT_FALSE(HasVisibleIcon(box));
    PressDialogButton(box, IDNO);
    ASSERT_TRUE(WaitFor([&] { return FindDialogOf(kestro.Process().Id()) == nullptr; }));
    EXPECT_EQ(kestro.ListItems().size(), 2u);
    CloseAndExpect(AnsiLines({L"C:\\A"}), AnsiLines({L"C:\\windows", L"C:\\users"}));
}

TEST_F(ListCommands, DeleteOnHistoryWithYesEmptiesIt)
{
    Start({L"C:\\A"}, {L"C:\\windows", L"C:\\users"});
    SwitchTab(1);
    Click(tbDel);
    HWND box = WaitForBox();
    ASSERT_NE(box, nullptr);
    PressDialogButton(box, IDYES);
    ASSERT_TRUE(WaitFor([&] { return kestro.ListItems().empty(); }));
    EXPECT_EQ(kestro.TabIndex(), 1);
    CloseAndExpect(AnsiLines({L"C:\\A"}), "");
}

TEST_F(ListCommands, UpAndDownMoveTheSelectedFavouriteStepByStep)
{
    Start({L"C:\\A", L"C:\\B", L"C:\\C"});
    Select(2);
    Click(tbUp);
    ASSERT_TRUE(WaitFor([&] { return kestro.ListItems() == TEntries{L"C:\\A", L"C:\\C", L"C:\\B"}; }));
    EXPECT_EQ(kestro.ListSelection(), 1);
    Click(tbUp);
    ASSERT_TRUE(WaitFor([&] { return kestro.ListItems() == TEntries{L"C:\\C", L"C:\\A", L"C:\\B"}; }));
    EXPECT_EQ(kestro.ListSelection(), 0);
    Click(tbUp);  // already first
    EXPECT_EQ(kestro.ListItems(), (TEntries{L"C:\\C", L"C:\\A", L"C:\\B"}));
    Click(tbDown);
    Click(tbDown);
    ASSERT_TRUE(WaitFor([&] { return kestro.ListItems() == TEntries{L"C:\\A", L"C:\\B", L"C:\\C"}; }));
    EXPECT_EQ(kestro.ListSelection(), 2);
    Click(tbDown);  // already last
    EXPECT_EQ(kestro.ListSelection(), 2);
    CloseAndExpect(AnsiLines({L"C:\\A", L"C:\\B", L"C:\\C"}), "");
}

TEST_F(ListCommands, LeavingHistoryPurgesGoneEntriesKeepsThoseOutOfReachAndCutsToFiftyButArrivingDoesNot)
{
    ::RemoveDirectoryW(gone.c_str());
    const std::wstring root = ScratchFolder(L"Kept");
    TEntries kept;
    for (int i = 0; i < 52; ++i) {
        kept.push_back(root + L"\\" + std::to_wstring(i));
        ASSERT_TRUE(::CreateDirectoryW(kept.back().c_str(), nullptr));
    }
    const std::wstring file = root + L"\\file.txt";
    WriteBytes(file, "x");
    // Folders that will be back tomorrow: on a drive letter that is not there now, on a server
    // that does not answer.
    wchar_t letter = L'Z';
    while (letter > L'D' && (::GetLogicalDrives() & (1u << (letter - L'A')))) --letter;
    const TEntries offline = {std::wstring{letter} + L":\\photos\\2026", L"\\\\kestro-nas-asleep\\share\\docs"};
    // 57 lines: the missing folder, the empty line and the offline ones near the top, the file further down.
    TEntries history = kept;
    history.insert(history.begin() + 1, {gone, L"", offline[0], offline[1]});
    history.insert(history.begin() + 40, file);
    Start({L"C:\\A"}, history);
    SwitchTab(1);
    EXPECT_EQ(kestro.ListItems(), history);
    SwitchTab(0);
    SwitchTab(1);
    TEntries first50 = {kept[0], offline[0], offline[1]};
    first50.insert(first50.end(), kept.begin() + 1, kept.begin() + 48);
    EXPECT_TRUE(WaitFor([&] { return kestro.ListItems() == first50; })) << kestro.ListItems().size();
    CloseAndExpect(AnsiLines({L"C:\\A"}), ListFileBytes(first50));
}

TEST_F(ListCommands, BrowseDialogIsCentredAndCancelChangesNothing)
{
    Start({L"C:\\A"});
    Click(tbAdd);
    HWND browse = WaitForBox();
    ASSERT_NE(browse, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ::IsWindowVisible(browse) != FALSE; }));
    PumpFor(200);
    const RECT r = WindowRect(browse);
    const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    EXPECT_EQ(r.left, (screenWidth - (r.right - r.left)) / 2);
    EXPECT_EQ(r.top, (screenHeight - (r.bottom - r.top)) / 2);
    EXPECT_FALSE(::IsWindowEnabled(kestro.Main())) << "the main window takes no input meanwhile";
    PressDialogButton(browse, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return FindDialogOf(kestro.Process().Id()) == nullptr; }));
    EXPECT_TRUE(WaitFor([&] { return ::IsWindowEnabled(kestro.Main()) != FALSE; }));
    EXPECT_EQ(kestro.ListItems(), (TEntries{L"C:\\A"}));
    CloseAndExpect(AnsiLines({L"C:\\A"}), "");
}

TEST_F(ListCommands, FolderChosenInTheBrowseDialogBecomesTheLastFavourite)
{
    // A folder the shell's namespace parses from a plain drive path (the prefix's temporary
    // folder is a link out of the drive that the browse dialog cannot select).
    const std::wstring chosen = L"C:\\KestroTest-chosen";
    ::CreateDirectoryW(chosen.c_str(), nullptr);
    TScopeExit removeChosen([&] { ::RemoveDirectoryW(chosen.c_str()); });
    Start({L"C:\\A"});
    Click(tbAdd);
    HWND browse = WaitForBox();
    ASSERT_NE(browse, nullptr);
    HWND tree = nullptr;
    ASSERT_TRUE(WaitFor([&] {
        tree = ::FindWindowExW(browse, nullptr, L"SysTreeView32", nullptr);
        return tree && ::SendMessageW(tree, TVM_GETCOUNT, 0, 0) > 0;
    }));
    // The selection message carries a path pointer, so the path is put into Kestro's memory.
    DWORD pid = kestro.Process().Id();
    UniqueHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, pid));
    ASSERT_TRUE(process);
    const size_t bytes = (chosen.size() + 1) * sizeof(wchar_t);
    void* remote = ::VirtualAllocEx(process.get(), nullptr, bytes, MEM_COMMIT, PAGE_READWRITE);
    ASSERT_NE(remote, nullptr);
    ::WriteProcessMemory(process.get(), remote, chosen.c_str(), bytes, nullptr);
    const auto selected = [&] { return ::SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0); };
    const LRESULT before = selected();
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(browse, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(remote), SMTO_ABORTIFHUNG, 5000,
                          &result);
    ::VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    // The dialog takes the new selection in its own time; OK counts once the tree shows it.
    ASSERT_TRUE(WaitFor([&] { return selected() != before && ::IsWindowEnabled(::GetDlgItem(browse, IDOK)); }));
    PressDialogButton(browse, IDOK);
    ASSERT_TRUE(WaitFor([&] { return kestro.ListItems().size() == 2; }));
    EXPECT_EQ(kestro.ListItems(), (TEntries{L"C:\\A", chosen}));
    CloseAndExpect(AnsiLines({L"C:\\A", chosen}), "");
}

namespace {
// Visible top-level windows of any process whose caption holds `name`.
std::vector<HWND> FolderWindows(const std::wstring& name)
{
    std::vector<HWND> found;
    struct TSearch {
        const std::wstring* Name;
        std::vector<HWND>* Found;
    } search{&name, &found};
    ::EnumWindows(
        [](HWND wnd, LPARAM param) -> BOOL {
            auto* s = reinterpret_cast<TSearch*>(param);
            if (::IsWindowVisible(wnd) && TextOf(wnd).find(*s->Name) != std::wstring::npos) s->Found->push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return found;
}
}  // namespace

TEST_F(ListCommands, DoubleClickOpensAReachableFolderInEditModeOnly)
{
    const std::wstring folder = ScratchFolder(L"opened");
    const std::wstring name = L"KestroTest-opened";
    Start({L"C:\\KestroTest-missing", folder});
    DoubleClickAt(kestro.ListItemPoint(0));
    PumpFor(1500);
    EXPECT_TRUE(FolderWindows(L"KestroTest-missing").empty());
    DoubleClickAt(kestro.ListItemPoint(1));
    ASSERT_TRUE(WaitFor([&] { return !FolderWindows(name).empty(); }, 10000)) << "the folder did not open";
    EXPECT_TRUE(kestro.EditMode());
    for (HWND wnd : FolderWindows(name)) ::PostMessageW(wnd, WM_CLOSE, 0, 0);
    EXPECT_TRUE(WaitFor([&] { return FolderWindows(name).empty(); }));
}
