#pragma once
// Windows keeps a program from sending input and most messages to a program that runs at a
// higher integrity level (one run as administrator, for a program that is not).
#include <windows.h>

namespace kestro {

// Whether text and keys sent from this process reach `wnd`: true unless its process is known
// to run at a higher integrity level than this one.
bool InputReaches(HWND wnd);

}  // namespace kestro
