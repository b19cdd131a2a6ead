#include "ui/ListStore.h"

#include "lists/TextFile.h"

namespace kestro {

namespace {
constexpr wchar_t kSettingsFileName[] = L"Kestro.ini";
constexpr wchar_t kFavouritesFileName[] = L"KestroF.lst";
constexpr wchar_t kHistoryFileName[] = L"KestroH.lst";
constexpr wchar_t kOldFavouritesFileName[] = L"Kestro.lst";
constexpr wchar_t kWindowSection[] = L"Window";
constexpr wchar_t kHeightKey[] = L"Height";
constexpr wchar_t kWidthKey[] = L"Width";

void SetSize(SettingsFile& settings, TWindowSize size)
{
    settings.WriteInteger(kWindowSection, kHeightKey, size.Height);
    settings.WriteInteger(kWindowSection, kWidthKey, size.Width);
}
}  // namespace

TListStore::TListStore(std::wstring folder, TWriteBytes write, ITimers& timers, UINT_PTR saveTimerId,
                       TFolderChecks& checks, const TTimings& timings)
    : FFolder(std::move(folder)),
      FWriter(std::move(write)),
      FTimers(timers),
      FSaveTimer(saveTimerId),
      FChecks(checks),
      FTimings(timings)
{
}

TListStore::~TListStore()
{
    FTimers.StopTimer(FSaveTimer);
}

SettingsFile TListStore::OpenSettings() const
{
    return SettingsFile::Open(DataFile(kSettingsFileName));
}

TWindowSize TListStore::SavedSize(TWindowSize current) const
{
    const SettingsFile settings = OpenSettings();
    return {settings.ReadInteger(kWindowSection, kWidthKey, current.Width),
            settings.ReadInteger(kWindowSection, kHeightKey, current.Height)};
}

bool TListStore::Load(const std::function<void(const EFileError&)>& report)
{
    const std::wstring favourites = DataFile(kFavouritesFileName);
    const std::wstring oldFavourites = DataFile(kOldFavouritesFileName);
    // MoveFileW never replaces: with both files present the old one stays and is ignored.
    if (TextFileExists(oldFavourites)) ::MoveFileW(oldFavourites.c_str(), favourites.c_str());
    const bool firstRun = !TextFileExists(favourites);
    const auto load = [&](TFolderList& list, const std::wstring& path) {
        try {
            LoadListFile(list, path);
        } catch (const EFileError& error) {
            report(error);
        }
    };
    if (firstRun)
        FFavourites.Loaded = true;
    else
        load(FFavourites, favourites);
    load(FHistory, DataFile(kHistoryFileName));
    return !firstRun;
}

void TListStore::AddFavourite(const std::wstring& path)
{
    kestro::AddFavourite(FFavourites, path);
    FavouritesChanged();
}

void TListStore::RemoveFavourite(int index)
{
    kestro::RemoveFavourite(FFavourites, index);
    FavouritesChanged();
}

int TListStore::MoveFavourite(int index, int step)
{
    const int target = index + step;
    if (index < 0 || target < 0 || target >= static_cast<int>(FFavourites.Items.size())) return -1;
    SwapFavourites(FFavourites, index, target);
    FavouritesChanged();
    return target;
}

void TListStore::RecordShownFolder(const std::wstring& folder)
{
    // Already at the head of history: nothing to record, so nothing to check. A place that is no
    // folder (This PC, a library) shows a name, not a path: nothing to record either.
    if (FHistory.IndexOf(folder) == 0 || !IsFullPath(folder)) return;
    FChecks.Check(folder, [this, folder](TFolderState state) {
        if (state != TFolderState::Exists || !RecordVisit(FHistory, folder)) return;
        if (FHistoryShown) TrimHistory(FHistory);
        HistoryChanged();
    });
}

void TListStore::ClearHistory()
{
    kestro::ClearHistory(FHistory);
    HistoryChanged();
}

void TListStore::PurgeHistory()
{
    const unsigned purge = FPurge.Current() + 1;
    for (const std::wstring& entry : FPurge.Start(FHistory))
        FChecks.Check(entry, [this, entry, purge](TFolderState state) {
            if (FPurge.Answer(FHistory, entry, state, purge)) HistoryChanged();
        });
}

void TListStore::HistoryChanged()
{
    FHistoryUnsaved = true;
    ScheduleSave();
    FHistoryChanged = true;
}

void TListStore::SizeChanged(TWindowSize size)
{
    FUnsavedSize = size;
    ScheduleSave();
}

void TListStore::ScheduleSave()
{
    // A burst of changes is written once, shortly after the first of them: a timer already set
    // is not put off.
    if (FSaveScheduled) return;
    FTimers.StartTimer(FSaveTimer, FTimings.SaveDelayMs);
    FSaveScheduled = true;
}

void TListStore::SaveDue()
{
    FTimers.StopTimer(FSaveTimer);
    FSaveScheduled = false;
    if (FHistoryUnsaved) {
        if (auto bytes = HistoryBytes()) FWriter.Write(DataFile(kHistoryFileName), std::move(*bytes));
        FHistoryUnsaved = false;
    }
    if (!FUnsavedSize) return;
    try {
        SettingsFile settings = OpenSettings();
        SetSize(settings, *FUnsavedSize);
        FWriter.Write(settings.Path(), settings.Encode());
        FUnsavedSize.reset();
    } catch (const EFileError&) {
        // A size file that cannot be read now is read again at the next change or the close.
    }
}

void TListStore::SaveAll(TWindowSize size, const std::function<void(const EFileError&)>& report)
{
    std::optional<SettingsFile> settings;
    try {
        settings = OpenSettings();
    } catch (const EFileError& error) {
        // A size file that cannot be read is left as it is; the lists are still written.
        report(error);
    }
    if (settings) {
        SetSize(*settings, size);
        FWriter.WriteNow(settings->Path(), settings->Encode());
        FUnsavedSize.reset();
    }
    if (auto bytes = FavouritesBytes()) FWriter.WriteNow(DataFile(kFavouritesFileName), *bytes);
    if (auto bytes = HistoryBytes()) FWriter.WriteNow(DataFile(kHistoryFileName), *bytes);
    FHistoryUnsaved = false;
}

void TListStore::FavouritesChanged()
{
    if (auto bytes = FavouritesBytes()) FWriter.Write(DataFile(kFavouritesFileName), std::move(*bytes));
}

std::optional<std::string> TListStore::FavouritesBytes()
{
    // Favourites that were never loaded must not create the new file while an older one waits
    // to be moved: from then on the older file would be ignored and its entries lost.
    if (!FFavourites.Loaded && TextFileExists(DataFile(kOldFavouritesFileName))) return std::nullopt;
    return ListFileBytes(FFavourites, DataFile(kFavouritesFileName));
}

std::optional<std::string> TListStore::HistoryBytes()
{
    return ListFileBytes(FHistory, DataFile(kHistoryFileName));
}

}  // namespace kestro
