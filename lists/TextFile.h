#pragma once
// The file layer under the list and settings files.
#include <string>
#include <string_view>
#include <vector>

#include "lists/TextCodec.h"

namespace kestro {

// Whether `path` names an existing file (not a folder); a link must open, and a sharing
// violation counts as existing.
bool TextFileExists(const std::wstring& path);

// Reads and decodes a whole file into lines, sharing it with readers only.
// Raises EFileError (cannot open, cannot decode).
std::vector<std::wstring> ReadTextLines(const std::wstring& path, TTextEncoding& encoding);

// The bytes of `lines` in `encoding`, switched to UTF-8 when the ANSI code page cannot hold them.
std::string EncodeTextLines(const std::vector<std::wstring>& lines, TTextEncoding& encoding);

// Writes `bytes` through a temporary file in the same folder that replaces the target only when
// complete; a replace that another program blocks is tried again for about a second. Raises
// EFileError (cannot create) naming `path`; the old file then stays intact.
void WriteFileBytes(const std::wstring& path, std::string_view bytes);

}  // namespace kestro
