#pragma once
// The INI-style settings file "Kestro.ini", held in memory for the length of one handler.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "lists/TextCodec.h"

namespace kestro {

// Parses a settings integer: blanks, a sign, hexadecimal after "$", "0x", "0X", "x" or "X"
// (up to 8 digits, a 32-bit pattern) or decimal in the signed 32-bit range.
bool ParseSettingsInteger(std::wstring_view text, int32_t& value);

// Whether two section or key names are equal ignoring case (both upper-cased).
bool SameSettingsName(std::wstring_view a, std::wstring_view b);

class SettingsFile {
public:
    struct TSection {
        std::wstring Name;
        std::vector<std::wstring> Entries;  // "key=value" or a bare line
    };

    // Reads `path` when it exists, else starts empty. Raises EFileError.
    static SettingsFile Open(const std::wstring& path);
    // Builds the copy from the lines of a file.
    static SettingsFile FromLines(const std::vector<std::wstring>& lines);

    int32_t ReadInteger(std::wstring_view section, std::wstring_view key, int32_t defaultValue) const;
    void WriteInteger(std::wstring_view section, std::wstring_view key, int32_t value);
    // The bytes of the whole copy as its file holds them, in the file's encoding (switched to UTF-8
    // where the code page cannot hold a value).
    std::string Encode();
    const std::wstring& Path() const { return FPath; }

    // The lines of the file as written: each section's header, its entries, one empty line.
    std::vector<std::wstring> ToLines() const;

private:
    TSection* FindSection(std::wstring_view name);
    const TSection* FindSection(std::wstring_view name) const;

    std::wstring FPath;
    TTextEncoding FEncoding = TTextEncoding::Ansi;
    std::vector<TSection> FSections;
};

}  // namespace kestro
