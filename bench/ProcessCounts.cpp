#include "bench/ProcessCounts.h"

#include <psapi.h>
#include <winternl.h>

#include <cstdio>
#include <vector>

#include "tests/support/Windows.h"

namespace kestro::bench {

namespace {

// One entry of the system's handle list (SystemHandleInformation, class 16).
struct THandleEntry {
    ULONG ProcessId;
    BYTE ObjectType;
    BYTE Flags;
    USHORT Handle;
    PVOID Object;
    ACCESS_MASK Access;
};

// The process's handles as the system's handle list counts them; for window systems whose
// GetProcessHandleCount does not count another process's handles.
DWORD HandlesInSystemList(DWORD pid)
{
    std::vector<BYTE> buffer(1 << 22);
    ULONG length = 0;
    if (::NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                   static_cast<ULONG>(buffer.size()), &length) != 0)
        return 0;
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const THandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
    DWORD owned = 0;
    for (ULONG i = 0; i < count; ++i)
        if ((entries[i].ProcessId & 0xFFFF) == (pid & 0xFFFF)) ++owned;
    return owned;
}

DWORD WindowsOf(DWORD pid)
{
    DWORD count = 0;
    for (HWND top : test::TopWindowsOf(pid)) {
        ++count;
        ::EnumChildWindows(
            top,
            [](HWND, LPARAM param) -> BOOL {
                ++*reinterpret_cast<DWORD*>(param);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

void PrintCount(const char* what, unsigned long long before, unsigned long long after)
{
    std::printf("  %-16s before %12llu   after %12llu   change %+lld\n", what, before, after,
                static_cast<long long>(after) - static_cast<long long>(before));
}

}  // namespace

TCounts CountsOf(HANDLE process, DWORD pid)
{
    TCounts counts;
    if (!::GetProcessHandleCount(process, &counts.Handles) || counts.Handles == 0)
        counts.Handles = HandlesInSystemList(pid);
    counts.Gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    counts.User = ::GetGuiResources(process, GR_USEROBJECTS);
    counts.Windows = WindowsOf(pid);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    // The commit charge is the process's private bytes; PrivateUsage repeats it where filled in.
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        counts.PrivateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return counts;
}

void PrintCounts(const TCounts& before, const TCounts& after)
{
    PrintCount("handles", before.Handles, after.Handles);
    PrintCount("GDI objects", before.Gdi, after.Gdi);
    PrintCount("USER objects", before.User, after.User);
    PrintCount("windows", before.Windows, after.Windows);
    PrintCount("private bytes", before.PrivateBytes, after.PrivateBytes);
    if (before.Gdi == 0 && after.Gdi == 0 && before.User == 0 && after.User == 0)
        std::printf(
            "  (GDI and USER objects read 0: this window system does not count them; the\n"
            "   windows of the process stand in for the USER objects)\n");
}

}  // namespace kestro::bench
