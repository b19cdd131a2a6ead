#include <gtest/gtest.h>

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

}  // namespace
