#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/support/DataFiles.h"
#include "tests/support/OwnWindows.h"
#include "tests/support/Windows.h"
#include "winutil/Handles.h"
#include "winutil/PathChecks.h"
#include "winutil/ToolWindow.h"

namespace {

using namespace kestro::test;

// A drive letter that names no drive in this prefix.
wchar_t MissingLetter()
{
    const DWORD mask = ::GetLogicalDrives();
    for (int bit = 25; bit >= 0; --bit)
        if ((mask & (1u << bit)) == 0) return static_cast<wchar_t>(L'A' + bit);
    return 0;
}

TEST(PathChecksOnDrives, AFolderIsGoneOnlyWhereItsDriveOrShareAnswers)
{
    using kestro::TFolderState;
    const wchar_t missing = MissingLetter();
    ASSERT_NE(missing, 0);
    const std::wstring scratch = ScratchFolder(L"pathchecks");
    const std::wstring file = scratch + L"\\file.txt";
    WriteBytes(file, "x");

    const std::pair<std::wstring, TFolderState> cases[] = {
        {L"C:\\windows", TFolderState::Exists},
        {L"c:\\windows", TFolderState::Exists},
        {scratch, TFolderState::Exists},
        {file, TFolderState::Gone},
        {L"C:\\kestro-no-such-folder", TFolderState::Gone},
        {std::wstring{missing} + L":\\photos\\2026", TFolderState::OutOfReach},
        {std::wstring{static_cast<wchar_t>(missing + 32)} + L":\\windows", TFolderState::OutOfReach},
        {L"\\\\kestro-nas-asleep\\share\\docs", TFolderState::OutOfReach},
        // Relative paths and names of places that are no folders, whatever Kestro's current folder holds.
        {L"windows", TFolderState::Gone},
        {L"\\", TFolderState::Gone},
        {L"", TFolderState::Gone},
        {L"1:\\", TFolderState::Gone},
        {L" C:\\windows", TFolderState::Gone},
        {L"\uFF23:\\windows", TFolderState::Gone},  // full-width C
    };
    ASSERT_TRUE(::SetCurrentDirectoryW(L"C:\\"));
    for (const auto& [path, state] : cases) EXPECT_EQ(kestro::FolderState(path), state) << Narrow(path);
}

TEST(PathChecksOnDrives, AFolderLinkedToAPlaceOutOfReachStaysAndOneToAFolderGoneGoes)
{
    using kestro::TFolderState;
    const wchar_t missing = MissingLetter();
    ASSERT_NE(missing, 0);
    const std::wstring scratch = ScratchFolder(L"pathlinks");
    const std::pair<std::wstring, TFolderState> links[] = {
        {std::wstring{missing} + L":\\photos", TFolderState::OutOfReach},
        {scratch + L"\\no-such-folder", TFolderState::Gone},
        {L"C:\\windows", TFolderState::Exists},
    };
    int made = 0;
    for (const auto& [target, state] : links) {
        const std::wstring link = scratch + L"\\link" + std::to_wstring(made++);
        // Wine 8 reports success without making the link.
        const bool madeLink = ::CreateSymbolicLinkW(link.c_str(), target.c_str(), SYMBOLIC_LINK_FLAG_DIRECTORY) &&
                              (::GetFileAttributesW(link.c_str()) & FILE_ATTRIBUTE_REPARSE_POINT) &&
                              ::GetFileAttributesW(link.c_str()) != INVALID_FILE_ATTRIBUTES;
        if (!madeLink) GTEST_SKIP() << "this Wine makes no directory links";
        EXPECT_EQ(kestro::FolderState(link), state) << Narrow(target);
    }
}

TEST(PathChecksOnDrives, RestoreTheThreadsErrorModeAndLeaveTheProcessModeAlone)
{
    const UINT original = ::GetErrorMode();
    const kestro::TScopeExit restore([original] { ::SetErrorMode(original); });
    const UINT mode = SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX;
    ::SetErrorMode(mode);
    ASSERT_EQ(::GetErrorMode(), mode);
    const DWORD threadMode = ::GetThreadErrorMode();
    for (wchar_t c : {L'C', L'c', MissingLetter(), L'\\', L'1'}) {
        kestro::IsDriveReady(c);
        EXPECT_EQ(::GetErrorMode(), mode) << "after drive " << static_cast<char>(c);
        EXPECT_EQ(::GetThreadErrorMode(), threadMode) << "after drive " << static_cast<char>(c);
    }
}

LONG TextWidth(HDC dc, const std::wstring& text)
{
    SIZE size = {};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

LRESULT Extent(HWND list)
{
    return ::SendMessageW(list, LB_GETHORIZONTALEXTENT, 0, 0);
}

class FitListExtentTest : public testing::Test {
protected:
    void SetUp() override
    {
        FTop = CreateTopWindow(OwnClass(L"KestroPlain"), 100, 100, 300, 200);
        FList = CreateChild(FTop.get(), L"LISTBOX", 1, WS_CHILD | WS_VISIBLE | WS_HSCROLL | LBS_NOINTEGRALHEIGHT);
        ASSERT_NE(FList, nullptr);
        ::SendMessageW(FList, LB_SETHORIZONTALEXTENT, 500, 0);
        ASSERT_EQ(Extent(FList), 500);
    }

    TOwnWindow FTop;
    HWND FList = nullptr;
};

TEST_F(FitListExtentTest, EmptyListGetsNoExtent)
{
    kestro::FitListExtent(FList);
    EXPECT_EQ(Extent(FList), 0);
}

TEST_F(FitListExtentTest, TwiceTheWidestItemInSegoeUiNinePoint)
{
    // A big display font in the list box: measuring in it, or in the bare DC's font, would
    // give other widths than the 9-point measure.
    const kestro::UniqueFont listFont(
        ::CreateFontW(-30, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Courier New"));
    ::SendMessageW(FList, WM_SETFONT, reinterpret_cast<WPARAM>(listFont.get()), FALSE);
    const std::vector<std::wstring> items = {
        L"C:\\short",
        L"C:\\Users\\someone\\Documents\\a rather long folder name",
        L"C:\\\u30C7\u30FC\u30BF\\\u65E5\u672C\u8A9E",  // a Japanese folder name
        L"D:\\mid length",
    };
    for (const auto& item : items) ::SendMessageW(FList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));

    const kestro::TWindowDC dc(FList);
    std::vector<LONG> inDcFont, inListFont, inSegoe;
    for (const auto& item : items) inDcFont.push_back(TextWidth(dc.get(), item));
    {
        const kestro::TSelectObject selected(dc.get(), listFont.get());
        for (const auto& item : items) inListFont.push_back(TextWidth(dc.get(), item));
    }
    const int height = -::MulDiv(9, static_cast<int>(::GetDpiForWindow(FList)), 72);
    const kestro::UniqueFont segoe(
        ::CreateFontW(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, 0, 0, 0, 0, L"Segoe UI"));
    {
        const kestro::TSelectObject selected(dc.get(), segoe.get());
        for (const auto& item : items) inSegoe.push_back(TextWidth(dc.get(), item));
    }
    const LONG widest = *std::max_element(inSegoe.begin(), inSegoe.end());
    ASSERT_GT(widest, 0);
    ASSERT_NE(widest, inSegoe.back()) << "the widest item must not be the last";
    ASSERT_NE(widest, *std::max_element(inDcFont.begin(), inDcFont.end()));
    ASSERT_NE(widest, *std::max_element(inListFont.begin(), inListFont.end()));

    kestro::FitListExtent(FList);
    EXPECT_EQ(Extent(FList), 2 * widest);
}

}  // namespace
