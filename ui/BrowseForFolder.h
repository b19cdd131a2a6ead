#pragma once
// The shell's folder-browse dialog, centred on the monitor of its owner.
#include <windows.h>

#include <string>

namespace kestro {

// BROWSEINFOW flags for the option bits of the add command (11: edit box, new-folder button,
// new dialog style).
UINT BrowseFlagsForOptions(unsigned options);

// The top-left corner that centres a `width` x `height` window on `monitor`.
POINT CentreOnMonitor(const RECT& monitor, int width, int height);

// Lets the user choose a folder. `folder` is preselected when it names an existing folder
// (else emptied first); true with the chosen path in `folder` when the user chose OK.
bool BrowseForFolder(const std::wstring& instruction, HWND owner, std::wstring& folder);

}  // namespace kestro
