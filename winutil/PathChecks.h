#pragma once
// Whether a listed folder can be used now, without the system asking for a disk.
#include <windows.h>

#include <string>
#include <string_view>

namespace kestro {

// The drive letter (A..Z) that `c` names, folding a..z; 0 when `c` is no drive letter.
wchar_t DriveLetterOf(wchar_t c);

// What a check of `path` waits on: "C:" for a drive letter, "\\SERVER" for a UNC path (also
// behind "\\?\"), ASCII letters folded; empty for a path that names neither.
std::wstring DriveKeyOf(std::wstring_view path);

bool IsDriveReady(wchar_t c);
bool HasReadyDrive(const std::wstring& path);
bool FolderReachable(const std::wstring& path);

}  // namespace kestro
