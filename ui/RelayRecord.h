#pragma once
// The relay record a second start sends to the running instance's main window, and its
// decoding on arrival.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace kestro {

constexpr wchar_t kShowRequest[] = L"/Show";

// The payload: "/Show", one NUL unit that belongs to the text and the terminating NUL.
std::vector<wchar_t> BuildRelayPayload();

// The text of a received record: up to its first NUL within `byteCount` bytes, or all of them.
// A null pointer, no bytes or an odd byte count give nothing: any process can send this
// message, so the block is never read past what the sender declared.
std::optional<std::wstring> DecodeRelayText(const void* data, size_t byteCount);

// Whether a received WM_COPYDATA record asks the running instance to show itself.
bool IsShowRequest(const COPYDATASTRUCT* record);

}  // namespace kestro
