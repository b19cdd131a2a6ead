#include "app/Relay.h"

#include <string>

namespace kestro {

namespace {
// Reads one argument from `rest`; returns it and advances `rest` past it.
std::wstring NextArgument(std::wstring_view& rest)
{
    size_t i = 0;
    for (;;) {  // blanks and empty quoted pairs before an argument are skipped
        while (i < rest.size() && rest[i] != 0 && rest[i] <= L' ') ++i;
        if (i + 1 < rest.size() && rest[i] == L'"' && rest[i + 1] == L'"')
            i += 2;
        else
            break;
    }
    std::wstring argument;
    bool quoted = false;
    for (; i < rest.size() && rest[i] != 0; ++i) {
        const wchar_t c = rest[i];
        if (c == L'"') {
            quoted = !quoted;
        } else if (c <= L' ' && !quoted) {
            break;
        } else {
            argument.push_back(c);
        }
    }
    rest.remove_prefix(i);
    return argument;
}
}  // namespace

int CountArguments(std::wstring_view commandLine)
{
    NextArgument(commandLine);  // the program's own path
    int count = 0;
    while (!NextArgument(commandLine).empty()) ++count;
    return count;
}

}  // namespace kestro
