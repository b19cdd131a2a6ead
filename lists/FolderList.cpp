#include "lists/FolderList.h"

#include <windows.h>

#include <utility>

#include "lists/TextFile.h"

namespace kestro {

namespace {

bool ValidIndex(const TFolderList& list, int index)
{
    return index >= 0 && static_cast<size_t>(index) < list.Items.size();
}

void EraseAt(TFolderList& list, int index)
{
    list.Items.erase(list.Items.begin() + index);
}

}  // namespace

bool SameEntry(std::wstring_view a, std::wstring_view b)
{
    if (a.size() != b.size()) return false;
    // Two empty views may carry no buffer at all, which the comparison would refuse.
    if (a.empty()) return true;
    const int length = static_cast<int>(a.size());
    return ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.data(), length, b.data(), length) == CSTR_EQUAL;
}

int TFolderList::IndexOf(std::wstring_view path) const
{
    for (size_t i = 0; i < Items.size(); ++i)
        if (SameEntry(Items[i], path)) return static_cast<int>(i);
    return -1;
}

void AddFavourite(TFolderList& favourites, const std::wstring& path)
{
    const int found = favourites.IndexOf(path);
    if (found >= 0) EraseAt(favourites, found);
    favourites.Items.push_back(path);
}

void RemoveFavourite(TFolderList& favourites, int index)
{
    if (ValidIndex(favourites, index)) EraseAt(favourites, index);
}

void SwapFavourites(TFolderList& favourites, int a, int b)
{
    if (ValidIndex(favourites, a) && ValidIndex(favourites, b)) std::swap(favourites.Items[a], favourites.Items[b]);
}

bool RecordVisit(TFolderList& history, const std::wstring& path)
{
    const int found = history.IndexOf(path);
    // The head entry keeps its own spelling when the visit differs only in case.
    if (found == 0) return false;
    if (found > 0) EraseAt(history, found);
    history.Items.insert(history.Items.begin(), path);
    return true;
}

void TrimHistory(TFolderList& history)
{
    if (history.Items.size() > kHistoryCap) history.Items.resize(kHistoryCap);
}

void PurgeHistory(TFolderList& history, const std::function<bool(const std::wstring&)>& missing)
{
    for (int i = static_cast<int>(history.Items.size()) - 1; i >= 0; --i)
        if (missing(history.Items[i])) EraseAt(history, i);
}

void ClearHistory(TFolderList& history)
{
    history.Items.clear();
}

void LoadListFile(TFolderList& list, const std::wstring& path)
{
    if (TextFileExists(path)) list.Items = ReadTextLines(path, list.Encoding);
    list.Loaded = true;
}

std::optional<std::string> ListFileBytes(TFolderList& list, const std::wstring& path)
{
    // A file whose entries never reached the list would be emptied by this save.
    if (!list.Loaded && TextFileExists(path)) return std::nullopt;
    list.Loaded = true;
    return EncodeTextLines(list.Items, list.Encoding);
}

}  // namespace kestro
