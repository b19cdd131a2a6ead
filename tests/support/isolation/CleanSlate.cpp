// Linked into the window and end-to-end test programs only: every test starts with no program
// of an earlier test running and an empty data folder, and whatever its outcome leaves no
// program of its own running behind it. A test ends its programs itself (TProcess, TKestro);
// what is found here at its end is named in the output. Every Kestro.exe these programs start runs
// with the tests' shorter bounds (KestroTimings).
#include <gtest/gtest.h>

#include <iostream>

#include "tests/support/DataFiles.h"
#include "tests/support/Isolation.h"

namespace kestro::test {

namespace {
std::string Names(const std::vector<std::wstring>& names)
{
    std::string text;
    for (const auto& name : names) text += (text.empty() ? "" : ", ") + std::string(name.begin(), name.end());
    return text;
}

class TCleanSlate : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override
    {
        const std::vector<std::wstring> ended = EndTestPrograms();
        if (!ended.empty()) std::cout << "[clean slate] ended before the test: " << Names(ended) << std::endl;
        ResetDataDir();
    }

    void OnTestEnd(const testing::TestInfo&) override
    {
        const std::vector<std::wstring> ended = EndTestPrograms();
        if (!ended.empty()) std::cout << "[clean slate] left running by the test: " << Names(ended) << std::endl;
    }
};

const bool kInstalled = [] {
    ::SetEnvironmentVariableW(L"KESTRO_TIMINGS", L"quick");
    testing::UnitTest::GetInstance()->listeners().Append(new TCleanSlate);
    return true;
}();
}  // namespace

}  // namespace kestro::test
