#include <windows.h>

#include <optional>

#include "lists/SettingsFile.h"
#include "lists/TextFile.h"
#include "ui/ControlIds.h"
#include "ui/FormNames.h"
#include "ui/Layout.h"
#include "ui/MainForm.h"
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
}  // namespace

void TMainForm::LoadSettings()
{
    const SettingsFile settings = SettingsFile::Open(UserDataDir + kSettingsFileName);
    // The file holds the size at the system's scale; the window may be on another monitor.
    const UINT system = ::GetDpiForSystem();
    auto read = [&](const wchar_t* key, int current) {
        return RescalePixels(settings.ReadInteger(kWindowSection, key, RescalePixels(current, FDpi, system)), system,
                             FDpi);
    };
    SetOuterHeight(read(kHeightKey, OuterHeight()));
    SetOuterWidth(read(kWidthKey, OuterWidth()));
}

void TMainForm::LoadLists()
{
    const std::wstring favourites = UserDataDir + kFavouritesFileName;
    const std::wstring oldFavourites = UserDataDir + kOldFavouritesFileName;
    // MoveFileW never replaces: with both files present the old one stays and is ignored.
    if (TextFileExists(oldFavourites)) ::MoveFileW(oldFavourites.c_str(), favourites.c_str());
    if (TextFileExists(favourites)) {
        LoadListFile(*MListF, favourites);
        FillListBox(MListF->Items);
    } else {
        MListF->Loaded = true;
        ShowWelcome();
    }
    LoadListFile(*MListH, UserDataDir + kHistoryFileName);
}

void TMainForm::ShowWelcome()
{
    const std::wstring text = std::wstring(kApplicationTitle) +
                              L"をご利用いただきましてありがとうございます。\r\n"
                              L"フォルダを登録してください。\r\n"
                              L"再度実行すると待機中のウィンドウが表示されます。";
    ::MessageBoxW(FApp, text.c_str(), kApplicationTitle, MB_OK);
}

void TMainForm::SaveSettingsAndLists()
{
    SaveSettings();
    SaveFavourites();
    SaveHistory();
}

void TMainForm::SaveFavourites()
{
    // Favourites that were never loaded must not create the new file while an older one waits
    // to be moved: from then on the older file would be ignored and its entries lost.
    if (MListF->Loaded || !TextFileExists(UserDataDir + kOldFavouritesFileName))
        SaveListFile(*MListF, UserDataDir + kFavouritesFileName);
}

void TMainForm::SaveHistory()
{
    SaveListFile(*MListH, UserDataDir + kHistoryFileName);
    FHistoryChanged = false;
}

void TMainForm::SaveSettings()
{
    std::optional<SettingsFile> settings;
    try {
        settings = SettingsFile::Open(UserDataDir + kSettingsFileName);
    } catch (const EFileError& error) {
        // A settings file that cannot be read is left as it is; the lists are still saved
        // and the window still closes, so that no change to them is lost.
        ReportError(error);
        return;
    }
    WriteSize(*settings);
}

void TMainForm::WriteSize(SettingsFile& settings)
{
    // Saved as at the system's scale, at which the next start applies it: a window closed on a
    // monitor of another scale would otherwise grow or shrink at every start.
    const UINT system = ::GetDpiForSystem();
    settings.WriteInteger(kWindowSection, kHeightKey, RescalePixels(OuterHeight(), FDpi, system));
    settings.WriteInteger(kWindowSection, kWidthKey, RescalePixels(OuterWidth(), FDpi, system));
    settings.Save();
    FSizeChanged = false;
}

void TMainForm::FavouritesChanged()
{
    SaveQuietly([this] { SaveFavourites(); });
}

void TMainForm::HistoryChanged()
{
    FHistoryChanged = true;
    ScheduleSave();
}

void TMainForm::FormExitSizeMove()
{
    // The rolled-up height is no size to keep.
    if (FShade) return;
    FSizeChanged = true;
    ScheduleSave();
}

void TMainForm::ScheduleSave()
{
    // A burst of changes is written once, shortly after the first of them: a timer already set
    // is not put off.
    if (!FSaveScheduled) FSaveScheduled = ::SetTimer(FHandle, kSaveTimerId, kSaveDelayMs, nullptr) != 0;
}

void TMainForm::SaveTimerTimer()
{
    ::KillTimer(FHandle, kSaveTimerId);
    FSaveScheduled = false;
    if (FHistoryChanged) SaveQuietly([this] { SaveHistory(); });
    if (FSizeChanged && !FShade)
        SaveQuietly([this] {
            SettingsFile settings = SettingsFile::Open(UserDataDir + kSettingsFileName);
            WriteSize(settings);
        });
}

void TMainForm::SaveQuietly(const std::function<void()>& save)
{
    // Between start and close a write that fails shows nothing while the user works elsewhere:
    // the change stays in memory, and the next change or the close writes it again.
    try {
        save();
    } catch (const EFileError&) {
    }
}

}  // namespace kestro
