#include <gtest/gtest.h>

#include <string>

#include "winutil/PathChecks.h"

namespace {

TEST(DriveLetterOf, FoldsOnlyTheAsciiLetters)
{
    const struct {
        wchar_t Char;
        wchar_t Expected;
    } cases[] =
        {
            {L'a', L'A'},   {L'c', L'C'},   {L'z', L'Z'},   {L'A', L'A'}, {L'Z', L'Z'}, {L'@', 0},
            {L'[', 0},      {L'`', 0},      {L'{', 0},      {L'0', 0},    {L':', 0},    {L'\\', 0},
            {L' ', 0},      {L'\0', 0},     {L'\u00E9', 0},  // é: 32 below it lies É, which is no drive letter either
            {L'\u00C9', 0}, {L'\uFF23', 0},                  // full-width C
            {L'\uFF43', 0},                                  // full-width c
            {L'\u0441', 0},                                  // Cyrillic es, which looks like c
        };
    for (const auto& c : cases)
        EXPECT_EQ(kestro::DriveLetterOf(c.Char), c.Expected) << "U+" << std::hex << static_cast<unsigned>(c.Char);
}

TEST(DriveKeyOf, GroupsPathsByTheDriveOrServerTheyWaitOn)
{
    const std::pair<const wchar_t*, const wchar_t*> cases[] = {
        {L"c:\\Users", L"C:"},
        {L"\\\\Server\\share\\x", L"\\\\SERVER"},
        {L"//server/share", L"\\\\SERVER"},
        {L"\\\\?\\unc\\server\\share", L"\\\\SERVER"},
        {L"\\\\?\\d:\\data", L"D:"},
        {L"\\\\s\u00e9rveur", L"\\\\S\u00e9RVEUR"},  // only ASCII letters are folded
        {L"", L""},
        {L"relative", L""},
        {L"\\folder", L""},
        {L"1:\\", L""},
    };
    for (const auto& [path, key] : cases) EXPECT_EQ(kestro::DriveKeyOf(path), key);
}

TEST(IsFullPath, OnlyDriveRootedAndUncPathsNameFolders)
{
    const std::pair<const wchar_t*, bool> cases[] = {
        {L"C:\\", true},
        {L"c:\\Users\\a", true},
        {L"C:/Users", true},
        {L"\\\\server\\share", true},
        {L"\\\\server\\share\\docs", true},
        {L"\\\\?\\C:\\long", true},
        {L"\\\\?\\UNC\\server\\share", true},
        {L"Desktop", false},
        {L"PC", false},
        {L"C:", false},
        {L"C:folder", false},
        {L"\\folder", false},
        {L"\\\\server", false},
        {L"\\\\server\\", false},
        {L"\\\\\\share", false},
        {L"", false},
        {L"1:\\", false},
    };
    for (const auto& [path, full] : cases)
        EXPECT_EQ(kestro::IsFullPath(path), full) << testing::PrintToString(std::wstring(path));
}

TEST(RootOf, TheDriveOrTheShareAFolderLivesOn)
{
    EXPECT_EQ(kestro::RootOf(L"c:\\Users\\a"), L"c:\\");
    EXPECT_EQ(kestro::RootOf(L"\\\\nas\\photos\\2026"), L"\\\\nas\\photos\\");
    EXPECT_EQ(kestro::RootOf(L"//nas/photos"), L"\\\\nas\\photos\\");
    EXPECT_EQ(kestro::RootOf(L"\\\\?\\UNC\\nas\\photos\\x"), L"\\\\nas\\photos\\");
    EXPECT_EQ(kestro::RootOf(L"\\\\?\\D:\\x"), L"D:\\");
}

TEST(FolderStateFromError, GoneOnlyWhenNotFoundOnARootThatAnswers)
{
    using kestro::TFolderState;
    const struct {
        DWORD Error;
        bool RootAnswers;
        TFolderState Expected;
    } cases[] = {
        {ERROR_FILE_NOT_FOUND, true, TFolderState::Gone},
        {ERROR_PATH_NOT_FOUND, true, TFolderState::Gone},
        // A drive letter that is not there now.
        {ERROR_PATH_NOT_FOUND, false, TFolderState::OutOfReach},
        {ERROR_BAD_NETPATH, false, TFolderState::OutOfReach},
        {ERROR_BAD_NET_NAME, true, TFolderState::OutOfReach},
        {ERROR_NOT_READY, false, TFolderState::OutOfReach},
        {ERROR_LOGON_FAILURE, true, TFolderState::OutOfReach},
        {ERROR_ACCESS_DENIED, true, TFolderState::OutOfReach},
    };
    for (const auto& c : cases)
        EXPECT_EQ(kestro::FolderStateFromError(c.Error, c.RootAnswers), c.Expected) << "error " << c.Error;
}

// Reparse data as the system hands it out: header, name offsets and lengths, then the names.
std::string ReparseData(DWORD tag, const std::wstring& substitute, const std::wstring& print, int symlinkFlags = 0)
{
    std::string data;
    const auto put = [&](unsigned value, int bytes) {
        for (int i = 0; i < bytes; ++i) data += static_cast<char>((value >> (8 * i)) & 0xFF);
    };
    const auto units = static_cast<unsigned>((substitute.size() + print.size()) * 2);
    put(tag, 4);
    put(8 + units + (tag == IO_REPARSE_TAG_SYMLINK ? 4 : 0), 2);
    put(0, 2);
    put(0, 2);
    put(static_cast<unsigned>(substitute.size() * 2), 2);
    put(static_cast<unsigned>(substitute.size() * 2), 2);
    put(static_cast<unsigned>(print.size() * 2), 2);
    if (tag == IO_REPARSE_TAG_SYMLINK) put(static_cast<unsigned>(symlinkFlags), 4);
    for (const wchar_t c : substitute + print) put(c, 2);
    return data;
}

TEST(ReparseTargetOf, LeadsJunctionsAndLinksToTheirFolders)
{
    const std::string junction = ReparseData(IO_REPARSE_TAG_MOUNT_POINT, L"\\??\\Q:\\photos", L"Q:\\photos");
    const std::pair<std::string, std::wstring> cases[] = {
        {junction, L"Q:\\photos"},
        {ReparseData(IO_REPARSE_TAG_SYMLINK, L"\\??\\UNC\\nas\\share\\docs", L"\\\\nas\\share\\docs"),
         L"\\\\nas\\share\\docs"},
        {ReparseData(IO_REPARSE_TAG_SYMLINK, L"\\??\\C:\\\u30c7\u30fc\u30bf", L""), L"C:\\\u30c7\u30fc\u30bf"},
        // Relative to the link's own folder: no place of its own.
        {ReparseData(IO_REPARSE_TAG_SYMLINK, L"..\\docs", L"..\\docs", 1), L""},
        // A cloud provider's placeholder and other tags say nothing of a target.
        {ReparseData(0x9000001A, L"\\??\\C:\\x", L""), L""},
        // Names that run past the data, cut or odd data.
        {junction.substr(0, 20), L""},
        {junction.substr(0, 10), L""},
        {"", L""},
    };
    for (const auto& [data, target] : cases)
        EXPECT_EQ(kestro::ReparseTargetOf(data), target) << testing::PrintToString(target);
}

}  // namespace
