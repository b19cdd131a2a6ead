#include "lists/FolderList.h"
#include "lists/HistoryPurge.h"

#include <gtest/gtest.h>

#include "tests/support/DataFiles.h"
#include "winutil/DataFolder.h"

namespace {

using kestro::TFolderList;
using kestro::TTextEncoding;
using Lines = std::vector<std::wstring>;

TFolderList ListOf(Lines items)
{
    TFolderList list;
    list.Items = std::move(items);
    return list;
}

Lines Numbered(size_t count)
{
    Lines items;
    for (size_t i = 0; i < count; ++i) items.push_back(L"C:\\Folder" + std::to_wstring(i));
    return items;
}

TEST(SameEntry, IgnoresCaseButNotLengthOrWidth)
{
    const struct {
        std::wstring A, B;
        bool Expected;
    } cases[] = {
        {L"d:\\work", L"D:\\Work", true},
        {L"D:\\Work\\", L"D:\\Work", false},
        {L"C:\\\u00C4rger", L"c:\\\u00E4RGER", true},
        {L"C:\\\uFF21", L"C:\\\uFF41", true},  // full-width letters fold among themselves
        {L"C:\\A", L"C:\\\uFF21", false},      // but not to their narrow forms
        {L"", L"", true},
        {L"", L"C:\\", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kestro::SameEntry(c.A, c.B), c.Expected)
            << testing::PrintToString(c.A) << " against " << testing::PrintToString(c.B);
}

TEST(AddFavourite, MovesAnEqualEntryToTheEndWithTheNewSpelling)
{
    const struct {
        Lines Before;
        std::wstring Path;
        Lines After;
    } cases[] = {
        {{L"C:\\A", L"D:\\Work", L"E:\\B"}, L"d:\\work", {L"C:\\A", L"E:\\B", L"d:\\work"}},
        {{L"C:\\A", L"D:\\Work"}, L"D:\\Work\\", {L"C:\\A", L"D:\\Work", L"D:\\Work\\"}},
        {{}, L"C:\\A", {L"C:\\A"}},
        // Only the first of the duplicates that a file brought in moves.
        {{L"C:\\A", L"E:\\B", L"c:\\a"}, L"C:\\A", {L"E:\\B", L"c:\\a", L"C:\\A"}},
    };
    for (const auto& c : cases) {
        TFolderList list = ListOf(c.Before);
        kestro::AddFavourite(list, c.Path);
        EXPECT_EQ(list.Items, c.After) << testing::PrintToString(c.Path);
    }
}

TEST(RecordVisit, PutsTheFolderAtTheHeadUnlessItIsThereAlready)
{
    const struct {
        const char* Name;
        Lines Before;
        std::wstring Path;
        bool Changed;
        Lines After;
    } cases[] = {
        {"head differs only in case", {L"D:\\Work", L"C:\\A"}, L"d:\\WORK", false, {L"D:\\Work", L"C:\\A"}},
        {"at position 3",
         {L"C:\\0", L"C:\\1", L"C:\\2", L"C:\\3", L"C:\\4"},
         L"c:\\3",
         true,
         {L"c:\\3", L"C:\\0", L"C:\\1", L"C:\\2", L"C:\\4"}},
        {"new", {L"C:\\A"}, L"C:\\A\\", true, {L"C:\\A\\", L"C:\\A"}},
        {"later duplicate stays", {L"C:\\0", L"C:\\A", L"C:\\a"}, L"C:\\A", true, {L"C:\\A", L"C:\\0", L"C:\\a"}},
    };
    for (const auto& c : cases) {
        TFolderList list = ListOf(c.Before);
        EXPECT_EQ(kestro::RecordVisit(list, c.Path), c.Changed) << c.Name;
        EXPECT_EQ(list.Items, c.After) << c.Name;
    }
}

TEST(History, GrowsPastTheCapUntilTrimmed)
{
    TFolderList history = ListOf(Numbered(50));
    kestro::TrimHistory(history);
    EXPECT_EQ(history.Items, Numbered(50));

    EXPECT_TRUE(kestro::RecordVisit(history, L"D:\\New"));
    ASSERT_EQ(history.Items.size(), 51u);
    kestro::TrimHistory(history);
    Lines expected = Numbered(49);
    expected.insert(expected.begin(), L"D:\\New");
    EXPECT_EQ(history.Items, expected);
}

TEST(History, ClearKeepsTheRememberedEncoding)
{
    TFolderList history = ListOf({L"C:\\A"});
    history.Encoding = TTextEncoding::Utf16BE;
    kestro::ClearHistory(history);
    EXPECT_TRUE(history.Items.empty());
    EXPECT_EQ(history.Encoding, TTextEncoding::Utf16BE);
}

TEST(PurgeHistory, KeepsOnlyExistingFoldersInOrderAndLeavesTheCutToTheTrim)
{
    const auto missing = [](const std::wstring& path) { return !kestro::FolderExists(path); };
    const std::wstring root = kestro::test::ScratchFolder(L"Purge");
    const std::wstring kept = root + L"\\Kept";
    const std::wstring deleted = root + L"\\Deleted";
    const std::wstring file = root + L"\\File.txt";
    ASSERT_TRUE(::CreateDirectoryW(kept.c_str(), nullptr));
    ASSERT_TRUE(::CreateDirectoryW(deleted.c_str(), nullptr));
    ASSERT_TRUE(::RemoveDirectoryW(deleted.c_str()));
    kestro::test::WriteBytes(file, "x");

    TFolderList history = ListOf({deleted, kept, L"", file, root});
    kestro::PurgeHistory(history, missing);
    EXPECT_EQ(history.Items, (Lines{kept, root}));

    history.Items.assign(51, kept);
    history.Items.insert(history.Items.begin(), file);
    kestro::PurgeHistory(history, missing);
    EXPECT_EQ(history.Items, Lines(51, kept));
    kestro::TrimHistory(history);
    EXPECT_EQ(history.Items, Lines(50, kept));
}

TEST(HistoryPurge, DropsGoneEntriesAsTheyAnswerAndCutsOnceAllHaveAnswered)
{
    using kestro::TFolderState;
    kestro::THistoryPurge purge;
    TFolderList history = ListOf(Numbered(53));
    history.Items[1] = L"D:\\Gone";
    history.Items[40] = L"U:\\Offline";
    const Lines checked = purge.Start(history);
    ASSERT_EQ(checked.size(), 53u);
    const unsigned number = purge.Current();
    // Answers in any order: the gone entry goes at once; an entry out of reach stays.
    EXPECT_TRUE(purge.Answer(history, L"d:\\gone", TFolderState::Gone, number));
    EXPECT_EQ(history.Items.size(), 52u);
    EXPECT_FALSE(purge.Answer(history, L"U:\\Offline", TFolderState::OutOfReach, number));
    // A second purge started meanwhile: the first one's answers still drop, only the new one cuts.
    purge.Start(history);
    const unsigned second = purge.Current();
    for (size_t i = 2; i < checked.size(); ++i)
        if (i != 40) purge.Answer(history, checked[i], TFolderState::Exists, number);
    EXPECT_EQ(history.Items.size(), 52u) << "the first purge's last answer cut";
    for (size_t i = 0; i + 1 < 52; ++i) purge.Answer(history, history.Items[i], TFolderState::Exists, second);
    EXPECT_EQ(history.Items.size(), 52u) << "cut before every answer came";
    EXPECT_TRUE(purge.Answer(history, history.Items[51], TFolderState::Exists, second));
    EXPECT_EQ(history.Items.size(), 50u);
    EXPECT_EQ(history.Items[39], L"U:\\Offline");
}

}  // namespace
