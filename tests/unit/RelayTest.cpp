#include <gtest/gtest.h>

#include <cstring>

#include "app/Relay.h"
#include "ui/RelayRecord.h"
#include "winutil/DataFolder.h"

using namespace kestro;

TEST(RelayPayload, IsSlashShowWithTwoNulUnits)
{
    const std::vector<wchar_t> payload = BuildRelayPayload();
    const unsigned char expected[] = {0x2F, 0, 0x53, 0, 0x68, 0, 0x6F, 0, 0x77, 0, 0, 0, 0, 0};
    ASSERT_EQ(payload.size() * sizeof(wchar_t), sizeof expected);
    EXPECT_EQ(std::memcmp(payload.data(), expected, sizeof expected), 0);
}

struct TArgumentCase {
    const char* Name;
    const wchar_t* CommandLine;
    int Count;
};

class CountArgumentsTest : public testing::TestWithParam<TArgumentCase> {};

TEST_P(CountArgumentsTest, CountsWhatFollowsTheProgramPath)
{
    EXPECT_EQ(CountArguments(GetParam().CommandLine), GetParam().Count);
}

INSTANTIATE_TEST_SUITE_P(
    Relay, CountArgumentsTest,
    testing::Values(TArgumentCase{"NoArguments", L"Kestro.exe", 0}, TArgumentCase{"TwoArguments", L"Kestro.exe a b", 2},
                    TArgumentCase{"QuotedProgramPath", L"\"C:\\Program Files\\Kestro.exe\" a b", 2},
                    TArgumentCase{"QuotedBlank", L"Kestro.exe \"a b\" c", 2},
                    TArgumentCase{"ControlSeparators",
                                  L"Kestro.exe\ta\x01"
                                  L"b   ",
                                  2},
                    TArgumentCase{"EmptyQuotesSkipped", L"Kestro.exe \"\" a", 1},
                    TArgumentCase{"EmptyCommandLine", L"", 0}),
    [](const testing::TestParamInfo<TArgumentCase>& info) { return std::string(info.param.Name); });

TEST(RelayDecoding, ReadsAtMostTheDeclaredBytes)
{
    const wchar_t show[] = L"/Show\0\0";
    EXPECT_EQ(DecodeRelayText(show, 14), std::wstring(L"/Show"));
    // No NUL within the declared block: the text ends with the block.
    const wchar_t unterminated[] = {L'/', L'S', L'h', L'o', L'w', L'!'};
    EXPECT_EQ(DecodeRelayText(unterminated, 10), std::wstring(L"/Show"));
    EXPECT_EQ(DecodeRelayText(unterminated, 12), std::wstring(L"/Show!"));
    EXPECT_FALSE(DecodeRelayText(nullptr, 14));
    EXPECT_FALSE(DecodeRelayText(show, 0));
    EXPECT_FALSE(DecodeRelayText(show, 13));
}

TEST(RelayDecoding, OnlyExactShowIsARequest)
{
    auto request = [](const wchar_t* text, DWORD bytes) {
        COPYDATASTRUCT record = {2, bytes, const_cast<wchar_t*>(text)};
        return IsShowRequest(&record);
    };
    EXPECT_TRUE(request(L"/Show\0", 14));
    EXPECT_TRUE(request(L"/Show", 10));
    EXPECT_FALSE(request(L"/show", 12));
    EXPECT_FALSE(request(L"/Show!", 14));
    EXPECT_FALSE(request(L" /Show", 14));
    EXPECT_FALSE(request(L"/Show", 8));
    EXPECT_FALSE(IsShowRequest(nullptr));
}

TEST(DataFolderPath, AppendsMakerThenProgram)
{
    EXPECT_EQ(MakerFolderPath(L"C:\\Users\\u\\AppData\\Roaming"), L"C:\\Users\\u\\AppData\\Roaming\\Tamsa Project");
    EXPECT_EQ(AppFolderPath(L"C:\\R", L"Kestro"), L"C:\\R\\Tamsa Project\\Kestro");
    // An empty base (the shell named no folder) makes both levels relative to the drive root.
    EXPECT_EQ(AppFolderPath(L"", L"Kestro"), L"\\Tamsa Project\\Kestro");
}
