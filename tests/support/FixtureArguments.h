#pragma once
// The command line of a fixture program, split as the tests wrote it.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

namespace kestro::test {

inline std::vector<std::wstring> FixtureArguments()
{
    struct TLocalFree {
        void operator()(void* p) const { ::LocalFree(p); }
    };
    int count = 0;
    std::unique_ptr<LPWSTR, TLocalFree> argv(::CommandLineToArgvW(::GetCommandLineW(), &count));
    if (!argv) return {};
    return std::vector<std::wstring>(argv.get(), argv.get() + count);
}

}  // namespace kestro::test
