#include "winutil/PathChecks.h"

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

bool HasReadyDrive(const std::wstring& path)
{
    return !path.empty() && IsDriveReady(path.front());
}

bool FolderReachable(const std::wstring& path)
{
    return HasReadyDrive(path) && FolderExists(path);
}

}  // namespace kestro
