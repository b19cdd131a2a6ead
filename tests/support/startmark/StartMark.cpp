// Linked into every test program: its first act tells the script that runs it under Wine that the
// program did start (see cmake/wine-run.sh), before any test runs or is listed.
#include <windows.h>

#include "winutil/Handles.h"

namespace {
const bool kMarked = [] {
    wchar_t path[MAX_PATH] = {};
    const DWORD length = ::GetEnvironmentVariableW(L"KESTRO_START_MARK", path, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return false;
    const kestro::UniqueFile file(
        ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    return static_cast<bool>(file);
}();
}  // namespace
