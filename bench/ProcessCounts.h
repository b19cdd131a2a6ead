#pragma once
// What a process holds, read from outside: handles, windows, GDI and USER objects, private bytes.
#include <windows.h>

namespace kestro::bench {

struct TCounts {
    DWORD Handles = 0;
    DWORD Gdi = 0;
    DWORD User = 0;
    DWORD Windows = 0;
    SIZE_T PrivateBytes = 0;
};

TCounts CountsOf(HANDLE process, DWORD pid);

// Prints the counts side by side and says when the window system does not count GDI and USER
// objects.
void PrintCounts(const TCounts& before, const TCounts& after);

}  // namespace kestro::bench
