#pragma once
#include <windows.h>

namespace kestro {

// The whole run: data folder, instance check, then either the relay to the running instance or
// the main window and its message loop. Returns the process exit code (always 0).
int RunKestro(HINSTANCE instance);

}  // namespace kestro
