#pragma once
// The command line of a fixture program, split as the tests wrote it.
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "winutil/Handles.h"

namespace kestro::test {

inline std::vector<std::wstring> FixtureArguments()
{
    int count = 0;
    LPWSTR* argv = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    const UniqueLocalMemory owner(argv);
    if (!argv) return {};
    return std::vector<std::wstring>(argv, argv + count);
}

}  // namespace kestro::test
