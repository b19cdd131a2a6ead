#include "lists/FileWriter.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "lists/FileError.h"
#include "winutil/Handles.h"

namespace {

using Call = std::pair<std::wstring, std::string>;

// Stands in for the disk: records every write, can hold the writer inside a write until the test
// lets it go, and can fail writes.
class TFakeDisk {
public:
    TFakeDisk()
        : FArrived(::CreateEventW(nullptr, FALSE, FALSE, nullptr)), FGo(::CreateEventW(nullptr, TRUE, TRUE, nullptr))
    {
    }

    kestro::TWriteBytes Writer()
    {
        return [this](const std::wstring& path, std::string_view bytes) {
            bool fail = false;
            {
                const kestro::TLockGuard lock(FLock);
                FCalls.emplace_back(path, std::string(bytes));
                fail = FFailing;
            }
            ::SetEvent(FArrived.get());
            ::WaitForSingleObject(FGo.get(), 10000);
            if (fail) throw kestro::CannotCreateError(path, ERROR_SHARING_VIOLATION);
        };
    }
    void Hold() { ::ResetEvent(FGo.get()); }
    void Release() { ::SetEvent(FGo.get()); }
    void Fail(bool failing)
    {
        const kestro::TLockGuard lock(FLock);
        FFailing = failing;
    }
    // Waits, with a bound, until `count` writes have begun; the writes made so far.
    std::vector<Call> WaitForCalls(size_t count)
    {
        for (int i = 0; i < 100; ++i) {
            {
                const kestro::TLockGuard lock(FLock);
                if (FCalls.size() >= count) return FCalls;
            }
            ::WaitForSingleObject(FArrived.get(), 100);
        }
        const kestro::TLockGuard lock(FLock);
        return FCalls;
    }

private:
    SRWLOCK FLock = SRWLOCK_INIT;
    std::vector<Call> FCalls;
    kestro::UniqueHandle FArrived;
    kestro::UniqueHandle FGo;
    bool FFailing = false;
};

const std::wstring kFavourites = L"F.lst";
const std::wstring kHistory = L"H.lst";

// A write asked for after the others comes after them, so once it has begun the writer has begun
// every write it queued before it.
std::vector<Call> CallsBefore(TFakeDisk& disk, kestro::TFileWriter& writer, size_t sentinelIndex)
{
    writer.Write(L"sentinel", std::to_string(sentinelIndex));
    auto calls = disk.WaitForCalls(sentinelIndex + 1);
    EXPECT_EQ(calls.size(), sentinelIndex + 1);
    EXPECT_EQ(calls.back(), Call(L"sentinel", std::to_string(sentinelIndex)));
    calls.pop_back();
    return calls;
}

TEST(FileWriter, ReachesTheNewestContentInTheOrderAskedFor)
{
    TFakeDisk disk;
    kestro::TFileWriter writer(disk.Writer());

    // A change back to what the file held, while the change before is being written, is a change.
    writer.Write(kFavourites, "A");
    ASSERT_EQ(disk.WaitForCalls(1).size(), 1u);
    disk.Hold();
    writer.Write(kFavourites, "B");
    ASSERT_EQ(disk.WaitForCalls(2).size(), 2u);
    writer.Write(kFavourites, "A");
    // Changes made while a write waits are merged into one write of the newest content.
    writer.Write(kHistory, "h1");
    writer.Write(kHistory, "h2");
    writer.Write(kFavourites, "C");
    writer.Write(kFavourites, "A");
    disk.Release();
    EXPECT_EQ(CallsBefore(disk, writer, 4),
              (std::vector<Call>{{kFavourites, "A"}, {kFavourites, "B"}, {kFavourites, "A"}, {kHistory, "h2"}}));

    // What the file holds already is not written again.
    writer.Write(kFavourites, "A");
    writer.Write(kHistory, "h2");
    EXPECT_EQ(CallsBefore(disk, writer, 5).size(), 5u);
}

TEST(FileWriter, WritesAgainWhatAFailedWriteDidNotPutInTheFile)
{
    TFakeDisk disk;
    kestro::TFileWriter writer(disk.Writer());
    disk.Fail(true);
    writer.Write(kFavourites, "A");
    ASSERT_EQ(disk.WaitForCalls(1).size(), 1u);
    disk.Fail(false);
    // Once a later write has begun, the failed one is over.
    writer.Write(kHistory, "h");
    ASSERT_EQ(disk.WaitForCalls(2).size(), 2u);
    writer.Write(kFavourites, "A");
    EXPECT_EQ(CallsBefore(disk, writer, 3),
              (std::vector<Call>{{kFavourites, "A"}, {kHistory, "h"}, {kFavourites, "A"}}));
}

}  // namespace
