#include "ui/RelayRecord.h"

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
