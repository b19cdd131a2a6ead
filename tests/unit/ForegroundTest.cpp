#include <gtest/gtest.h>

#include "winutil/Foreground.h"

namespace {

TEST(UsesAttachPath, TakesTheAttachPathFromWindows2000AndWindows98On)
{
    const struct {
        DWORD Platform, Major, Minor;
        bool Expected;
    } cases[] = {
        {VER_PLATFORM_WIN32_NT, 4, 0, false},        // NT 4
        {VER_PLATFORM_WIN32_NT, 4, 90, false},       // an NT minor version does not count
        {VER_PLATFORM_WIN32_NT, 5, 0, true},         // 2000
        {VER_PLATFORM_WIN32_NT, 6, 2, true},         // 8 and later without a manifest
        {VER_PLATFORM_WIN32_NT, 10, 0, true},        // 10
        {VER_PLATFORM_WIN32_WINDOWS, 4, 0, false},   // 95
        {VER_PLATFORM_WIN32_WINDOWS, 4, 10, true},   // 98
        {VER_PLATFORM_WIN32_WINDOWS, 4, 90, true},   // Me
        {VER_PLATFORM_WIN32_WINDOWS, 5, 0, true},    // any later one
        {VER_PLATFORM_WIN32_WINDOWS, 3, 95, false},  // none before 95
        {VER_PLATFORM_WIN32s, 5, 0, false},          // Win32s
        {3, 10, 0, false},                           // another platform
    };
    for (const auto& c : cases)
        EXPECT_EQ(kestro::UsesAttachPath(c.Platform, c.Major, c.Minor), c.Expected)
            << "platform " << c.Platform << " version " << c.Major << "." << c.Minor;
}

}  // namespace
