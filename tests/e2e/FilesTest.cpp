// The list and settings files as Kestro reads them at start and writes them at close.
#include <gtest/gtest.h>

#include <thread>

#include "lists/FileError.h"
#include "tests/support/DataFiles.h"
#include "tests/support/Input.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/Kestro.h"
#include "tests/support/Windows.h"
#include "winutil/Handles.h"

using namespace kestro;
using namespace kestro::test;

namespace {
const std::string kUtf8Mark = "\xEF\xBB\xBF";

std::string Utf16Lines(std::initializer_list<std::wstring> lines)
{
    std::wstring text;
    for (const auto& line : lines) text += line + L"\r\n";
    return std::string("\xFF\xFE", 2) + std::string(reinterpret_cast<const char*>(text.data()), text.size() * 2);
}

std::string IniFor(HWND wnd)
{
    const RECT r = WindowRect(wnd);
    return "[Window]\r\nHeight=" + std::to_string(r.bottom - r.top) + "\r\nWidth=" + std::to_string(r.right - r.left) +
           "\r\n\r\n";
}

FILETIME LastWrite(const std::wstring& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExW((TestDataDir() + name).c_str(), GetFileExInfoStandard, &data);
    return data.ftLastWriteTime;
}

class Files : public testing::Test {
protected:
    void SetUp() override { ResetDataDir(); }

    // A second start, then a click on the history tab, the first entry and "追加".
    void AddFirstHistoryEntryToFavourites()
    {
        ASSERT_EQ(kestro.RelayShow(), 0u);
        ASSERT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
        ClickAt(kestro.TabPoint(1));
        ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == 1; }));
        ClickAt(kestro.ListItemPoint(0));
        ASSERT_TRUE(WaitFor([&] { return kestro.ListSelection() == 0; }));
        ClickAt(kestro.ButtonPoint(tbAdd));
        ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == 0; }));
    }

    // Kestro in standby with one favourite and one history entry, then its favourites file
    // held by the test without sharing.
    UniqueFile StartWithFavouritesHeld()
    {
        WriteDataFile(L"KestroF.lst", AnsiLines({L"C:\\windows"}));
        WriteDataFile(L"KestroH.lst", AnsiLines({L"C:\\users"}));
        kestro.StartReady();
        const std::wstring path = TestDataDir() + L"KestroF.lst";
        return UniqueFile(
            ::CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr));
    }

    // The message box Kestro shows, waited for up to `timeoutMs`; 0 when none came.
    HWND BoxOfKestro(DWORD timeoutMs = 5000)
    {
        HWND box = nullptr;
        WaitFor([&] { return (box = FindDialogOf(kestro.Process().Id())) != nullptr; }, timeoutMs);
        return box;
    }

    TKestro kestro;
};
}  // namespace

TEST_F(Files, FirstRunWelcomesThenWritesEmptyListsAndTheSizeAtClose)
{
    kestro.Start();
    HWND welcome = BoxOfKestro(15000);
    ASSERT_NE(welcome, nullptr);
    EXPECT_EQ(TextOf(welcome), L"Kestro");
    EXPECT_EQ(MessageBoxText(welcome),
              L"Kestroをご利用いただきましてありがとうございます。\r\n"
              L"フォルダを登録してください。\r\n"
              L"再度実行すると待機中のウィンドウが表示されます。");
    EXPECT_FALSE(HasVisibleIcon(welcome)) << "MB_OK has no icon";
    EXPECT_NE(::GetDlgItem(welcome, IDOK), nullptr);
    EXPECT_EQ(::GetDlgItem(welcome, IDCANCEL), nullptr);
    PressDialogButton(welcome, IDOK);
    ASSERT_TRUE(kestro.WaitReady());
    EXPECT_FALSE(kestro.Visible());
    const std::string ini = IniFor(kestro.Main());
    ASSERT_TRUE(kestro.Close());

    const std::string empty = ::GetACP() == CP_UTF8 ? kUtf8Mark : "";
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), empty);
    EXPECT_EQ(ReadDataFile(L"KestroH.lst"), empty);
    EXPECT_EQ(ReadDataFile(L"Kestro.ini"), ini);
}

TEST_F(Files, OldFavouritesFileIsMovedAndRead)
{
    WriteDataFile(L"Kestro.lst", AnsiLines({L"C:\\windows", L"C:\\users"}));
    kestro.StartReady();
    EXPECT_EQ(FindDialogOf(kestro.Process().Id()), nullptr) << "no welcome with favourites";
    EXPECT_EQ(kestro.ListItems(), (std::vector<std::wstring>{L"C:\\windows", L"C:\\users"}));
    EXPECT_FALSE(ReadDataFile(L"Kestro.lst"));
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), AnsiLines({L"C:\\windows", L"C:\\users"}));
}

TEST_F(Files, OldFavouritesFileStaysWhenTheNewOneExists)
{
    const std::string old = AnsiLines({L"C:\\old"});
    WriteDataFile(L"Kestro.lst", old);
    WriteDataFile(L"KestroF.lst", AnsiLines({L"C:\\new"}));
    kestro.StartReady();
    EXPECT_EQ(kestro.ListItems(), (std::vector<std::wstring>{L"C:\\new"}));
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"Kestro.lst"), old);
}

TEST_F(Files, AnUnreadableFavouritesFileIsReportedNeverWrittenAndDialogsAreStillFollowed)
{
    const std::string favourites = kUtf8Mark + "C:\\\xC3\x28\r\n";
    const std::string history = AnsiLines({L"C:\\users"});
    WriteDataFile(L"KestroF.lst", favourites);
    WriteDataFile(L"KestroH.lst", history);

    kestro.Start();
    HWND box = BoxOfKestro(15000);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(TextOf(box), L"Kestro");
    EXPECT_EQ(MessageBoxText(box), L"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません.");
    EXPECT_TRUE(HasVisibleIcon(box)) << "an error box carries the error icon";
    PressDialogButton(box, IDOK);
    // Creation goes on to standby, with the history it could read, and follows dialogs.
    ASSERT_TRUE(kestro.WaitReady());
    const std::wstring followed = ScratchFolder(L"FilesFollowed");
    TItemDialog item;
    item.Start(followed, L"name.txt");
    EXPECT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.Caption() != L"Kestro"; }, 3000))
        << "the dialog was not followed after the error";
    EXPECT_TRUE(WaitFor(
        [&] {
            return ReadDataFile(L"KestroH.lst") == ListFileBytes({followed, L"C:\\users"});
        },
        kestro::TTimings{}.SaveDelayMs + 5000))
        << "the history that could be read is written back with the folder shown";

    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), favourites);
}

TEST_F(Files, AHistoryFileOfJunkNeverEndsKestro)
{
    // 512 bytes of a disk error or a sync conflict: read as junk entries in one code page, not
    // readable at all in another.
    std::string junk;
    for (uint32_t x = 12345, i = 0; i < 512; ++i) {
        x = x * 1103515245u + 12345u;
        junk += static_cast<char>((x >> 16) & 0xFF);
    }
    const std::string favourites = AnsiLines({L"C:\\windows", L"C:\\users"});
    WriteDataFile(L"KestroF.lst", favourites);
    WriteDataFile(L"KestroH.lst", junk);
    kestro.Start();
    if (HWND box = BoxOfKestro(3000)) PressDialogButton(box, IDOK);
    ASSERT_TRUE(kestro.WaitReady());

    ASSERT_EQ(kestro.RelayShow(), 0u);
    ASSERT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
    for (const int tab : {1, 2, 0, 1, 0}) {
        ClickAt(kestro.TabPoint(tab));
        ASSERT_TRUE(WaitFor([&] { return kestro.TabIndex() == tab && kestro.Answers(200); })) << "tab " << tab;
    }
    EXPECT_EQ(kestro.ListItems(), (std::vector<std::wstring>{L"C:\\windows", L"C:\\users"}));
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), favourites);
}

TEST_F(Files, ANotepadFileInUtf8WithoutAMarkIsReadAsWrittenAndWrittenBackByteForByte)
{
    const std::string notepad = Utf8Bytes(L"C:\\仕事\\資料\r\nC:\\users\r\n");
    WriteDataFile(L"KestroF.lst", notepad);
    kestro.StartReady();
    EXPECT_EQ(kestro.ListItems(), (std::vector<std::wstring>{L"C:\\仕事\\資料", L"C:\\users"}));
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), notepad);
}

TEST_F(Files, Utf8FavouritesStayUtf8AfterAChange)
{
    WriteDataFile(L"KestroF.lst", kUtf8Mark + "C:\\windows\r\n");
    WriteDataFile(L"KestroH.lst", AnsiLines({L"C:\\users"}));
    kestro.StartReady();
    AddFirstHistoryEntryToFavourites();
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), kUtf8Mark + "C:\\windows\r\nC:\\users\r\n");
}

TEST_F(Files, AFolderNameOutsideTheCodePageSurvivesASave)
{
    // Hangul is in neither code page 1252 nor 932.
    const std::wstring foreign = L"C:\\Ωμέγα\\한국어";
    WriteDataFile(L"KestroF.lst", AnsiLines({L"C:\\windows"}));
    WriteDataFile(L"KestroH.lst", Utf16Lines({foreign}));
    kestro.StartReady();
    AddFirstHistoryEntryToFavourites();
    EXPECT_EQ(kestro.ListItems(), (std::vector<std::wstring>{L"C:\\windows", foreign}));
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), kUtf8Mark + Utf8Bytes(L"C:\\windows\r\n" + foreign + L"\r\n"));
    EXPECT_EQ(ReadDataFile(L"KestroH.lst"), Utf16Lines({foreign}));
}

TEST_F(Files, SavedSizeIsAppliedAndNormalisedAtClose)
{
    WriteDataFile(L"KestroF.lst", "");
    WriteDataFile(L"Kestro.ini", "; comment\r\n\r\n[window]\r\nheight = 300\r\nWidth=0x104\r\n[Other]\r\nKey=1\r\n");
    kestro.StartReady();
    const RECT r = WindowRect(kestro.Main());
    EXPECT_EQ(r.bottom - r.top, 300);
    EXPECT_EQ(r.right - r.left, 260);
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"Kestro.ini"), "[window]\r\nheight=300\r\nWidth=260\r\n\r\n[Other]\r\nKey=1\r\n\r\n");
}

TEST_F(Files, UnreadableSettingsAtCloseStillSaveTheListsAndClose)
{
    WriteDataFile(L"KestroF.lst", AnsiLines({L"C:\\windows"}));
    WriteDataFile(L"KestroH.lst", AnsiLines({L"C:\\users"}));
    kestro.StartReady();
    AddFirstHistoryEntryToFavourites();
    // Invalid UTF-8 after the mark: the settings file cannot be decoded at close.
    const std::string broken = kUtf8Mark + "\xC3\x28";
    WriteDataFile(L"Kestro.ini", broken);
    ::PostMessageW(kestro.Main(), WM_CLOSE, 0, 0);
    HWND box = BoxOfKestro();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), L"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません.");
    PressDialogButton(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return kestro.Process().WaitExit(0); }, 10000));
    EXPECT_EQ(ReadDataFile(L"Kestro.ini"), broken);
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), AnsiLines({L"C:\\windows", L"C:\\users"}));
}

TEST_F(Files, ASettingsFileThatCannotBeReplacedKeepsTheWindowOpenForARetry)
{
    WriteDataFile(L"KestroF.lst", AnsiLines({L"C:\\windows"}));
    kestro.StartReady();
    const std::wstring ini = TestDataDir() + L"Kestro.ini";
    WriteDataFile(L"Kestro.ini", "[Window]\r\n");
    UniqueFile lock(::CreateFileW(ini.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(lock);
    ::PostMessageW(kestro.Main(), WM_CLOSE, 0, 0);
    HWND box = BoxOfKestro();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box).rfind(L"ファイル \"" + ini + L"\" を作成できません。", 0), 0u)
        << MessageBoxText(box).c_str();
    PressDialogButton(box, IDOK);
    // The box has gone and the window's thread is back in its loop, the close given up.
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box) && kestro.Answers(200); }));
    EXPECT_TRUE(kestro.Process().Running()) << "the window stays open so that the user can retry";
    EXPECT_EQ(ReadDataFile(L"Kestro.ini"), "[Window]\r\n");
    lock.reset();
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"Kestro.ini").value_or("").rfind("[Window]\r\nHeight=", 0), 0u);
}

TEST_F(Files, UnreadableSettingsAtStartAreReportedAndTheOlderFavouritesStillMoveAndLoad)
{
    const std::string old = AnsiLines({L"C:\\windows", L"C:\\users"});
    const std::string broken = kUtf8Mark + "\xC3\x28";
    WriteDataFile(L"Kestro.lst", old);
    WriteDataFile(L"Kestro.ini", broken);
    kestro.Start();
    HWND box = BoxOfKestro(15000);
    ASSERT_NE(box, nullptr);
    PressDialogButton(box, IDOK);
    ASSERT_TRUE(kestro.WaitReady());
    EXPECT_EQ(kestro.ListItems(), (std::vector<std::wstring>{L"C:\\windows", L"C:\\users"}));
    EXPECT_FALSE(ReadDataFile(L"Kestro.lst"));

    // Reported again at the close, which still writes the lists and leaves the settings as they are.
    ::PostMessageW(kestro.Main(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    box = BoxOfKestro();
    ASSERT_NE(box, nullptr);
    PressDialogButton(box, IDOK);
    ASSERT_TRUE(WaitFor([&] { return kestro.Process().WaitExit(0); }, 10000));
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), old);
    EXPECT_EQ(ReadDataFile(L"Kestro.ini"), broken);
}

// The lists reach the disk soon after they change, so that a kill loses nothing, and a list
// that does not change is not written again.
TEST_F(Files, AKillAfterAReorderAndANewFolderLosesNeither)
{
    const std::wstring shown = ScratchFolder(L"FilesShown");
    WriteDataFile(L"KestroF.lst", AnsiLines({L"C:\\windows", L"C:\\users"}));
    WriteDataFile(L"KestroH.lst", AnsiLines({L"C:\\users"}));
    kestro.StartReady();
    TItemDialog item;
    item.Start(shown, L"name.txt");
    const std::string history = AnsiLines({shown, L"C:\\users"});
    ASSERT_TRUE(WaitFor([&] { return ReadDataFile(L"KestroH.lst") == history; }, 3000));
    const FILETIME written = LastWrite(L"KestroH.lst");
    // Six ticks read the same folder again.
    PumpFor(3000);
    const FILETIME later = LastWrite(L"KestroH.lst");
    EXPECT_EQ(::CompareFileTime(&written, &later), 0) << "history was written again unchanged";
    item.Process().Kill();
    ASSERT_TRUE(WaitFor([&] { return !kestro.Visible(); }));

    ASSERT_EQ(kestro.RelayShow(), 0u);
    ASSERT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
    ClickAt(kestro.ListItemPoint(0));
    ASSERT_TRUE(WaitFor([&] { return kestro.ListSelection() == 0; }));
    ClickAt(kestro.ButtonPoint(tbDown));
    const std::vector<std::wstring> reordered = {L"C:\\users", L"C:\\windows"};
    ASSERT_TRUE(WaitFor([&] { return kestro.ListItems() == reordered; }));
    // The favourites are written at once by the command; the kill comes after that write.
    ASSERT_TRUE(WaitFor([&] { return ReadDataFile(L"KestroF.lst") == AnsiLines({L"C:\\users", L"C:\\windows"}); }));
    kestro.Process().Kill();

    kestro.StartReady();
    EXPECT_EQ(kestro.ListItems(), reordered);
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroH.lst"), history);
}

TEST_F(Files, AFavouritesFileLockedForAMomentWhileACommandSavesItIsWrittenAtOnce)
{
    UniqueFile lock = StartWithFavouritesHeld();
    ASSERT_TRUE(lock);
    // As a virus scanner does: the file is let go 300 ms after the save has begun, while its new
    // content waits beside it.
    const std::wstring temp = TestDataDir() + L"KestroF.lst.tmp";
    const auto saving = [&] { return ::GetFileAttributesW(temp.c_str()) != INVALID_FILE_ATTRIBUTES; };
    bool saveSeen = false;
    std::thread scanner([&] {
        saveSeen = WaitFor(saving, 10000);
        ::Sleep(300);
        lock.reset();
    });
    AddFirstHistoryEntryToFavourites();
    scanner.join();
    EXPECT_TRUE(saveSeen) << "no save was seen while the file was held";
    const std::string saved = AnsiLines({L"C:\\windows", L"C:\\users"});
    EXPECT_TRUE(WaitFor([&] { return ReadDataFile(L"KestroF.lst") == saved; }, 2000))
        << "the save did not wait for the file";
    EXPECT_EQ(BoxOfKestro(500), nullptr);
    EXPECT_FALSE(saving());
}

TEST_F(Files, AFavouritesFileLockedWhileACommandChangesItIsReportedOnlyAtTheClose)
{
    UniqueFile lock = StartWithFavouritesHeld();
    ASSERT_TRUE(lock);
    AddFirstHistoryEntryToFavourites();
    EXPECT_EQ(BoxOfKestro(1500), nullptr) << "an error box came up while the user worked";

    ::PostMessageW(kestro.Main(), WM_CLOSE, 0, 0);
    HWND box = BoxOfKestro();
    ASSERT_NE(box, nullptr) << "the close did not report the locked file";
    PressDialogButton(box, IDOK);
    EXPECT_TRUE(WaitFor([&] { return !::IsWindow(box) && kestro.Answers(200); }));
    EXPECT_TRUE(kestro.Process().Running());
    lock.reset();
    ASSERT_TRUE(kestro.Close());
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), AnsiLines({L"C:\\windows", L"C:\\users"}));
}
