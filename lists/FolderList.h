#pragma once
// The favourites and history lists and the rules that change them.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "lists/TextCodec.h"

namespace kestro {

constexpr size_t kHistoryCap = 50;

// Entry equality: same length, then equal ignoring case under the user's locale.
bool SameEntry(std::wstring_view a, std::wstring_view b);

struct TFolderList {
    std::vector<std::wstring> Items;
    // The encoding of the file the list was read from.
    TTextEncoding Encoding = TTextEncoding::Ansi;
    // True once the list's file was read, or found missing: only then may a save replace it.
    bool Loaded = false;

    // The lowest index holding an entry equal to `path`, or -1.
    int IndexOf(std::wstring_view path) const;
};

void AddFavourite(TFolderList& favourites, const std::wstring& path);
void RemoveFavourite(TFolderList& favourites, int index);
void SwapFavourites(TFolderList& favourites, int a, int b);
bool RecordVisit(TFolderList& history, const std::wstring& path);
void TrimHistory(TFolderList& history);
// Removes the entries that `missing` says are gone, keeping the order of the rest. The caller
// trims once every entry has been looked at: a trim before would cut existing folders.
void PurgeHistory(TFolderList& history, const std::function<bool(const std::wstring&)>& missing);
void ClearHistory(TFolderList& history);

// Reads `path` into `list` when the file exists (else leaves it empty); marks it loaded.
// Raises EFileError.
void LoadListFile(TFolderList& list, const std::wstring& path);

// The bytes `list` is written as to `path`, in its encoding (switched to UTF-8 where the code page
// cannot hold a name), or nothing when the list was never loaded and the file exists: a file that
// could not be read is never replaced by a list that did not come from it. From then on the list
// is the file's.
std::optional<std::string> ListFileBytes(TFolderList& list, const std::wstring& path);

}  // namespace kestro
