#pragma once
// The executable path of the process that owns a window, in drive-letter form where possible.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// One lettered drive and the kernel device behind it, e.g. {L'C', L"\\Device\\HarddiskVolume1"}.
struct TDosDevice {
    wchar_t Letter;
    std::wstring Device;
};

// Rewrites a kernel device path ("\Device\HarddiskVolume2\x\a.exe") into drive-letter form
// ("Z:\x\a.exe") with the first drive whose device, followed by a backslash, begins the path.
// A path on no lettered drive comes back unchanged.
std::wstring MapDevicePathToDrive(std::wstring_view devicePath, const std::vector<TDosDevice>& drives);

// The lettered drives in A..Z order with their devices, from GetLogicalDrives and QueryDosDeviceW.
std::vector<TDosDevice> QueryDosDevices();

// The system directory with a trailing backslash, or "" on failure.
std::wstring GetSystemDir();

// The image path of an opened process from GetProcessImageFileNameW (Psapi.dll, loaded from
// the system directory), in drive-letter form where a drive matches; "" when it cannot be read.
// GetProcessImagePath falls back on this when GetModuleFileNameExW fails.
std::wstring ImagePathFromDevice(HANDLE process);

// The executable of the process owning `wnd`; "" when nothing can be learned.
std::wstring GetProcessImagePath(HWND wnd);

}  // namespace kestro
