#include "lists/SettingsFile.h"

#include <windows.h>

#include <climits>
#include <utility>

#include "lists/TextFile.h"

namespace kestro {

namespace {

bool IsControlOrBlank(wchar_t c)
{
    return c <= L' ';
}

std::wstring_view TrimStart(std::wstring_view text)
{
    while (!text.empty() && IsControlOrBlank(text.front())) text.remove_prefix(1);
    return text;
}

std::wstring_view TrimEnd(std::wstring_view text)
{
    while (!text.empty() && IsControlOrBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::wstring_view Trim(std::wstring_view text)
{
    return TrimEnd(TrimStart(text));
}

// The key of an entry: the text before its first "=", or the whole of a bare line.
std::wstring_view EntryKey(std::wstring_view entry)
{
    return entry.substr(0, entry.find(L'='));
}

std::wstring UpperCase(std::wstring_view text)
{
    std::wstring upper(text);
    if (!upper.empty()) ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    return upper;
}

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    return -1;
}

bool ParseHex(std::wstring_view digits, bool negative, int32_t& value)
{
    if (digits.empty() || digits.size() > 8) return false;
    uint32_t pattern = 0;
    for (const wchar_t c : digits) {
        const int digit = HexDigit(c);
        if (digit < 0) return false;
        pattern = pattern << 4 | static_cast<uint32_t>(digit);
    }
    if (negative) pattern = 0u - pattern;
    value = static_cast<int32_t>(pattern);
    return true;
}

bool ParseDecimal(std::wstring_view digits, bool negative, int32_t& value)
{
    if (digits.empty()) return false;
    const int64_t limit = negative ? -static_cast<int64_t>(INT32_MIN) : INT32_MAX;
    int64_t magnitude = 0;
    for (const wchar_t c : digits) {
        if (c < L'0' || c > L'9') return false;
        magnitude = magnitude * 10 + (c - L'0');
        if (magnitude > limit) return false;
    }
    value = static_cast<int32_t>(negative ? -magnitude : magnitude);
    return true;
}

}  // namespace

bool ParseSettingsInteger(std::wstring_view text, int32_t& value)
{
    while (!text.empty() && text.front() == L' ') text.remove_prefix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    for (const std::wstring_view prefix : {L"$", L"0x", L"0X", L"x", L"X"}) {
        if (text.substr(0, prefix.size()) == prefix) return ParseHex(text.substr(prefix.size()), negative, value);
    }
    return ParseDecimal(text, negative, value);
}

bool SameSettingsName(std::wstring_view a, std::wstring_view b)
{
    return a.size() == b.size() && UpperCase(a) == UpperCase(b);
}

SettingsFile SettingsFile::Open(const std::wstring& path)
{
    SettingsFile settings;
    if (TextFileExists(path)) {
        TTextEncoding encoding = TTextEncoding::Ansi;
        settings = FromLines(ReadTextLines(path, encoding));
        settings.FEncoding = encoding;
    }
    settings.FPath = path;
    return settings;
}

SettingsFile SettingsFile::FromLines(const std::vector<std::wstring>& lines)
{
    SettingsFile settings;
    TSection* current = nullptr;
    for (const auto& raw : lines) {
        const std::wstring_view line = Trim(raw);
        if (line.empty() || line.front() == L';') continue;
        if (line.front() == L'[' && line.back() == L']') {
            const std::wstring_view name = Trim(line.substr(1, line.size() - 2));
            // A repeated header opens a block whose lines are dropped up to the next header.
            current = nullptr;
            if (!settings.FindSection(name)) {
                settings.FSections.push_back({std::wstring(name), {}});
                current = &settings.FSections.back();
            }
            continue;
        }
        if (!current) continue;
        const size_t equals = line.find(L'=');
        if (equals == std::wstring_view::npos) {
            current->Entries.emplace_back(line);
            continue;
        }
        std::wstring entry(TrimEnd(line.substr(0, equals)));
        entry += L'=';
        entry += TrimStart(line.substr(equals + 1));
        current->Entries.push_back(std::move(entry));
    }
    return settings;
}

int32_t SettingsFile::ReadInteger(std::wstring_view section, std::wstring_view key, int32_t defaultValue) const
{
    const TSection* found = FindSection(section);
    if (!found) return defaultValue;
    for (const auto& entry : found->Entries) {
        if (!SameSettingsName(EntryKey(entry), key)) continue;
        const size_t equals = entry.find(L'=');
        if (equals == std::wstring::npos) return defaultValue;
        std::wstring text = entry.substr(equals + 1);
        if (text.size() > 2 && text[0] == L'0' && (text[1] == L'x' || text[1] == L'X')) text.replace(0, 2, L"$");
        int32_t value = 0;
        return ParseSettingsInteger(text, value) ? value : defaultValue;
    }
    return defaultValue;
}

void SettingsFile::WriteInteger(std::wstring_view section, std::wstring_view key, int32_t value)
{
    // Decimal digits without the C library's formatted output, which would weigh on the size of
    // a statically linked Kestro.exe.
    const std::string digits = std::to_string(value);
    const std::wstring text(digits.begin(), digits.end());
    TSection* found = FindSection(section);
    if (!found) {
        FSections.push_back({std::wstring(section), {}});
        found = &FSections.back();
    }
    for (auto& entry : found->Entries) {
        const std::wstring_view storedKey = EntryKey(entry);
        if (SameSettingsName(storedKey, key)) {
            // The stored spelling of the key stays, so a hand-edited file keeps its look.
            entry = std::wstring(storedKey) + L'=' + text;
            return;
        }
    }
    found->Entries.push_back(std::wstring(key) + L'=' + text);
}

std::string SettingsFile::Encode()
{
    return EncodeTextLines(ToLines(), FEncoding);
}

std::vector<std::wstring> SettingsFile::ToLines() const
{
    std::vector<std::wstring> lines;
    for (const auto& section : FSections) {
        lines.push_back(L'[' + section.Name + L']');
        lines.insert(lines.end(), section.Entries.begin(), section.Entries.end());
        lines.emplace_back();
    }
    return lines;
}

SettingsFile::TSection* SettingsFile::FindSection(std::wstring_view name)
{
    return const_cast<TSection*>(std::as_const(*this).FindSection(name));
}

const SettingsFile::TSection* SettingsFile::FindSection(std::wstring_view name) const
{
    for (const auto& section : FSections)
        if (SameSettingsName(section.Name, name)) return &section;
    return nullptr;
}

}  // namespace kestro
