#pragma once
// The text format of the list and settings files: byte-order mark, UTF-8 without one (as
// Notepad saves), or the ANSI code page; lines ended by CR LF. Pure: code pages are parameters,
// nothing is read from the system.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// The encoding a file was read in; Ansi also stands for "no file was read".
enum class TTextEncoding { Ansi, Utf8, Utf16LE, Utf16BE, Utf8WithoutMark };

struct TDecodedText {
    TTextEncoding Encoding = TTextEncoding::Ansi;
    std::wstring Text;
};

// Decodes file bytes by their byte-order mark; without one, bytes that are valid UTF-8 and hold
// more than ASCII as UTF-8, and others as `ansiCodePage`. False when the bytes cannot be decoded
// (invalid UTF-8 after the mark, an odd byte count after a UTF-16 mark) or would not come back the
// same through the code page: written back, such a file would lose its names for good.
bool DecodeText(std::string_view bytes, UINT ansiCodePage, TDecodedText& result);

// Splits at CR LF, lone CR or lone LF; a break at the very end makes no empty last line.
std::vector<std::wstring> SplitLines(std::wstring_view text);

// The bytes of `lines`, each followed by CR LF, in `encoding` with its mark first (none for
// Utf8WithoutMark). The ANSI code page gets a mark only when it is 65001.
std::string EncodeLines(const std::vector<std::wstring>& lines, TTextEncoding encoding, UINT ansiCodePage);

// Whether every line survives a round trip through `codePage` unchanged.
bool RepresentableIn(const std::vector<std::wstring>& lines, UINT codePage);

// The encoding to write `lines` in: the remembered one, except that ANSI text that the code
// page cannot hold exactly is written in UTF-8 instead, so no folder name is corrupted.
TTextEncoding EncodingForSave(const std::vector<std::wstring>& lines, TTextEncoding remembered, UINT ansiCodePage);

}  // namespace kestro
