// What Explorer and a user see of Kestro.exe itself: its version and identity, its icon, and
// the released package started as a user starts it.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

#include "app/Version.h"
#include "tests/support/DataFiles.h"
#include "tests/support/Kestro.h"
#include "tests/support/Windows.h"
#include "winutil/Handles.h"

using namespace kestro;
using namespace kestro::test;

namespace {
std::wstring Widen(const char* text)
{
    return std::wstring(text, text + std::char_traits<char>::length(text));
}

// The string `name` of the executable's version resource, in its first language.
std::wstring VersionString(const std::vector<BYTE>& info, const std::wstring& name)
{
    struct TTranslation {
        WORD Language;
        WORD CodePage;
    }* translation = nullptr;
    UINT size = 0;
    if (!::VerQueryValueW(info.data(), L"\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &size) ||
        size < sizeof *translation)
        return L"(no translation)";
    wchar_t key[64];
    swprintf(key, 64, L"\\StringFileInfo\\%04x%04x\\%ls", translation->Language, translation->CodePage, name.c_str());
    wchar_t* value = nullptr;
    if (!::VerQueryValueW(info.data(), key, reinterpret_cast<void**>(&value), &size)) return L"(missing)";
    return value;
}

// The names in a folder, sorted, without "." and "..".
std::vector<std::wstring> Entries(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found;
    UniqueFind search(::FindFirstFileW((folder + L"*").c_str(), &found));
    if (!search) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") names.push_back(name);
    } while (::FindNextFileW(search.get(), &found));
    std::sort(names.begin(), names.end());
    return names;
}

// The release as tools/package wrote it and tools/test unpacked it ("extract here" into `root`).
class Package : public testing::Test {
protected:
    void SetUp() override
    {
        const char* unpacked = std::getenv("KESTRO_PACKAGE_DIR");
        // Only the full tools/test packages the release; it always sets the folder before these run.
        if (!unpacked) GTEST_SKIP() << "KESTRO_PACKAGE_DIR is not set: no unpacked release in this run";
        root = Widen(unpacked) + L"\\";
        dir = root + topFolder + L"\\";
    }

    const std::wstring topFolder = L"Kestro-" + Widen(KESTRO_VERSION_TEXT);
    std::wstring root;
    std::wstring dir;
};
}  // namespace

TEST(Executable, CarriesTheVersionFromTheBuildAndItsNames)
{
    const std::wstring exe = KestroExe();
    DWORD ignored = 0;
    std::vector<BYTE> info(::GetFileVersionInfoSizeW(exe.c_str(), &ignored));
    ASSERT_FALSE(info.empty());
    ASSERT_TRUE(::GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT size = 0;
    ASSERT_TRUE(::VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &size));
    const DWORD high = MAKELONG(KESTRO_VERSION_MINOR, KESTRO_VERSION_MAJOR);
    const DWORD low = MAKELONG(0, KESTRO_VERSION_PATCH);
    EXPECT_EQ(fixed->dwFileVersionMS, high);
    EXPECT_EQ(fixed->dwFileVersionLS, low);
    EXPECT_EQ(fixed->dwProductVersionMS, high);
    EXPECT_EQ(fixed->dwProductVersionLS, low);

    EXPECT_EQ(VersionString(info, L"FileVersion"), Widen(KESTRO_VERSION_TEXT));
    EXPECT_EQ(VersionString(info, L"ProductVersion"), Widen(KESTRO_VERSION_TEXT));
    EXPECT_EQ(VersionString(info, L"CompanyName"), L"Tamsa Project");
    EXPECT_EQ(VersionString(info, L"ProductName"), L"Kestro");
    EXPECT_EQ(VersionString(info, L"OriginalFilename"), L"Kestro.exe");
    // Task Manager shows the description as the program's name: Kestro's name, then what it does.
    const std::wstring description = VersionString(info, L"FileDescription");
    EXPECT_EQ(description.rfind(L"Kestro", 0), 0u) << Narrow(description);
    EXPECT_NE(description.find(L"ファイル ダイアログ"), std::wstring::npos) << Narrow(description);
    EXPECT_NE(VersionString(info, L"LegalCopyright").find(L"Kestro contributors"), std::wstring::npos);
}

TEST(Executable, ItsManifestCarriesTheSameVersion)
{
    UniqueModule module(::LoadLibraryExW(KestroExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module);
    HRSRC resource = ::FindResourceW(module.get(), MAKEINTRESOURCEW(1), RT_MANIFEST);
    ASSERT_NE(resource, nullptr) << "no manifest";
    const auto* bytes = static_cast<const char*>(::LockResource(::LoadResource(module.get(), resource)));
    ASSERT_NE(bytes, nullptr);
    const std::string manifest(bytes, ::SizeofResource(module.get(), resource));
    const std::string identity = std::string("name=\"TamsaProject.Kestro\" version=\"") + KESTRO_VERSION_TEXT + ".0\"";
    EXPECT_NE(manifest.find(identity), std::string::npos) << manifest;
}

TEST(Executable, CarriesAnIconGroupFromSixteenTo256Pixels)
{
    UniqueModule module(::LoadLibraryExW(KestroExe().c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(module);
    HRSRC resource = ::FindResourceW(module.get(), MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_NE(resource, nullptr) << "no icon group";
    // The group's directory: reserved, type and count words, then 14-byte entries whose first
    // byte is the width (0 for 256).
    const auto* group = static_cast<const BYTE*>(::LockResource(::LoadResource(module.get(), resource)));
    ASSERT_NE(group, nullptr);
    const WORD count = *reinterpret_cast<const WORD*>(group + 4);
    std::vector<int> widths;
    for (WORD i = 0; i < count; ++i) widths.push_back(group[6 + 14 * i] ? group[6 + 14 * i] : 256);
    for (int width : {16, 32, 48, 256})
        EXPECT_NE(std::find(widths.begin(), widths.end(), width), widths.end()) << "no " << width << " px image";
}

TEST_F(Package, ExtractingHereGivesOneFolderOfTheVersionWithTheFourFiles)
{
    EXPECT_EQ(Entries(root), std::vector<std::wstring>{topFolder});
    EXPECT_EQ(Entries(dir), (std::vector<std::wstring>{L"Kestro.exe", L"LICENSE", L"Readme-ja.txt", L"SHA256SUMS"}));
}

TEST_F(Package, TheUnpackedExecutableRunsAndASecondStartShowsEditMode)
{
    ResetDataDir();
    WriteDataFile(L"KestroF.lst", AnsiLines({L"C:\\windows"}));
    TKestro kestro;
    kestro.StartReady(10000, dir + L"Kestro.exe");
    EXPECT_EQ(kestro.ListItems(), std::vector<std::wstring>{L"C:\\windows"});
    EXPECT_EQ(kestro.RelayShow(), 0u);
    EXPECT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
    EXPECT_TRUE(kestro.Close());
}

TEST_F(Package, TheGuideIsUtf8WithItsMarkAndCrLfLineEnds)
{
    const std::optional<std::string> guide = ReadBytes(dir + L"Readme-ja.txt");
    ASSERT_TRUE(guide);
    ASSERT_EQ(guide->rfind("\xEF\xBB\xBF", 0), 0u) << "no UTF-8 mark";
    EXPECT_NE(::MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, guide->data(), static_cast<int>(guide->size()),
                                    nullptr, 0),
              0)
        << "not valid UTF-8";
    for (size_t i = 0; i < guide->size(); ++i) {
        const bool crBefore = i > 0 && (*guide)[i - 1] == '\r';
        const bool lfAfter = i + 1 < guide->size() && (*guide)[i + 1] == '\n';
        ASSERT_FALSE((*guide)[i] == '\n' && !crBefore) << "a line ends without CR at byte " << i;
        ASSERT_FALSE((*guide)[i] == '\r' && !lfAfter) << "a lone CR at byte " << i;
    }
    EXPECT_NE(guide->find(std::string(u8"バージョン ") + KESTRO_VERSION_TEXT), std::string::npos)
        << "the guide does not name this version";
    EXPECT_EQ(guide->find("@KESTRO_VERSION@"), std::string::npos) << "the guide has a version left to fill in";
}
