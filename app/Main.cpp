#include <windows.h>

#include "app/Startup.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    return kestro::RunKestro(instance);
}
