#include <windows.h>

#include <cstdlib>

#include "app/Startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return kestro::RunKestro(instance);
}

// An exception that escapes every handler ends the program at once. A GUI program has no
// console to print its name on, and the library's own handler brings a demangler of some 45 KB
// into the executable for that; defined here, in the executable itself, this one wins.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx
