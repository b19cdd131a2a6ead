#include "winutil/DataFolder.h"

#include <windows.h>
#include <shlobj.h>

#include "winutil/Handles.h"

namespace kestro {

std::wstring UserDataDir;
std::wstring CommonDataDir;

namespace {
// CSIDL values of the six shell folders, by row.
constexpr int kShellFolders[] = {
    CSIDL_PERSONAL, CSIDL_APPDATA, CSIDL_LOCAL_APPDATA, CSIDL_COMMON_APPDATA, CSIDL_MYPICTURES, CSIDL_COMMON_DOCUMENTS,
};
constexpr std::wstring_view kMakerName = L"Tamsa Project";
}  // namespace

std::wstring GetShellFolder(unsigned char index)
{
    wchar_t buffer[MAX_PATH] = {};
    if (index < std::size(kShellFolders))
        ::SHGetFolderPathW(nullptr, kShellFolders[index], nullptr, SHGFP_TYPE_CURRENT, buffer);
    return std::wstring(buffer, wcsnlen(buffer, MAX_PATH));
}

std::wstring MakerFolderPath(std::wstring_view base)
{
    std::wstring path(base);
    path += L'\\';
    path += kMakerName;
    return path;
}

std::wstring AppFolderPath(std::wstring_view base, std::wstring_view appName)
{
    std::wstring path = MakerFolderPath(base);
    path += L'\\';
    path += appName;
    return path;
}

bool PrepareDataFolder(const std::wstring& appName, bool allUsers)
{
    const std::wstring base = GetShellFolder(allUsers ? 3 : 1);
    const std::wstring maker = MakerFolderPath(base);
    if (!FolderExists(maker)) ::CreateDirectoryW(maker.c_str(), nullptr);
    const std::wstring app = AppFolderPath(base, appName);
    if (!FolderExists(app)) ::CreateDirectoryW(app.c_str(), nullptr);
    std::wstring& dir = allUsers ? CommonDataDir : UserDataDir;
    dir = app + L'\\';
    return FolderExists(dir);
}

bool FolderExists(const std::wstring& path)
{
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    const bool isDirectory = (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return isDirectory;
    return isDirectory && OpenLinkTarget(path);
}

UniqueFile OpenLinkTarget(const std::wstring& path)
{
    // Only the rights a look needs, and every sharing: a sync client or a cloud provider that holds
    // the folder must not make it look gone.
    return UniqueFile(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr));
}

}  // namespace kestro
