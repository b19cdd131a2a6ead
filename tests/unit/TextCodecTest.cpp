#include "lists/TextCodec.h"

#include <gtest/gtest.h>

namespace {

using kestro::DecodeText;
using kestro::EncodeLines;
using kestro::EncodingForSave;
using kestro::SplitLines;
using kestro::TDecodedText;
using kestro::TTextEncoding;
using Lines = std::vector<std::wstring>;

constexpr UINT kWestern = 1252;
constexpr UINT kJapanese = 932;

struct DecodeCase {
    const char* Name;
    std::string Bytes;
    UINT CodePage;
    TTextEncoding Encoding;
    std::wstring Text;
};

// Names the case in test output instead of dumping its bytes.
void PrintTo(const DecodeCase& c, std::ostream* out)
{
    *out << c.Name;
}

class DecodeTextTest : public testing::TestWithParam<DecodeCase> {};

TEST_P(DecodeTextTest, TakesTheMarkOrElseTheCodePage)
{
    const DecodeCase& c = GetParam();
    TDecodedText decoded;
    ASSERT_TRUE(DecodeText(c.Bytes, c.CodePage, decoded));
    EXPECT_EQ(decoded.Encoding, c.Encoding);
    EXPECT_EQ(decoded.Text, c.Text);
}

INSTANTIATE_TEST_SUITE_P(
    Marks, DecodeTextTest,
    testing::Values(DecodeCase{"Utf8",
                               "\xEF\xBB\xBF"
                               "C:\\\xC3\x84\xE3\x83\x86",
                               kWestern, TTextEncoding::Utf8, L"C:\\\u00C4\u30C6"},
                    DecodeCase{"Utf8MarkOnly", "\xEF\xBB\xBF", kWestern, TTextEncoding::Utf8, L""},
                    DecodeCase{"Utf16LE",
                               std::string("\xFF\xFE"
                                           "C\0:\0\xC6\x30",
                                           8),
                               kWestern, TTextEncoding::Utf16LE, L"C:\u30C6"},
                    DecodeCase{"Utf16BE", std::string("\xFE\xFF\0C\0:\x30\xC6", 8), kWestern, TTextEncoding::Utf16BE,
                               L"C:\u30C6"},
                    // A cut-off UTF-8 mark is no mark: the bytes are plain code-page text.
                    DecodeCase{"PartialMark",
                               "\xEF\xBB"
                               "A",
                               kWestern, TTextEncoding::Ansi, L"\u00EF\u00BBA"},
                    DecodeCase{"Western", "C:\\\xC4", kWestern, TTextEncoding::Ansi, L"C:\\\u00C4"},
                    DecodeCase{"Japanese", "C:\\\x83\x65", kJapanese, TTextEncoding::Ansi, L"C:\\\u30C6"},
                    DecodeCase{"Empty", "", kJapanese, TTextEncoding::Ansi, L""},
                    // Notepad's UTF-8 without a mark, read alike in either code page.
                    DecodeCase{"Utf8WithoutMarkIn932", "C:\\\xE4\xBB\x95\xE4\xBA\x8B", kJapanese,
                               TTextEncoding::Utf8WithoutMark, L"C:\\\u4ED5\u4E8B"},
                    DecodeCase{"Utf8WithoutMarkIn1252", "C:\\\xE4\xBB\x95\xE4\xBA\x8B", kWestern,
                               TTextEncoding::Utf8WithoutMark, L"C:\\\u4ED5\u4E8B"},
                    // Not UTF-8 (cut short), and it comes back the same through 1252.
                    DecodeCase{"CutUtf8In1252", "C:\\\xE8\xB3\x87\xE6", kWestern, TTextEncoding::Ansi,
                               L"C:\\\u00E8\u00B3\u2021\u00E6"}),
    [](const auto& info) { return info.param.Name; });

TEST(DecodeTextErrors, BrokenTextAfterAMarkIsRejected)
{
    const std::string broken[] = {
        "\xEF\xBB\xBF"
        "C:\\\xFF",  // not UTF-8
        "\xEF\xBB\xBF"
        "C:\\\xC3",  // a sequence cut short
        "\xFF\xFE"
        "A",                              // one byte after a UTF-16 mark
        std::string("\xFE\xFF\0A\0", 5),  // an odd byte count
    };
    for (const auto& bytes : broken) {
        TDecodedText decoded;
        EXPECT_FALSE(DecodeText(bytes, kWestern, decoded)) << testing::PrintToString(bytes);
    }
    // Bytes that would not come back the same through 932 (the second pair is no character there).
    TDecodedText decoded;
    EXPECT_FALSE(DecodeText("C:\\\xE8\xB3\x87\xE6", kJapanese, decoded));
}

TEST(SplitLines, BreaksAtEveryLineEndAndKeepsEverythingElse)
{
    const struct {
        std::wstring Text;
        Lines Expected;
    } cases[] = {
        {L"a\r\nb\r\n", {L"a", L"b"}},
        {L"a\rb\r", {L"a", L"b"}},
        {L"a\nb\n", {L"a", L"b"}},
        {L"a\r\nb", {L"a", L"b"}},
        {L"a\r\n\r\nb\r\n", {L"a", L"", L"b"}},
        {L"a\n\rb", {L"a", L"", L"b"}},
        {L"a\r\n\r\n", {L"a", L""}},
        {L"\r\n", {L""}},
        {L"", {}},
        {L" a \t\r\n  \r\n", {L" a \t", L"  "}},
    };
    for (const auto& c : cases) EXPECT_EQ(SplitLines(c.Text), c.Expected) << testing::PrintToString(c.Text);
}

TEST(EncodeLines, WritesTheMarkThenEveryLineWithCrLf)
{
    const struct {
        Lines Input;
        TTextEncoding Encoding;
        UINT CodePage;
        std::string Expected;
    } cases[] = {
        {{}, TTextEncoding::Ansi, kWestern, ""},
        {{}, TTextEncoding::Ansi, CP_UTF8, "\xEF\xBB\xBF"},
        {{}, TTextEncoding::Utf8, kWestern, "\xEF\xBB\xBF"},
        {{}, TTextEncoding::Utf16LE, kWestern, "\xFF\xFE"},
        {{}, TTextEncoding::Utf16BE, kWestern, "\xFE\xFF"},
        {{L"C:\\\u00C4", L""}, TTextEncoding::Ansi, kWestern, "C:\\\xC4\r\n\r\n"},
        {{L"C:\\\u30C6"}, TTextEncoding::Ansi, kJapanese, "C:\\\x83\x65\r\n"},
        {{L"C:\\\u30C6"},
         TTextEncoding::Ansi,
         CP_UTF8,
         "\xEF\xBB\xBF"
         "C:\\\xE3\x83\x86\r\n"},
        {{L"C:\\\u30C6"},
         TTextEncoding::Utf8,
         kJapanese,
         "\xEF\xBB\xBF"
         "C:\\\xE3\x83\x86\r\n"},
        {{L"\u30C6"}, TTextEncoding::Utf16LE, kWestern, std::string("\xFF\xFE\xC6\x30\r\0\n\0", 8)},
        {{L"\u30C6"}, TTextEncoding::Utf16BE, kWestern, std::string("\xFE\xFF\x30\xC6\0\r\0\n", 8)},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodeLines(c.Input, c.Encoding, c.CodePage), c.Expected)
            << testing::PrintToString(c.Input) << " encoding " << static_cast<int>(c.Encoding);
}

TEST(EncodeLines, FilesWrittenAsTheyWereReadComeBackByteForByte)
{
    const struct {
        std::string Bytes;
        UINT CodePage;
    } files[] = {
        {"C:\\A\r\n\r\n D:\\B \r\n", kWestern},
        {"C:\\\x83\x65\x83\x58\x83\x67\r\n", kJapanese},
        {"\xEF\xBB\xBF"
         "C:\\\xE3\x83\x86\r\nD:\\\xC3\xA9\r\n",
         kWestern},
        {std::string("\xFF\xFE"
                     "C\0:\0\r\0\n\0",
                     10),
         kJapanese},
        {std::string("\xFE\xFF\0C\0:\0\r\0\n", 10), kWestern},
        {"C:\\\xE4\xBB\x95\xE4\xBA\x8B\\\xE8\xB3\x87\xE6\x96\x99\r\n", kJapanese},
        {"C:\\\xE4\xBB\x95\xE4\xBA\x8B\\\xE8\xB3\x87\xE6\x96\x99\r\n", kWestern},
    };
    for (const auto& file : files) {
        TDecodedText decoded;
        ASSERT_TRUE(DecodeText(file.Bytes, file.CodePage, decoded));
        EXPECT_EQ(EncodeLines(SplitLines(decoded.Text), decoded.Encoding, file.CodePage), file.Bytes)
            << testing::PrintToString(file.Bytes);
    }
}

TEST(EncodingForSave, KeepsTheCodePageOnlyWhenEveryNameSurvivesIt)
{
    const std::wstring japanese = L"C:\\\u30C7\u30FC\u30BF";
    const struct {
        Lines Input;
        TTextEncoding Remembered;
        UINT CodePage;
        TTextEncoding Expected;
    } cases[] = {
        {{L"C:\\Data", L""}, TTextEncoding::Ansi, kWestern, TTextEncoding::Ansi},
        {{L"C:\\Caf\u00E9"}, TTextEncoding::Ansi, kWestern, TTextEncoding::Ansi},
        {{L"C:\\A", japanese}, TTextEncoding::Ansi, kWestern, TTextEncoding::Utf8},
        {{japanese}, TTextEncoding::Ansi, kJapanese, TTextEncoding::Ansi},
        {{japanese, L"C:\\Caf\u00E9"}, TTextEncoding::Ansi, kJapanese, TTextEncoding::Utf8},
        // The yen sign has a best-fit byte in 932 that reads back as a backslash.
        {{L"C:\\\u00A5"}, TTextEncoding::Ansi, kJapanese, TTextEncoding::Utf8},
        {{japanese, L"C:\\\uD55C"}, TTextEncoding::Ansi, CP_UTF8, TTextEncoding::Ansi},
        {{japanese}, TTextEncoding::Utf16BE, kWestern, TTextEncoding::Utf16BE},
        {{L"C:\\Data"}, TTextEncoding::Utf16LE, kWestern, TTextEncoding::Utf16LE},
        {{L"C:\\Data"}, TTextEncoding::Utf8, kJapanese, TTextEncoding::Utf8},
    };
    for (const auto& c : cases)
        EXPECT_EQ(EncodingForSave(c.Input, c.Remembered, c.CodePage), c.Expected)
            << testing::PrintToString(c.Input) << " in code page " << c.CodePage;
}

}  // namespace
