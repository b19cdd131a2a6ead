#include "ui/FolderChecks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tests/support/WorkWindow.h"
#include "winutil/Handles.h"

namespace {

using kestro::TFolderState;
using kestro::test::TWorkWindow;
using TAnswers = std::vector<std::pair<std::wstring, TFolderState>>;

// Looks that answer from a table; a look on drive Q: waits until the test lets it go, as a share
// that answers only after a minute.
class TLooks {
public:
    TLooks() : FGo(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}
    ~TLooks() { Release(); }

    kestro::TFolderChecks::TLook Look()
    {
        return [this](const std::wstring& path) {
            {
                const kestro::TLockGuard lock(FLock);
                ++FCounts[path];
            }
            if (path[0] == L'Q') ::WaitForSingleObject(FGo.get(), 10000);
            if (path == L"C:\\a") return TFolderState::Exists;
            return path == L"C:\\b" ? TFolderState::Gone : TFolderState::OutOfReach;
        };
    }
    void Release() { ::SetEvent(FGo.get()); }
    int Count(const std::wstring& path)
    {
        const kestro::TLockGuard lock(FLock);
        return FCounts[path];
    }

private:
    SRWLOCK FLock = SRWLOCK_INIT;
    std::map<std::wstring, int> FCounts;
    kestro::UniqueHandle FGo;
};

TEST(FolderChecks, CallersOfOnePathShareALookAndASlowDriveHoldsOnlyItsOwnChecks)
{
    TWorkWindow window;
    TLooks looks;
    kestro::TFolderChecks checks(window.Handle(), TWorkWindow::kDone, looks.Look(), 0);
    TAnswers answers;
    const auto answer = [&](const wchar_t* name) {
        return [&answers, name](TFolderState state) { answers.emplace_back(name, state); };
    };
    const auto deliver = [&] { checks.DeliverCompletions(); };

    checks.Check(L"Q:\\slow", answer(L"slow"));
    checks.Check(L"C:\\a", answer(L"a, first"));
    checks.Check(L"C:\\a", answer(L"a, second"));
    checks.Check(L"C:\\b", answer(L"b"));
    ASSERT_TRUE(window.PumpUntil([&] { return answers.size() == 3; }, deliver));
    EXPECT_EQ(answers, (TAnswers{{L"a, first", TFolderState::Exists},
                                 {L"a, second", TFolderState::Exists},
                                 {L"b", TFolderState::Gone}}));
    EXPECT_EQ(looks.Count(L"C:\\a"), 1);

    // The slow drive answers in the end, and a path answered before is looked at again.
    checks.Check(L"Q:\\slow", answer(L"slow, again"));
    checks.Check(L"C:\\a", answer(L"a, later"));
    looks.Release();
    ASSERT_TRUE(window.PumpUntil([&] { return answers.size() == 6; }, deliver));
    // Answers of different drives come in any order.
    std::sort(answers.begin() + 3, answers.end());
    EXPECT_EQ(TAnswers(answers.begin() + 3, answers.end()), (TAnswers{{L"a, later", TFolderState::Exists},
                                                                      {L"slow", TFolderState::OutOfReach},
                                                                      {L"slow, again", TFolderState::OutOfReach}}));
    EXPECT_EQ(looks.Count(L"Q:\\slow"), 1);
    EXPECT_EQ(looks.Count(L"C:\\a"), 2);
}

}  // namespace
