#pragma once
// What a second start tells the running instance besides the record itself.
#include <string_view>

namespace kestro {

// The number of arguments after the program's own path. Arguments are separated by characters
// 1..32, and a double-quoted run may hold blanks (its quotes are dropped).
int CountArguments(std::wstring_view commandLine);

}  // namespace kestro
