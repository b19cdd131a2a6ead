#include <windows.h>
#include <ole2.h>

#include <cstdlib>

#include "app/Startup.h"

namespace {
// The folder-browse dialog in its new style and the shell's opening of a folder need a
// single-threaded apartment on the thread that calls them: the window's thread.
class TOleSession {
public:
    TOleSession() : FInitialised(SUCCEEDED(::OleInitialize(nullptr))) {}
    TOleSession(const TOleSession&) = delete;
    TOleSession& operator=(const TOleSession&) = delete;
    ~TOleSession()
    {
        if (FInitialised) ::OleUninitialize();
    }

private:
    bool FInitialised;
};
}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    const TOleSession ole;
    return kestro::RunKestro(instance);
}

// An exception that escapes every handler ends the program at once. A GUI program has no
// console to print its name on, and the library's own handler brings a demangler of some 45 KB
// into the executable for that; defined here, in the executable itself, this one wins.
namespace __gnu_cxx {
void __verbose_terminate_handler()  // NOLINT(bugprone-reserved-identifier): the library's own name, replaced
{
    std::abort();
}
}  // namespace __gnu_cxx
