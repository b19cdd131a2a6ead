#pragma once
// The favourites and history, their files and the window's size file: the model that the list box
// only shows. Favourites are written as soon as they change; history and size shortly after their
// first change, so that a kill or a crash loses nothing; all of these off the window's thread. The
// close writes everything again, on the window's thread, and reports what fails.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include "lists/FileError.h"
#include "lists/FileWriter.h"
#include "lists/FolderList.h"
#include "lists/HistoryPurge.h"
#include "lists/SettingsFile.h"
#include "ui/FolderChecks.h"
#include "winutil/Timers.h"
#include "winutil/Timings.h"

namespace kestro {

// The window's outer size in pixels at the system's scale, as the size file keeps it.
struct TWindowSize {
    int Width;
    int Height;
};

class TListStore {
public:
    // The files are in `folder` (with a trailing backslash) and are written with `write`; timer
    // `saveTimerId` of `timers` falls due to SaveDue.
    TListStore(std::wstring folder, TWriteBytes write, ITimers& timers, UINT_PTR saveTimerId, TFolderChecks& checks,
               const TTimings& timings);
    TListStore(const TListStore&) = delete;
    TListStore& operator=(const TListStore&) = delete;
    ~TListStore();

    // Whether history changed since this was last asked: the window shows it anew.
    bool TakeHistoryChanged() { return std::exchange(FHistoryChanged, false); }
    // Whether the list box shows history now: a visit recorded meanwhile also cuts it to the cap.
    void SetHistoryShown(bool shown) { FHistoryShown = shown; }

    // The size the size file holds, with `current` for what it lacks. Raises EFileError.
    TWindowSize SavedSize(TWindowSize current) const;
    // Moves an older favourites file to its new name and reads both lists, each on its own: a list
    // whose file cannot be read stays empty, its file is never overwritten, and its error goes to
    // `report`. False when there is no favourites file (a first run).
    bool Load(const std::function<void(const EFileError&)>& report);

    const TFolderList& Favourites() const { return FFavourites; }
    const TFolderList& History() const { return FHistory; }

    void AddFavourite(const std::wstring& path);
    void RemoveFavourite(int index);
    // Swaps favourite `index` with its neighbour `step` away; the entry's new index, or -1 when it
    // has no such neighbour.
    int MoveFavourite(int index, int step);
    // Puts a folder a dialog showed at the head of history once its check says it exists.
    void RecordShownFolder(const std::wstring& folder);
    void ClearHistory();
    // Checks every history entry and drops those whose folders are gone.
    void PurgeHistory();

    // The window was resized by the user; its size is written shortly after.
    void SizeChanged(TWindowSize size);
    // The save timer fell due: writes what changed since the last save.
    void SaveDue();
    // Writes the size and both lists. Raises EFileError. A size file that cannot be read is only
    // handed to `report`: the lists are still written, so that no change to them is lost.
    void SaveAll(TWindowSize size, const std::function<void(const EFileError&)>& report);

private:
    void FavouritesChanged();
    void HistoryChanged();
    // The bytes of the favourites' and the history's files, or nothing where the file must stay.
    std::optional<std::string> FavouritesBytes();
    std::optional<std::string> HistoryBytes();
    void ScheduleSave();

    std::wstring DataFile(const wchar_t* name) const { return FFolder + name; }
    SettingsFile OpenSettings() const;

    const std::wstring FFolder;
    TFileWriter FWriter;
    ITimers& FTimers;
    const UINT_PTR FSaveTimer;
    TFolderChecks& FChecks;
    const TTimings& FTimings;
    TFolderList FFavourites;
    TFolderList FHistory;
    THistoryPurge FPurge;
    bool FHistoryChanged = false;
    bool FHistoryShown = false;
    // Changes not written yet; the save timer writes them.
    bool FHistoryUnsaved = false;
    std::optional<TWindowSize> FUnsavedSize;
    bool FSaveScheduled = false;
};

}  // namespace kestro
