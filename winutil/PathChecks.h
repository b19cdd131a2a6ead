#pragma once
// Whether a listed folder can be used now, without the system asking for a disk, and the
// list box's sideways scroll width.
#include <windows.h>

#include <string>

namespace kestro {

// The drive letter (A..Z) that `c` names, folding a..z; 0 when `c` is no drive letter.
wchar_t DriveLetterOf(wchar_t c);

bool IsDriveReady(wchar_t c);
bool HasReadyDrive(const std::wstring& path);
bool FolderReachable(const std::wstring& path);

// Sets the list box's horizontal extent to twice its widest entry.
void FitListExtent(HWND listBox);

}  // namespace kestro
