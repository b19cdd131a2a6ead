#include "ui/ListStore.h"

#include "lists/TextFile.h"
#include "winutil/DataFolder.h"

namespace kestro {

namespace {
constexpr wchar_t kSettingsFileName[] = L"Kestro.ini";
constexpr wchar_t kFavouritesFileName[] = L"KestroF.lst";
constexpr wchar_t kHistoryFileName[] = L"KestroH.lst";
constexpr wchar_t kOldFavouritesFileName[] = L"Kestro.lst";
constexpr wchar_t kWindowSection[] = L"Window";
constexpr wchar_t kHeightKey[] = L"Height";
constexpr wchar_t kWidthKey[] = L"Width";

std::wstring DataFile(const wchar_t* name)
{
    return UserDataDir + name;
}

SettingsFile OpenSettings()
{
    return SettingsFile::Open(DataFile(kSettingsFileName));
}

void SetSize(SettingsFile& settings, TWindowSize size)
{
    settings.WriteInteger(kWindowSection, kHeightKey, size.Height);
    settings.WriteInteger(kWindowSection, kWidthKey, size.Width);
}
}  // namespace

TListStore::TListStore(HWND window, UINT_PTR saveTimerId, TFolderChecks& checks, const TTimings& timings)
    : FWindow(window),
      FSaveTimer(saveTimerId),
      FWriter(WriteFileBytes),
      FChecks(checks),
      FTimings(timings),
      MListF(std::make_unique<TFolderList>()),
      MListH(std::make_unique<TFolderList>())
{
}

TListStore::~TListStore()
{
    ::KillTimer(FWindow, FSaveTimer);
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
        MListF->Loaded = true;
    else
        load(*MListF, favourites);
    load(*MListH, DataFile(kHistoryFileName));
    return !firstRun;
}

void TListStore::AddFavourite(const std::wstring& path)
{
    kestro::AddFavourite(*MListF, path);
    FavouritesChanged();
}

void TListStore::RemoveFavourite(int index)
{
    kestro::RemoveFavourite(*MListF, index);
    FavouritesChanged();
}

int TListStore::MoveFavourite(int index, int step)
{
    const int target = index + step;
    if (index < 0 || target < 0 || target >= static_cast<int>(MListF->Items.size())) return -1;
    SwapFavourites(*MListF, index, target);
    FavouritesChanged();
    return target;
}

void TListStore::RecordShownFolder(const std::wstring& folder)
{
    // Already at the head of history: nothing to record, so nothing to check. A place that is no
    // folder (This PC, a library) shows a name, not a path: nothing to record either.
    if (MListH->IndexOf(folder) == 0 || !IsFullPath(folder)) return;
    FChecks.Check(folder, [this, folder](TFolderState state) {
        if (state != TFolderState::Exists || !RecordVisit(*MListH, folder)) return;
        if (FHistoryShown) TrimHistory(*MListH);
        HistoryChanged();
    });
}

void TListStore::ClearHistory()
{
    kestro::ClearHistory(*MListH);
    HistoryChanged();
}

void TListStore::PurgeHistory()
{
    const unsigned purge = MPurge.Current() + 1;
    for (const std::wstring& entry : MPurge.Start(*MListH))
        FChecks.Check(entry, [this, entry, purge](TFolderState state) {
            if (MPurge.Answer(*MListH, entry, state, purge)) HistoryChanged();
        });
}

void TListStore::HistoryChanged()
{
    FHistoryUnsaved = true;
    ScheduleSave();
    if (FHistoryChanged) FHistoryChanged();
}

void TListStore::SizeChanged(TWindowSize size)
{
    MUnsavedSize = size;
    ScheduleSave();
}

void TListStore::ScheduleSave()
{
    // A burst of changes is written once, shortly after the first of them: a timer already set
    // is not put off.
    if (!FSaveScheduled) FSaveScheduled = ::SetTimer(FWindow, FSaveTimer, FTimings.SaveDelayMs, nullptr) != 0;
}

void TListStore::SaveTimerTimer()
{
    ::KillTimer(FWindow, FSaveTimer);
    FSaveScheduled = false;
    if (FHistoryUnsaved) {
        if (auto bytes = HistoryBytes()) FWriter.Write(DataFile(kHistoryFileName), std::move(*bytes));
        FHistoryUnsaved = false;
    }
    if (!MUnsavedSize) return;
    try {
        SettingsFile settings = OpenSettings();
        SetSize(settings, *MUnsavedSize);
        FWriter.Write(settings.Path(), settings.Encode());
        MUnsavedSize.reset();
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
        MUnsavedSize.reset();
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
    if (!MListF->Loaded && TextFileExists(DataFile(kOldFavouritesFileName))) return std::nullopt;
    return ListFileBytes(*MListF, DataFile(kFavouritesFileName));
}

std::optional<std::string> TListStore::HistoryBytes()
{
    return ListFileBytes(*MListH, DataFile(kHistoryFileName));
}

}  // namespace kestro
