// Whatever bytes a list or settings file holds (a disk error, a sync conflict, another program's
// file under the name), reading it gives lines or a decode error, in either code page, and every
// rule Kestro applies to what it read takes those lines without fault.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lists/FolderList.h"
#include "lists/SettingsFile.h"
#include "lists/TextCodec.h"
#include "winutil/PathChecks.h"

namespace {

// The bytes of a linear congruential generator, as a corrupt file might hold.
std::string RandomBytes(uint32_t seed, size_t length)
{
    std::string bytes;
    uint32_t x = seed;
    for (size_t i = 0; i < length; ++i) {
        x = x * 1103515245u + 12345u;
        bytes += static_cast<char>((x >> 16) & 0xFF);
    }
    return bytes;
}

struct THostileFile {
    std::string Name;
    std::string Bytes;
};

std::vector<THostileFile> HostileFiles()
{
    std::vector<THostileFile> files;
    for (const uint32_t seed : {12345u, 1u, 42u, 2026u, 0xFFFFFFFFu})
        for (const size_t length : {1u, 2u, 3u, 17u, 512u, 4096u})
            files.push_back(
                {"random " + std::to_string(seed) + "/" + std::to_string(length), RandomBytes(seed, length)});
    const std::string marks[] = {"", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF"};
    for (const std::string& mark : marks) {
        files.push_back({"mark then junk", mark + RandomBytes(7, 301)});
        files.push_back({"mark then a lone lead byte", mark + "C:\\\x82"});
        files.push_back({"mark then NULs", mark + std::string("C:\\a\0\0b\r\n\0", 9)});
        files.push_back({"mark then an odd byte", mark + "x"});
        files.push_back({"mark alone", mark});
    }
    files.push_back({"lead bytes at every line end", "C:\\\x81\r\n\x9F\r\n\xE0\n\xFC"});
    files.push_back({"lone trail and control bytes", "\x40\x7F\x80\xA0\xFD\xFE\xFF\r\r\n\n"});
    files.push_back({"NULs only", std::string(64, '\0')});
    files.push_back({"one huge line", "C:\\" + std::string(1 << 20, 'a')});
    files.push_back(
        {"a settings file gone wrong", "[Window\r\n=\r\nHeight=0x\r\n[]\r\nWidth=$FFFFFFFFF\r\n[Window]\r\n="});
    return files;
}

TEST(HostileFiles, AreReadAsLinesOrRejectedAndEveryRuleTakesWhatWasRead)
{
    for (const UINT codePage : {1252u, 932u}) {
        for (const THostileFile& file : HostileFiles()) {
            SCOPED_TRACE(file.Name + " in code page " + std::to_string(codePage));
            kestro::TDecodedText decoded;
            if (!kestro::DecodeText(file.Bytes, codePage, decoded)) continue;
            const std::vector<std::wstring> lines = kestro::SplitLines(decoded.Text);

            // As history: recorded, checked for a purge, trimmed and written back.
            kestro::TFolderList history;
            history.Items = lines;
            history.Encoding = decoded.Encoding;
            for (const std::wstring& entry : lines) {
                EXPECT_GE(history.IndexOf(entry), 0);
                EXPECT_TRUE(!kestro::IsFullPath(entry) || !kestro::RootOf(entry).empty());
                kestro::DriveKeyOf(entry);
            }
            kestro::RecordVisit(history, L"C:\\Users");
            kestro::TrimHistory(history);
            EXPECT_LE(history.Items.size(), kestro::kHistoryCap);
            const kestro::TTextEncoding encoding = kestro::EncodingForSave(history.Items, history.Encoding, codePage);
            kestro::TDecodedText again;
            ASSERT_TRUE(kestro::DecodeText(kestro::EncodeLines(history.Items, encoding, codePage), codePage, again));
            EXPECT_EQ(kestro::SplitLines(again.Text), history.Items);

            // As the settings file: read, changed and written back.
            kestro::SettingsFile settings = kestro::SettingsFile::FromLines(lines);
            settings.ReadInteger(L"Window", L"Height", 0);
            settings.WriteInteger(L"Window", L"Width", 300);
            EXPECT_EQ(settings.ReadInteger(L"Window", L"Width", 0), 300);
        }
    }
}

}  // namespace
