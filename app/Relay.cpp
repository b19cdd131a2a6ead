#include "app/Relay.h"

#include <cwchar>

namespace kestro {

std::vector<wchar_t> BuildRelayPayload()
{
    std::wstring text(kShowRequest);
    text.push_back(L'\0');  // the sender's text is "/Show" and one NUL unit, 6 units
    std::vector<wchar_t> payload(text.begin(), text.end());
    payload.push_back(L'\0');  // and its terminator
    return payload;
}

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

std::optional<std::wstring> DecodeRelayText(const void* data, size_t byteCount)
{
    if (!data || byteCount == 0 || byteCount % sizeof(wchar_t) != 0) return std::nullopt;
    const auto* text = static_cast<const wchar_t*>(data);
    const size_t units = byteCount / sizeof(wchar_t);
    return std::wstring(text, wcsnlen(text, units));
}

bool IsShowRequest(const COPYDATASTRUCT* record)
{
    if (!record) return false;
    const auto text = DecodeRelayText(record->lpData, record->cbData);
    return text && *text == kShowRequest;
}

}  // namespace kestro
