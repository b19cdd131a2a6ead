#pragma once
// Whether a listed folder is there, gone or out of reach now, found without the system asking for
// a disk.
#include <windows.h>

#include <string>
#include <string_view>

namespace kestro {

// The drive letter (A..Z) that `c` names, folding a..z; 0 when `c` is no drive letter.
wchar_t DriveLetterOf(wchar_t c);

// What a check of `path` waits on: "C:" for a drive letter, "\\SERVER" for a UNC path (also
// behind "\\?\"), ASCII letters folded; empty for a path that names neither.
std::wstring DriveKeyOf(std::wstring_view path);

// Whether `path` is a full path, the only kind that names a folder to record, check or jump to:
// drive-rooted ("C:\...") or UNC ("\\server\share..."), also behind "\\?\". A bare name
// ("Desktop", as an address bar shows a place that is no folder) would be taken relative to
// Kestro's own current folder.
bool IsFullPath(std::wstring_view path);

// The root of a full path: "C:\", or "\\server\share\" for a UNC path.
std::wstring RootOf(std::wstring_view path);

// What a check of a listed folder found.
enum class TFolderState {
    Exists,
    // Its drive or share answers and the folder is not there, or the entry is no folder at all.
    Gone,
    // Its drive, server or share does not answer now: the folder may be back tomorrow.
    OutOfReach,
};

// What a look at a folder that failed with `error` says, given whether the root of its drive or
// share answers: only a folder not found on a root that answers is gone. A drive that is not
// there now, one without its disk or still locked, a server or share that does not answer or
// refuses the logon, and whatever else went wrong, say nothing of the folder itself.
TFolderState FolderStateFromError(DWORD error, bool rootAnswers);

// The folder a junction's or symbolic link's reparse data (as FSCTL_GET_REPARSE_POINT gives it)
// leads to, as a path; empty for a link relative to its own folder, another kind of reparse point,
// or data that does not hold together.
std::wstring ReparseTargetOf(std::string_view data);

bool IsDriveReady(wchar_t c);
// The state of the folder `path` names; waits as long as its drive or share does.
TFolderState FolderState(const std::wstring& path);
bool FolderReachable(const std::wstring& path);

}  // namespace kestro
