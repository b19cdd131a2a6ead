#pragma once
// The per-user data folder: "<roaming application data>\Tamsa Project\Kestro\".
#include <string>
#include <string_view>

#include "winutil/Handles.h"

namespace kestro {

// Set once by PrepareDataFolder; file names are appended directly (trailing backslash).
extern std::wstring UserDataDir;
extern std::wstring CommonDataDir;

// The shell folder of row `index` (0..5, only the low 8 bits count), without a trailing backslash.
std::wstring GetShellFolder(unsigned char index);

// Creates the missing "Tamsa Project" and `appName` levels under the roaming (or all-users)
// application-data folder, publishes the path and returns whether the final folder exists.
bool PrepareDataFolder(const std::wstring& appName, bool allUsers);

// Whether `path` names an existing folder; junctions and symbolic links must also open.
bool FolderExists(const std::wstring& path);
// Opens the folder `path` names, through any junction or link, with the least rights a look needs;
// empty when it does not open (GetLastError says why).
UniqueFile OpenLinkTarget(const std::wstring& path);

// The maker's folder under `base`, then the program's folder: base\Tamsa Project and
// base\Tamsa Project\appName, in creation order.
std::wstring MakerFolderPath(std::wstring_view base);
std::wstring AppFolderPath(std::wstring_view base, std::wstring_view appName);

}  // namespace kestro
