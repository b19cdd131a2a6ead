#include "tests/support/DataFiles.h"

#include <shlobj.h>
#include <gtest/gtest.h>

#include "winutil/DataFolder.h"
#include "winutil/Handles.h"

namespace kestro::test {

namespace {
void RemoveTree(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAW data;
        UniqueFind find(::FindFirstFileW((path + L"\\*").c_str(), &data));
        if (find) {
            do {
                const std::wstring name = data.cFileName;
                if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
            } while (::FindNextFileW(find.get(), &data));
        }
        find.reset();
        ::RemoveDirectoryW(path.c_str());
    } else {
        ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        if (!::DeleteFileW(path.c_str())) ::RemoveDirectoryW(path.c_str());
    }
}
}  // namespace

std::wstring TestDataDir()
{
    return AppFolderPath(GetShellFolder(1), L"Kestro") + L"\\";
}

void RemoveDataFolders()
{
    RemoveTree(MakerFolderPath(GetShellFolder(1)));
}

void ResetDataDir()
{
    const std::wstring base = GetShellFolder(1);
    const std::wstring maker = MakerFolderPath(base);
    // A file that cannot go (held open by a program an earlier test left running) would hand
    // that test's data to this one: the test fails instead.
    RemoveDataFolders();
    if (::GetFileAttributesW(maker.c_str()) != INVALID_FILE_ATTRIBUTES) {
        ::Sleep(200);
        RemoveDataFolders();
    }
    ASSERT_EQ(::GetFileAttributesW(maker.c_str()), INVALID_FILE_ATTRIBUTES)
        << "the data folder of an earlier test could not be removed";
    ::CreateDirectoryW(maker.c_str(), nullptr);
    ::CreateDirectoryW(AppFolderPath(base, L"Kestro").c_str(), nullptr);
}

void WriteBytes(const std::wstring& path, const std::string& bytes)
{
    UniqueFile file(
        ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << "cannot write a test file, error " << ::GetLastError();
    DWORD written = 0;
    ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

std::optional<std::string> ReadBytes(const std::wstring& path)
{
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    std::string bytes;
    char chunk[4096];
    DWORD got = 0;
    while (::ReadFile(file.get(), chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    return bytes;
}

void WriteDataFile(const std::wstring& name, const std::string& bytes)
{
    WriteBytes(TestDataDir() + name, bytes);
}

std::optional<std::string> ReadDataFile(const std::wstring& name)
{
    return ReadBytes(TestDataDir() + name);
}

std::wstring ScratchFolder(const std::wstring& name)
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    const std::wstring folder = std::wstring(temp) + L"KestroTest-" + name;
    RemoveTree(folder);
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

namespace {
std::string Encode(UINT codePage, const std::wstring& text)
{
    if (text.empty()) return {};
    const int n =
        ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
    std::string bytes(n, '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(text.size()), bytes.data(), n, nullptr, nullptr);
    return bytes;
}
}  // namespace

std::string AnsiBytes(const std::wstring& text)
{
    return Encode(CP_ACP, text);
}

std::string Utf8Bytes(const std::wstring& text)
{
    return Encode(CP_UTF8, text);
}

std::string ListFileBytes(const std::vector<std::wstring>& lines)
{
    std::wstring text;
    for (const auto& line : lines) text += line + L"\r\n";
    const std::string ansi = AnsiBytes(text);
    const int back = ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), nullptr, 0);
    std::wstring roundTrip(back, L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, ansi.data(), static_cast<int>(ansi.size()), roundTrip.data(), back);
    return roundTrip == text ? ansi : "\xEF\xBB\xBF" + Utf8Bytes(text);
}

std::string AnsiLines(std::initializer_list<std::wstring> lines)
{
    std::string bytes;
    for (const auto& line : lines) bytes += AnsiBytes(line) + "\r\n";
    return bytes;
}

testing::AssertionResult IsFileError(const std::wstring& text, const std::wstring& head, const std::wstring& tail)
{
    const bool framed = text.size() > head.size() + tail.size() && text.compare(0, head.size(), head) == 0 &&
                        text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
    const std::wstring reason = framed ? text.substr(head.size(), text.size() - head.size() - tail.size()) : L"";
    if (reason.find_first_not_of(L" \r\n") != std::wstring::npos) return testing::AssertionSuccess();
    return testing::AssertionFailure() << "not a file error naming its file and the system's reason: \""
                                       << testing::PrintToString(text) << "\"";
}

}  // namespace kestro::test
