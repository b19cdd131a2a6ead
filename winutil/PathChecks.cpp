#include "winutil/PathChecks.h"

#include <winioctl.h>

#include <algorithm>

#include "winutil/DataFolder.h"
#include "winutil/Handles.h"

namespace kestro {

wchar_t DriveLetterOf(wchar_t c)
{
    if (c >= L'a' && c <= L'z') c = static_cast<wchar_t>(c - 32);
    return c >= L'A' && c <= L'Z' ? c : L'\0';
}

std::wstring DriveKeyOf(std::wstring_view path)
{
    const auto isSlash = [](wchar_t c) { return c == L'\\' || c == L'/'; };
    const auto onLetter = [](std::wstring_view p) { return p.size() >= 2 && DriveLetterOf(p[0]) && p[1] == L':'; };
    const auto fold = [](wchar_t c) { return DriveLetterOf(c) ? DriveLetterOf(c) : c; };
    if (onLetter(path)) return {DriveLetterOf(path[0]), L':'};
    if (path.size() < 2 || !isSlash(path[0]) || !isSlash(path[1])) return {};
    path.remove_prefix(2);
    // "\\?\" and "\\.\" lead to a drive letter, or to "UNC\" and the server.
    if (path.size() >= 2 && (path[0] == L'?' || path[0] == L'.') && isSlash(path[1])) {
        path.remove_prefix(2);
        if (onLetter(path)) return {DriveLetterOf(path[0]), L':'};
        if (path.size() >= 4 && fold(path[0]) == L'U' && fold(path[1]) == L'N' && fold(path[2]) == L'C' &&
            isSlash(path[3]))
            path.remove_prefix(4);
    }
    std::wstring key = L"\\\\";
    for (const wchar_t c : path) {
        if (isSlash(c)) break;
        key.push_back(fold(c));
    }
    return key;
}

bool IsDriveReady(wchar_t c)
{
    const wchar_t letter = DriveLetterOf(c);
    // A backslash starts a UNC path or one on the current drive: no drive to ask.
    if (letter == L'\0') return c == L'\\';
    // Without this an empty removable drive would make the system ask for a disk. The mode is
    // this thread's own: checks run on several threads at once, and one restoring a process-wide
    // mode would let the system's box come up for another.
    DWORD savedMode = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &savedMode);
    const TScopeExit restoreMode([savedMode] { ::SetThreadErrorMode(savedMode, nullptr); });
    const wchar_t root[] = {letter, L':', L'\\', L'\0'};
    ULARGE_INTEGER freeToCaller = {};
    ULARGE_INTEGER total = {};
    return ::GetDiskFreeSpaceExW(root, &freeToCaller, &total, nullptr) != FALSE;
}

namespace {
bool IsSlash(wchar_t c)
{
    return c == L'\\' || c == L'/';
}

// The path without a leading "\\?\" (and "UNC\" after it, given back as "\\").
std::wstring_view WithoutLongPrefix(std::wstring_view path, bool& unc)
{
    unc = false;
    if (path.size() < 4 || !IsSlash(path[0]) || !IsSlash(path[1]) || path[2] != L'?' || !IsSlash(path[3])) return path;
    path.remove_prefix(4);
    if (path.size() >= 4 && DriveLetterOf(path[0]) == L'U' && DriveLetterOf(path[1]) == L'N' &&
        DriveLetterOf(path[2]) == L'C' && IsSlash(path[3])) {
        unc = true;
        path.remove_prefix(4);
    }
    return path;
}
}  // namespace

bool IsFullPath(std::wstring_view path)
{
    bool unc = false;
    path = WithoutLongPrefix(path, unc);
    if (!unc && path.size() >= 3 && DriveLetterOf(path[0]) && path[1] == L':' && IsSlash(path[2])) return true;
    if (!unc) {
        if (path.size() < 2 || !IsSlash(path[0]) || !IsSlash(path[1])) return false;
        path.remove_prefix(2);
    }
    // A server and a share, both named.
    const size_t server = path.find_first_of(L"\\/");
    return server != 0 && server != std::wstring_view::npos && server + 1 < path.size() && !IsSlash(path[server + 1]);
}

std::wstring RootOf(std::wstring_view path)
{
    bool unc = false;
    path = WithoutLongPrefix(path, unc);
    if (!unc && path.size() >= 2 && DriveLetterOf(path[0]) && path[1] == L':') return {path[0], L':', L'\\'};
    if (!unc) path.remove_prefix(std::min<size_t>(2, path.size()));
    const size_t server = path.find_first_of(L"\\/");
    const size_t share = server == std::wstring_view::npos ? server : path.find_first_of(L"\\/", server + 1);
    std::wstring root = L"\\\\" + std::wstring(path.substr(0, share));
    for (wchar_t& c : root)
        if (c == L'/') c = L'\\';
    return root + L'\\';
}

TFolderState FolderStateFromError(DWORD error, bool rootAnswers)
{
    const bool notFound = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                          error == ERROR_INVALID_NAME || error == ERROR_DIRECTORY;
    return notFound && rootAnswers ? TFolderState::Gone : TFolderState::OutOfReach;
}

std::wstring ReparseTargetOf(std::string_view data)
{
    // The header (tag, data length, reserved) and the four name offsets and lengths that follow.
    constexpr size_t kHeader = 8;
    constexpr size_t kNames = 8;
    if (data.size() < kHeader + kNames) return {};
    const auto word = [&](size_t at) {
        return static_cast<size_t>(static_cast<unsigned char>(data[at]) | static_cast<unsigned char>(data[at + 1])
                                                                              << 8);
    };
    const size_t tag = word(0) | word(2) << 16;
    size_t buffer = kHeader + kNames;
    if (tag == IO_REPARSE_TAG_SYMLINK) {
        // A link relative to its own folder has a flag word of 1 before its names.
        if (data.size() < buffer + 4 || (data[buffer] & 1) != 0) return {};
        buffer += 4;
    } else if (tag != IO_REPARSE_TAG_MOUNT_POINT) {
        return {};
    }
    const size_t offset = word(kHeader);
    const size_t length = word(kHeader + 2);
    if (length % 2 != 0 || buffer + offset + length > data.size()) return {};
    std::wstring name(length / 2, L'\0');
    for (size_t i = 0; i < name.size(); ++i) name[i] = static_cast<wchar_t>(word(buffer + offset + 2 * i));
    // The system's own names: "\??\C:\..." and "\??\UNC\server\share\...".
    if (name.rfind(L"\\??\\UNC\\", 0) == 0) return L"\\\\" + name.substr(8);
    if (name.rfind(L"\\??\\", 0) == 0) return name.substr(4);
    return name;
}

namespace {
constexpr int kMostLinksFollowed = 8;

// Where the junction or symbolic link `path` leads, as its reparse data says; empty when that is
// unknown (another kind of reparse point, such as a cloud provider's placeholder).
std::wstring LinkTargetOf(const std::wstring& path)
{
    UniqueFile link(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!link) return {};
    std::string data(MAXIMUM_REPARSE_DATA_BUFFER_SIZE, '\0');
    DWORD size = 0;
    if (!::DeviceIoControl(link.get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, data.data(),
                           static_cast<DWORD>(data.size()), &size, nullptr))
        return {};
    data.resize(size);
    return ReparseTargetOf(data);
}

TFolderState FolderStateFollowing(const std::wstring& path, int linksLeft);

// A junction, symbolic link or placeholder is the folder it leads to: there when that opens, gone
// only when the place it leads to is known gone, out of reach whatever else went wrong.
TFolderState LinkedFolderState(const std::wstring& path, int linksLeft)
{
    if (OpenLinkTarget(path)) return TFolderState::Exists;
    const std::wstring target = LinkTargetOf(path);
    if (linksLeft == 0 || !IsFullPath(target)) return TFolderState::OutOfReach;
    return FolderStateFollowing(target, linksLeft - 1);
}

TFolderState FolderStateFollowing(const std::wstring& path, int linksLeft)
{
    if (!IsFullPath(path)) return TFolderState::Gone;
    // Without this an empty removable drive would make the system ask for a disk; the mode is this
    // thread's own (see IsDriveReady).
    DWORD savedMode = 0;
    ::SetThreadErrorMode(SEM_FAILCRITICALERRORS, &savedMode);
    const TScopeExit restoreMode([savedMode] { ::SetThreadErrorMode(savedMode, nullptr); });
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES) {
        // A file is no folder; a link is one only while its target opens.
        if ((attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return TFolderState::Gone;
        if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return TFolderState::Exists;
        return LinkedFolderState(path, linksLeft);
    }
    const DWORD error = ::GetLastError();
    const std::wstring root = RootOf(path);
    const bool rootAnswers =
        root.size() == 3 ? IsDriveReady(root[0]) : ::GetFileAttributesW(root.c_str()) != INVALID_FILE_ATTRIBUTES;
    return FolderStateFromError(error, rootAnswers);
}
}  // namespace

TFolderState FolderState(const std::wstring& path)
{
    return FolderStateFollowing(path, kMostLinksFollowed);
}

bool FolderReachable(const std::wstring& path)
{
    return FolderState(path) == TFolderState::Exists;
}

}  // namespace kestro
