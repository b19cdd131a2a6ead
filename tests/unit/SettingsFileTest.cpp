#include "lists/SettingsFile.h"
#include "lists/TextFile.h"

#include <gtest/gtest.h>

#include "tests/support/DataFiles.h"

namespace {

using kestro::SettingsFile;
using Lines = std::vector<std::wstring>;

constexpr int32_t kDefault = 123;

TEST(ReadInteger, AcceptsDecimalAndHexadecimalElseGivesTheDefault)
{
    const struct {
        std::wstring Line;
        int32_t Expected;
    } cases[] = {
        {L"Height=500", 500},
        {L"Height=0x1F4", 500},
        {L"Height=0X1f4", 500},
        {L"Height=$1F4", 500},
        {L"Height=x1F4", 500},
        {L"Height= 500", 500},
        {L"  Height \t= +500  ", 500},
        {L"Height=-2147483648", INT32_MIN},
        {L"Height=2147483647", INT32_MAX},
        {L"Height=$FFFFFFFF", -1},
        {L"Height=-$10", -16},
        {L"Height=-0x10", -16},
        {L"Height=$80000000", INT32_MIN},
        {L"Height=300px", kDefault},
        {L"Height=", kDefault},
        {L"Height=2147483648", kDefault},
        {L"Height=-2147483649", kDefault},
        {L"Height=$100000000", kDefault},
        {L"Height=0x", kDefault},
        {L"Height=$", kDefault},
        {L"Height=-", kDefault},
        {L"Height=5 0", kDefault},
        {L"Height", kDefault},
        {L"Width=500", kDefault},
    };
    for (const auto& c : cases) {
        const SettingsFile settings = SettingsFile::FromLines({L"[Window]", c.Line});
        EXPECT_EQ(settings.ReadInteger(L"Window", L"Height", kDefault), c.Expected) << testing::PrintToString(c.Line);
    }
}

TEST(ParseSettingsInteger, SkipsOnlySpacesBeforeTheNumber)
{
    int32_t value = 0;
    EXPECT_TRUE(kestro::ParseSettingsInteger(L"  -x1f", value));
    EXPECT_EQ(value, -31);
    EXPECT_FALSE(kestro::ParseSettingsInteger(L"\t5", value));
    EXPECT_FALSE(kestro::ParseSettingsInteger(L"5 ", value));
}

TEST(SettingsFile, NamesMatchInAnyCaseAndKeepTheirSpelling)
{
    SettingsFile settings = SettingsFile::FromLines({L"[window]", L"height=300"});
    EXPECT_EQ(settings.ReadInteger(L"Window", L"Height", kDefault), 300);
    settings.WriteInteger(L"Window", L"Height", 480);
    settings.WriteInteger(L"Window", L"Width", -7);
    EXPECT_EQ(settings.ToLines(), (Lines{L"[window]", L"height=480", L"Width=-7", L""}));
}

TEST(SettingsFile, SaveNormalisesTheFileButKeepsItsSections)
{
    SettingsFile settings = SettingsFile::FromLines({
        L"orphan=1",
        L"; comment",
        L"[Window]",
        L"",
        L"Height = 300",
        L"Height=999",
        L"  Flag  ",
        L"[ Other ]",
        L"Key=Value",
        L"[WINDOW]",
        L"Width=640",
        L"[Third]",
        L"A=1",
    });
    EXPECT_EQ(settings.ReadInteger(L"Window", L"Height", kDefault), 300);
    EXPECT_EQ(settings.ReadInteger(L"Window", L"Width", kDefault), kDefault);
    settings.WriteInteger(L"Window", L"Height", 310);
    settings.WriteInteger(L"Window", L"Flag", 1);
    settings.WriteInteger(L"Window", L"Width", 640);
    settings.WriteInteger(L"New", L"N", 2);
    EXPECT_EQ(settings.ToLines(), (Lines{
                                      L"[Window]",
                                      L"Height=310",
                                      L"Height=999",
                                      L"Flag=1",
                                      L"Width=640",
                                      L"",
                                      L"[Other]",
                                      L"Key=Value",
                                      L"",
                                      L"[Third]",
                                      L"A=1",
                                      L"",
                                      L"[New]",
                                      L"N=2",
                                      L"",
                                  }));
}

TEST(SettingsFileOnDisk, ANewFileHoldsExactlyTheWindowSection)
{
    const std::wstring path = kestro::test::ScratchFolder(L"SettingsNew") + L"\\Kestro.ini";
    SettingsFile settings = SettingsFile::Open(path);
    EXPECT_EQ(settings.ReadInteger(L"Window", L"Height", 360), 360);
    settings.WriteInteger(L"Window", L"Height", 360);
    settings.WriteInteger(L"Window", L"Width", 240);
    kestro::WriteFileBytes(path, settings.Encode());
    const std::string mark = ::GetACP() == CP_UTF8 ? "\xEF\xBB\xBF" : "";
    EXPECT_EQ(kestro::test::ReadBytes(path), mark + "[Window]\r\nHeight=360\r\nWidth=240\r\n\r\n");
}

TEST(SettingsFileOnDisk, AValueOutsideTheCodePageTurnsTheFileToUtf8)
{
    const std::wstring path = kestro::test::ScratchFolder(L"SettingsUtf8") + L"\\Kestro.ini";
    kestro::test::WriteBytes(path, "[Window]\r\nHeight=300\r\n");
    SettingsFile settings = SettingsFile::Open(path);
    settings.WriteInteger(L"\uD55C", L"Key", 1);
    kestro::WriteFileBytes(path, settings.Encode());
    EXPECT_EQ(kestro::test::ReadBytes(path),
              "\xEF\xBB\xBF[Window]\r\nHeight=300\r\n\r\n[\xED\x95\x9C]\r\nKey=1\r\n\r\n");
    EXPECT_EQ(SettingsFile::Open(path).ReadInteger(L"\uD55C", L"KEY", kDefault), 1);
}

}  // namespace
