#pragma once
// The relay record a second start sends to the running instance, and its decoding.
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace kestro {

constexpr wchar_t kShowRequest[] = L"/Show";

// The payload: "/Show", one NUL unit that belongs to the text and the terminating NUL.
std::vector<wchar_t> BuildRelayPayload();

// The number of arguments after the program's own path. Arguments are separated by characters
// 1..32, and a double-quoted run may hold blanks (its quotes are dropped).
int CountArguments(std::wstring_view commandLine);

// The text of a received record: up to its first NUL within `byteCount` bytes, or all of them.
// A null pointer, no bytes or an odd byte count give nothing: any process can send this
// message, so the block is never read past what the sender declared.
std::optional<std::wstring> DecodeRelayText(const void* data, size_t byteCount);

// Whether a received WM_COPYDATA record asks the running instance to show itself.
bool IsShowRequest(const COPYDATASTRUCT* record);

}  // namespace kestro
