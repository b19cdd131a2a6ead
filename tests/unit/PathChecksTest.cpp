#include <gtest/gtest.h>

#include "winutil/PathChecks.h"

namespace {

TEST(DriveLetterOf, FoldsOnlyTheAsciiLetters)
{
    const struct {
        wchar_t Char;
        wchar_t Expected;
    } cases[] = {
        {L'a', L'A'},      {L'c', L'C'},      {L'z', L'Z'},  {L'A', L'A'},
        {L'Z', L'Z'},      {L'@', 0},         {L'[', 0},     {L'`', 0},
        {L'{', 0},         {L'0', 0},         {L':', 0},     {L'\\', 0},
        {L' ', 0},         {L'\0', 0},
        {L'\u00E9', 0},  // é: 32 below it lies É, which is no drive letter either
        {L'\u00C9', 0},    {L'\uFF23', 0},  // full-width C
        {L'\uFF43', 0},                     // full-width c
        {L'\u0441', 0},                     // Cyrillic es, which looks like c
    };
    for (const auto& c : cases)
        EXPECT_EQ(kestro::DriveLetterOf(c.Char), c.Expected)
            << "U+" << std::hex << static_cast<unsigned>(c.Char);
}

}  // namespace
