#include "lists/TextCodec.h"

#include <algorithm>
#include <climits>

namespace kestro {

namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LEMark = "\xFF\xFE";
constexpr std::string_view kUtf16BEMark = "\xFE\xFF";

bool StartsWith(std::string_view bytes, std::string_view mark)
{
    return bytes.substr(0, mark.size()) == mark;
}

// Bytes of `codePage` to UTF-16; false when the conversion rejects them.
bool ToWide(UINT codePage, DWORD flags, std::string_view bytes, std::wstring& text)
{
    text.clear();
    if (bytes.empty()) return true;
    if (bytes.size() > INT_MAX) return false;
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length <= 0) return false;
    text.resize(length);
    return ::MultiByteToWideChar(codePage, flags, bytes.data(), size, text.data(), length) == length;
}

// UTF-16 to bytes of `codePage`; characters the code page lacks become its default character.
std::string ToBytes(UINT codePage, std::wstring_view text)
{
    if (text.empty() || text.size() > INT_MAX) return {};
    const int size = static_cast<int>(text.size());
    const int length = ::WideCharToMultiByte(codePage, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return {};
    std::string bytes(length, '\0');
    ::WideCharToMultiByte(codePage, 0, text.data(), size, bytes.data(), length, nullptr, nullptr);
    return bytes;
}

bool FromUtf16(std::string_view bytes, bool bigEndian, std::wstring& text)
{
    if (bytes.size() % 2 != 0) return false;
    text.resize(bytes.size() / 2);
    for (size_t i = 0; i < text.size(); ++i) {
        const auto first = static_cast<unsigned char>(bytes[2 * i]);
        const auto second = static_cast<unsigned char>(bytes[2 * i + 1]);
        text[i] = static_cast<wchar_t>(bigEndian ? (first << 8) | second : (second << 8) | first);
    }
    return true;
}

std::string ToUtf16(std::wstring_view text, bool bigEndian)
{
    std::string bytes;
    bytes.reserve(text.size() * 2);
    for (const wchar_t unit : text) {
        const auto high = static_cast<char>((unit >> 8) & 0xFF);
        const auto low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? high : low;
        bytes += bigEndian ? low : high;
    }
    return bytes;
}

}  // namespace

bool DecodeText(std::string_view bytes, UINT ansiCodePage, TDecodedText& result)
{
    if (StartsWith(bytes, kUtf8Mark)) {
        result.Encoding = TTextEncoding::Utf8;
        return ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, bytes.substr(kUtf8Mark.size()), result.Text);
    }
    if (StartsWith(bytes, kUtf16LEMark)) {
        result.Encoding = TTextEncoding::Utf16LE;
        return FromUtf16(bytes.substr(kUtf16LEMark.size()), false, result.Text);
    }
    if (StartsWith(bytes, kUtf16BEMark)) {
        result.Encoding = TTextEncoding::Utf16BE;
        return FromUtf16(bytes.substr(kUtf16BEMark.size()), true, result.Text);
    }
    // Notepad saves UTF-8 without a mark; text in a code page is seldom valid UTF-8 by chance.
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (!ascii && ToWide(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, result.Text)) {
        result.Encoding = TTextEncoding::Utf8WithoutMark;
        return true;
    }
    result.Encoding = TTextEncoding::Ansi;
    return ToWide(ansiCodePage, 0, bytes, result.Text) && ToBytes(ansiCodePage, result.Text) == bytes;
}

std::vector<std::wstring> SplitLines(std::wstring_view text)
{
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start < text.size()) {
        const size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + 1;
        if (text[end] == L'\r' && start < text.size() && text[start] == L'\n') ++start;
    }
    return lines;
}

std::string EncodeLines(const std::vector<std::wstring>& lines, TTextEncoding encoding, UINT ansiCodePage)
{
    std::wstring text;
    for (const auto& line : lines) {
        text += line;
        text += L"\r\n";
    }
    switch (encoding) {
    case TTextEncoding::Utf8: return std::string(kUtf8Mark) + ToBytes(CP_UTF8, text);
    case TTextEncoding::Utf8WithoutMark: return ToBytes(CP_UTF8, text);
    case TTextEncoding::Utf16LE: return std::string(kUtf16LEMark) + ToUtf16(text, false);
    case TTextEncoding::Utf16BE: return std::string(kUtf16BEMark) + ToUtf16(text, true);
    case TTextEncoding::Ansi: break;
    }
    // A system whose ANSI code page is UTF-8 marks its files, so they read back the same anywhere.
    const std::string_view mark = ansiCodePage == CP_UTF8 ? kUtf8Mark : std::string_view();
    return std::string(mark) + ToBytes(ansiCodePage, text);
}

bool RepresentableIn(const std::vector<std::wstring>& lines, UINT codePage)
{
    for (const auto& line : lines) {
        std::wstring back;
        // A round trip also catches best-fit mappings, which look like success but change the name.
        if (!ToWide(codePage, 0, ToBytes(codePage, line), back) || back != line) return false;
    }
    return true;
}

TTextEncoding EncodingForSave(const std::vector<std::wstring>& lines, TTextEncoding remembered, UINT ansiCodePage)
{
    if (remembered != TTextEncoding::Ansi || RepresentableIn(lines, ansiCodePage)) return remembered;
    return TTextEncoding::Utf8;
}

}  // namespace kestro
