#include "lists/TextFile.h"

#include <windows.h>

#include <algorithm>

#include "lists/FileError.h"
#include "winutil/Handles.h"
#include "winutil/Timings.h"

namespace kestro {

namespace {

// The largest piece handed to one ReadFile or WriteFile call.
constexpr DWORD kChunk = 1 << 20;

std::wstring FullPath(const std::wstring& path)
{
    const DWORD size = ::GetFullPathNameW(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return path;
    std::wstring full(size, L'\0');
    const DWORD length = ::GetFullPathNameW(path.c_str(), size, full.data(), nullptr);
    if (length == 0 || length >= size) return path;
    full.resize(length);
    return full;
}

bool ReadAll(HANDLE file, std::string& bytes)
{
    char chunk[16 * 1024];
    DWORD got = 0;
    do {
        if (!::ReadFile(file, chunk, sizeof chunk, &got, nullptr)) return false;
        bytes.append(chunk, got);
    } while (got > 0);
    return true;
}

bool WriteAll(HANDLE file, std::string_view bytes)
{
    while (!bytes.empty()) {
        const DWORD piece = static_cast<DWORD>(std::min<size_t>(bytes.size(), kChunk));
        DWORD written = 0;
        if (!::WriteFile(file, bytes.data(), piece, &written, nullptr)) return false;
        bytes.remove_prefix(written);
    }
    return true;
}

// Writes `bytes` to a new file `temp` and flushes it; the error code, or 0 on success.
DWORD WriteTemporary(const std::wstring& temp, std::string_view bytes)
{
    UniqueFile file(
        ::CreateFileW(temp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return ::GetLastError();
    if (!WriteAll(file.get(), bytes) || !::FlushFileBuffers(file.get())) return ::GetLastError();
    return ERROR_SUCCESS;
}

// Replaces `target` by `temp`; the error code, or 0 on success. Virus scanners, the search
// indexer and sync clients open a fresh file for a moment, so a replace they block is tried
// again for about a second before it counts as failed.
DWORD ReplaceWithTemporary(const std::wstring& temp, const std::wstring& target)
{
    const TTimings timings;
    for (int attempt = 0;; ++attempt) {
        if (::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            return ERROR_SUCCESS;
        const DWORD error = ::GetLastError();
        if ((error != ERROR_SHARING_VIOLATION && error != ERROR_ACCESS_DENIED) || attempt == timings.ReplaceRetries)
            return error;
        ::Sleep(timings.ReplaceRetryMs);
    }
}

}  // namespace

bool TextFileExists(const std::wstring& path)
{
    DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_INVALID_NAME) return false;
        // A file that is locked or hidden from attribute queries can still show in its folder.
        WIN32_FIND_DATAW data;
        UniqueFind find(::FindFirstFileW(path.c_str(), &data));
        if (!find) return false;
        attributes = data.dwFileAttributes;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    if ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) return true;
    // A link counts only when its target opens; a target that is in use still exists.
    UniqueFile target(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    return target || ::GetLastError() == ERROR_SHARING_VIOLATION;
}

std::vector<std::wstring> ReadTextLines(const std::wstring& path, TTextEncoding& encoding)
{
    UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) throw CannotOpenError(FullPath(path), ::GetLastError());
    std::string bytes;
    if (!ReadAll(file.get(), bytes)) throw CannotOpenError(FullPath(path), ::GetLastError());
    file.reset();

    TDecodedText decoded;
    if (!DecodeText(bytes, ::GetACP(), decoded)) throw CannotDecodeError();
    encoding = decoded.Encoding;
    return SplitLines(decoded.Text);
}

std::string EncodeTextLines(const std::vector<std::wstring>& lines, TTextEncoding& encoding)
{
    const UINT codePage = ::GetACP();
    encoding = EncodingForSave(lines, encoding, codePage);
    return EncodeLines(lines, encoding, codePage);
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes)
{
    // The old file is replaced only by a complete new one, so a failed save loses nothing.
    const std::wstring target = FullPath(path);
    const std::wstring temp = target + L".tmp";
    DWORD error = WriteTemporary(temp, bytes);
    if (error == ERROR_SUCCESS) error = ReplaceWithTemporary(temp, target);
    if (error != ERROR_SUCCESS) {
        ::DeleteFileW(temp.c_str());
        throw CannotCreateError(target, error);
    }
}

}  // namespace kestro
