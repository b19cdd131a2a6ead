#include "lists/TextFile.h"

#include <gtest/gtest.h>

#include <functional>

#include "lists/FileError.h"
#include "lists/FolderList.h"
#include "tests/support/DataFiles.h"
#include "winutil/Handles.h"

namespace {

using kestro::TFolderList;
using kestro::TTextEncoding;
using kestro::test::AnsiLines;
using kestro::test::ReadBytes;
using kestro::test::WriteBytes;
using Lines = std::vector<std::wstring>;

const std::string kUtf8Mark = "\xEF\xBB\xBF";

// Holds `path` open without sharing it with anyone, as another program may.
kestro::UniqueFile Lock(const std::wstring& path)
{
    return kestro::UniqueFile(
        ::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

std::wstring ErrorText(const std::function<void()>& action)
{
    try {
        action();
    } catch (const kestro::EFileError& error) {
        return error.Message();
    }
    return L"(no error)";
}

size_t FileCount(const std::wstring& folder)
{
    size_t count = 0;
    WIN32_FIND_DATAW data;
    kestro::UniqueFind find(::FindFirstFileW((folder + L"\\*").c_str(), &data));
    if (find) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ++count;
        } while (::FindNextFileW(find.get(), &data));
    }
    return count;
}

TEST(TextFileExists, CountsFilesOnly)
{
    const std::wstring folder = kestro::test::ScratchFolder(L"Exists");
    const std::wstring file = folder + L"\\List.lst";
    WriteBytes(file, "");
    const std::wstring sub = folder + L"\\Sub";
    ASSERT_TRUE(::CreateDirectoryW(sub.c_str(), nullptr));

    EXPECT_TRUE(kestro::TextFileExists(file));
    EXPECT_FALSE(kestro::TextFileExists(sub));
    EXPECT_FALSE(kestro::TextFileExists(folder + L"\\Missing.lst"));
    EXPECT_FALSE(kestro::TextFileExists(folder + L"\\Missing\\List.lst"));
    const kestro::UniqueFile lock = Lock(file);
    ASSERT_TRUE(lock);
    EXPECT_TRUE(kestro::TextFileExists(file));
}

TEST(ReadTextLines, AFileHeldWithoutSharingCannotBeOpened)
{
    const std::wstring path = kestro::test::ScratchFolder(L"Locked") + L"\\KestroF.lst";
    WriteBytes(path, "C:\\A\r\n");
    const kestro::UniqueFile lock = Lock(path);
    ASSERT_TRUE(lock);
    TTextEncoding encoding = TTextEncoding::Ansi;
    EXPECT_TRUE(kestro::test::IsFileError(ErrorText([&] { kestro::ReadTextLines(path, encoding); }),
                                          L"ファイル " + path + L" は開けません。 ", L" "));
}

TEST(ReadTextLines, BrokenUtf8IsADecodeError)
{
    const std::wstring path = kestro::test::ScratchFolder(L"Broken") + L"\\KestroH.lst";
    WriteBytes(path, kUtf8Mark + "C:\\\xFF\r\n");
    TTextEncoding encoding = TTextEncoding::Ansi;
    EXPECT_EQ(ErrorText([&] { kestro::ReadTextLines(path, encoding); }),
              L"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません");
}

TEST(WriteFileBytes, AFailedReplaceKeepsTheOldFile)
{
    const std::wstring folder = kestro::test::ScratchFolder(L"Replace");
    const std::wstring path = folder + L"\\KestroF.lst";
    WriteBytes(path, "C:\\Old\r\n");
    std::wstring text;
    {
        const kestro::UniqueFile lock = Lock(path);
        ASSERT_TRUE(lock);
        text = ErrorText([&] { kestro::WriteFileBytes(path, "C:\\New\r\n"); });
    }
    EXPECT_TRUE(kestro::test::IsFileError(text, L"ファイル \"" + path + L"\" を作成できません。", L""));
    EXPECT_EQ(ReadBytes(path), "C:\\Old\r\n");
    EXPECT_EQ(FileCount(folder), 1u) << "the temporary file was left behind";
}

TEST(WriteFileBytes, AMissingFolderCannotBeCreated)
{
    const std::wstring path = kestro::test::ScratchFolder(L"NoFolder") + L"\\Gone\\Kestro.ini";
    EXPECT_TRUE(kestro::test::IsFileError(ErrorText([&] { kestro::WriteFileBytes(path, ""); }),
                                          L"ファイル \"" + path + L"\" を作成できません。", L""));
}

// A list saved as the program saves it: its bytes, unless the list may not replace the file.
void SaveListFile(TFolderList& list, const std::wstring& path)
{
    if (const std::optional<std::string> bytes = kestro::ListFileBytes(list, path))
        kestro::WriteFileBytes(path, *bytes);
}

TEST(ListFile, AnAnsiFileComesBackWithCrLfAfterEveryLine)
{
    const std::wstring path = kestro::test::ScratchFolder(L"Ansi") + L"\\KestroF.lst";
    const std::wstring local = ::GetACP() == 932 ? L"C:\\\u30C7\u30FC\u30BF" : L"C:\\Caf\u00E9";
    WriteBytes(path, AnsiLines({local, L""}) + " D:\\B \nE:\\C\rF:\\D");
    TFolderList list;
    kestro::LoadListFile(list, path);
    EXPECT_EQ(list.Items, (Lines{local, L"", L" D:\\B ", L"E:\\C", L"F:\\D"}));
    SaveListFile(list, path);
    EXPECT_EQ(ReadBytes(path), AnsiLines({local, L"", L" D:\\B ", L"E:\\C", L"F:\\D"}));
    EXPECT_EQ(list.Encoding, TTextEncoding::Ansi);
}

TEST(ListFile, AUtf8FileStaysUtf8AfterChanges)
{
    const std::wstring path = kestro::test::ScratchFolder(L"Utf8") + L"\\KestroF.lst";
    WriteBytes(path, kUtf8Mark + "C:\\A\r\nC:\\B\r\nC:\\C\r\n");
    TFolderList list;
    kestro::LoadListFile(list, path);
    kestro::SwapFavourites(list, 0, 1);
    kestro::RemoveFavourite(list, 2);
    kestro::AddFavourite(list, L"D:\\E");
    SaveListFile(list, path);
    EXPECT_EQ(ReadBytes(path), kUtf8Mark + "C:\\B\r\nC:\\A\r\nD:\\E\r\n");
}

TEST(ListFile, ANameOutsideTheCodePageSurvivesASave)
{
    const std::wstring path = kestro::test::ScratchFolder(L"Outside") + L"\\KestroH.lst";
    const std::wstring foreign = L"C:\\Caf\u00E9\\\uD55C\u00A5";
    WriteBytes(path, "C:\\A\r\n");
    TFolderList list;
    kestro::LoadListFile(list, path);
    kestro::RecordVisit(list, foreign);
    SaveListFile(list, path);
    EXPECT_EQ(list.Encoding, TTextEncoding::Utf8);
    EXPECT_EQ(ReadBytes(path), kUtf8Mark + "C:\\Caf\xC3\xA9\\\xED\x95\x9C\xC2\xA5\r\nC:\\A\r\n");

    TFolderList reread;
    kestro::LoadListFile(reread, path);
    EXPECT_EQ(reread.Items, (Lines{foreign, L"C:\\A"}));
}

TEST(ListFile, AListThatWasNotReadNeverReplacesItsFile)
{
    const std::wstring folder = kestro::test::ScratchFolder(L"NotLoaded");
    const std::wstring path = folder + L"\\KestroF.lst";
    WriteBytes(path, "C:\\Kept\r\n");
    TFolderList list;
    {
        const kestro::UniqueFile lock = Lock(path);
        EXPECT_THROW(kestro::LoadListFile(list, path), kestro::EFileError);
    }
    EXPECT_FALSE(list.Loaded);
    kestro::AddFavourite(list, L"C:\\New");
    SaveListFile(list, path);
    EXPECT_EQ(ReadBytes(path), "C:\\Kept\r\n");

    // Where there is no file, there is nothing to lose: the list is written, and from then on
    // the file holds what the list holds.
    const std::wstring absent = folder + L"\\KestroH.lst";
    TFolderList history;
    kestro::RecordVisit(history, L"C:\\A");
    SaveListFile(history, absent);
    EXPECT_EQ(ReadBytes(absent), AnsiLines({L"C:\\A"}));
    kestro::RecordVisit(history, L"C:\\B");
    SaveListFile(history, absent);
    EXPECT_EQ(ReadBytes(absent), AnsiLines({L"C:\\B", L"C:\\A"}));
}

}  // namespace
