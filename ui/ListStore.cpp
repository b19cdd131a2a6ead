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

SettingsFile OpenSettings()
{
    return SettingsFile::Open(UserDataDir + kSettingsFileName);
}

// Between start and close a write that fails shows nothing while the user works elsewhere: the
// change stays in memory, and the next change or the close writes it again.
template <typename Save>
void SaveQuietly(Save save)
{
    try {
        save();
    } catch (const EFileError&) {
    }
}
}  // namespace

TListStore::TListStore(HWND window, UINT_PTR saveTimerId, TFolderChecks& checks, const TTimings& timings)
    : FWindow(window), FSaveTimer(saveTimerId), FChecks(checks), FTimings(timings),
      MListF(std::make_unique<TFolderList>()), MListH(std::make_unique<TFolderList>())
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

bool TListStore::Load()
{
    const std::wstring favourites = UserDataDir + kFavouritesFileName;
    const std::wstring oldFavourites = UserDataDir + kOldFavouritesFileName;
    // MoveFileW never replaces: with both files present the old one stays and is ignored.
    if (TextFileExists(oldFavourites)) ::MoveFileW(oldFavourites.c_str(), favourites.c_str());
    const bool firstRun = !TextFileExists(favourites);
    if (firstRun)
        MListF->Loaded = true;
    else
        LoadListFile(*MListF, favourites);
    LoadListFile(*MListH, UserDataDir + kHistoryFileName);
    return !firstRun;
}

void TListStore::AddFavourite(const std::wstring& path)
{
    kestro::AddFavourite(*MListF, path);
    SaveQuietly([this] { SaveFavourites(); });
}

void TListStore::RemoveFavourite(int index)
{
    kestro::RemoveFavourite(*MListF, index);
    SaveQuietly([this] { SaveFavourites(); });
}

int TListStore::MoveFavourite(int index, int step)
{
    const int target = index + step;
    if (index < 0 || target < 0 || target >= static_cast<int>(MListF->Items.size())) return -1;
    SwapFavourites(*MListF, index, target);
    SaveQuietly([this] { SaveFavourites(); });
    return target;
}

void TListStore::RecordShownFolder(const std::wstring& folder)
{
    // Already at the head of history: nothing to record, so nothing to check.
    if (MListH->IndexOf(folder) == 0) return;
    FChecks.Check(folder, fcExists, [this, folder](bool exists) {
        if (!exists || !RecordVisit(*MListH, folder)) return;
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
        FChecks.Check(entry, fcExists, [this, entry, purge](bool exists) {
            if (MPurge.Answer(*MListH, entry, exists ? TFolderState::Exists : TFolderState::Gone, purge))
                HistoryChanged();
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
    if (FHistoryUnsaved) SaveQuietly([this] { SaveHistory(); });
    if (MUnsavedSize) SaveQuietly([this] {
        SettingsFile settings = OpenSettings();
        WriteSize(settings, *MUnsavedSize);
    });
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
    if (settings) WriteSize(*settings, size);
    SaveFavourites();
    SaveHistory();
}

void TListStore::Free()
{
    MListH.reset();
    MListF.reset();
}

void TListStore::SaveFavourites()
{
    // Favourites that were never loaded must not create the new file while an older one waits
    // to be moved: from then on the older file would be ignored and its entries lost.
    if (MListF->Loaded || !TextFileExists(UserDataDir + kOldFavouritesFileName))
        SaveListFile(*MListF, UserDataDir + kFavouritesFileName);
}

void TListStore::SaveHistory()
{
    SaveListFile(*MListH, UserDataDir + kHistoryFileName);
    FHistoryUnsaved = false;
}

void TListStore::WriteSize(SettingsFile& settings, TWindowSize size)
{
    settings.WriteInteger(kWindowSection, kHeightKey, size.Height);
    settings.WriteInteger(kWindowSection, kWidthKey, size.Width);
    settings.Save();
    MUnsavedSize.reset();
}

}  // namespace kestro
