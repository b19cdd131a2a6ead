#include "winutil/ProcessPath.h"

#include <psapi.h>

#include <cwchar>

#include "winutil/Handles.h"

namespace kestro {

namespace {
using TGetProcessImageFileNameW = DWORD(WINAPI*)(HANDLE, LPWSTR, DWORD);

std::wstring TextOf(const wchar_t* buffer)
{
    return std::wstring(buffer, wcsnlen(buffer, MAX_PATH));
}

// The name is looked up at run time because older systems' psapi lacks it; the library
// comes from the system directory so that a Psapi.dll beside a program is never loaded.
std::wstring KernelDevicePath(HANDLE process)
{
    const std::wstring systemDir = GetSystemDir();
    UniqueModule psapi(::LoadLibraryW(systemDir.empty() ? L"Psapi.dll" : (systemDir + L"Psapi.dll").c_str()));
    if (!psapi) return {};
    const FARPROC proc = ::GetProcAddress(psapi.get(), "GetProcessImageFileNameW");
    if (!proc) return {};
    // Through void(*)() because that is the one function type any other converts from cleanly.
    const auto getImageFileName = reinterpret_cast<TGetProcessImageFileNameW>(reinterpret_cast<void (*)()>(proc));
    wchar_t buffer[MAX_PATH] = {};
    getImageFileName(process, buffer, MAX_PATH);
    return TextOf(buffer);
}
// A program run as administrator refuses the rights to read its memory to a program that is
// not, but still names its executable to one that asks for no more than that.
std::wstring LimitedImagePath(DWORD processId)
{
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    wchar_t buffer[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    if (!process || !::QueryFullProcessImageNameW(process.get(), 0, buffer, &size)) return {};
    return TextOf(buffer);
}
}  // namespace

std::wstring MapDevicePathToDrive(std::wstring_view devicePath, const std::vector<TDosDevice>& drives)
{
    for (const TDosDevice& drive : drives) {
        // The backslash keeps volume 1 from matching a path on volume 10.
        const std::wstring prefix = drive.Device + L'\\';
        if (devicePath.substr(0, prefix.size()) != prefix) continue;
        std::wstring mapped{drive.Letter, L':'};
        mapped += devicePath.substr(drive.Device.size());
        return mapped;
    }
    return std::wstring(devicePath);
}

std::vector<TDosDevice> QueryDosDevices()
{
    std::vector<TDosDevice> drives;
    const DWORD mask = ::GetLogicalDrives();
    for (int bit = 0; bit < 26; ++bit) {
        if ((mask & (1u << bit)) == 0) continue;
        const wchar_t letter = static_cast<wchar_t>(L'A' + bit);
        const wchar_t driveName[] = {letter, L':', L'\0'};
        wchar_t target[MAX_PATH] = {};
        ::QueryDosDeviceW(driveName, target, MAX_PATH);
        std::wstring device = TextOf(target);
        if (!device.empty()) drives.push_back({letter, std::move(device)});
    }
    return drives;
}

std::wstring GetSystemDir()
{
    const UINT needed = ::GetSystemDirectoryW(nullptr, 0);
    if (needed == 0) return {};
    std::wstring dir(needed, L'\0');
    const UINT written = ::GetSystemDirectoryW(dir.data(), needed);
    if (written == 0 || written >= needed) return {};
    dir.resize(written);
    return dir + L'\\';
}

std::wstring ImagePathFromDevice(HANDLE process)
{
    const std::wstring devicePath = KernelDevicePath(process);
    if (devicePath.empty()) return {};
    return MapDevicePathToDrive(devicePath, QueryDosDevices());
}

std::wstring GetProcessImagePath(HWND wnd)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(wnd, &processId);
    UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, processId));
    if (!process) return LimitedImagePath(processId);
    wchar_t buffer[MAX_PATH] = {};
    if (::GetModuleFileNameExW(process.get(), nullptr, buffer, MAX_PATH) != 0) return TextOf(buffer);
    return ImagePathFromDevice(process.get());
}

}  // namespace kestro
