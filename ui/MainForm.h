#pragma once
// The tool window: follows file dialogs in standby mode, edits the folder lists in edit mode.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "lists/FileError.h"
#include "lists/FolderList.h"
#include "lists/SettingsFile.h"
#include "winutil/BackgroundWork.h"
#include "winutil/Handles.h"

namespace kestro {

class TMainForm {
public:
    TMainForm() = default;
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;
    ~TMainForm();

    // Creates the hidden window, owned by `appWindow`, and runs FormCreate.
    bool Create(HINSTANCE instance, HWND appWindow);
    HWND Handle() const { return FHandle; }
    // Key preview: lets FormKeyPress see the characters typed into any control of the window.
    // True when the message was consumed.
    bool PreviewMessage(MSG& msg);

private:
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(WORD id, WORD code);
    bool HandleNotify(const NMHDR& header, LRESULT& result);
    // Runs an event handler; an error that escapes it is shown in an error box and the
    // handler stops there. Gives the handler's answer, or false after an error.
    template <typename F>
    bool Guarded(F handler)
    {
        try {
            if constexpr (std::is_same_v<decltype(handler()), bool>) {
                return handler();
            } else {
                handler();
                return true;
            }
        } catch (const EFileError& error) {
            ReportError(error);
            return false;
        }
    }
    void ReportError(const EFileError& error);

    // Creation and layout (MainForm.cpp).
    void CreateControls();
    void CreateToolBar();
    void ApplyFont();
    void LayoutControls();
    int Scale(int designPixels) const;
    void RescaleForDpi(UINT dpi, const RECT& suggested);
    void PaintBackground(HDC dc);
    void EraseChildBackground(HDC dc);

    // Handlers of the window itself (MainFormModes.cpp).
    void FormCreate();
    void TakeOverMenuFont();
    void FormShow();
    void FormHide();
    void FormResize();
    bool FormCloseQuery();
    void FormDestroy();
    void FormKeyPress(wchar_t& key);
    void WMNCLButtonDblClk(WPARAM hitTest);
    void WMCopyData(const COPYDATASTRUCT* record);
    void ShowForEditing();
    void TabChanging();
    void TabChange();
    void TBHideClick();
    void RollUp();
    void Unroll();
    void EnterEditMode();

    // Loading and saving (MainFormFiles.cpp).
    void LoadSettings();
    void LoadLists();
    void SaveSettingsAndLists();
    void SaveFavourites();
    void SaveHistory();
    void SaveSettings();
    void WriteSize(SettingsFile& settings);
    void ShowWelcome();
    // Writes soon after a change, so that a kill or a crash loses nothing.
    void FavouritesChanged();
    void HistoryChanged();
    void FormExitSizeMove();
    void ScheduleSave();
    void SaveTimerTimer();
    void SaveQuietly(const std::function<void()>& save);

    // List commands (MainFormCommands.cpp).
    void TBAddClick();
    void TBDelClick();
    void TBUpClick();
    void TBDownClick();
    void ListBoxDblClick();
    void MoveSelectedFavourite(int step);
    void CopyListBoxToFavourites();
    std::wstring SelectedEntry() const;

    // The dialog follower (MainFormFollower.cpp).
    void TimerTimer();
    void AlignOnDialog(HWND dialog);
    std::wstring OwnerPath(HWND dialog);
    void ReadDialog();
    bool CaptureFileName();
    bool CaptureCurrentFolder();

    // Folder checks, made on worker threads (MainFormChecks.cpp).
    enum TFolderCheck { fcExists, fcReachable };
    void CheckFolder(const std::wstring& path, TFolderCheck check, std::function<void(bool)> answer);
    void RecordShownFolder(const std::wstring& folder);
    void PurgeMissingFolder(const std::wstring& folder);

    // The tab of the folders open in Explorer (MainFormExplorer.cpp).
    void ReadExplorerFolders();
    void ExplorerFoldersRead(const std::vector<std::wstring>& folders, ULONGLONG started);
    void ExplorerTabTimer();

    // The folder jump (MainFormJump.cpp).
    void ListBoxClick();
    void JumpToSelected();
    void StatusBarDblClick();
    bool DialogTakesInput() const;
    void RunOnDialog(std::function<void()> work);
    void DialogWorkDone();
    bool JumpStillWanted(HWND dialog, ULONGLONG asked) const;
    void WMWorkDone();

    // Window events that make the follower act before the next tick (MainFormEvents.cpp).
    enum TFollowRequest : WPARAM { frTick, frAlign };
    static void CALLBACK FollowEventProc(HWINEVENTHOOK hook, DWORD event, HWND wnd, LONG object,
                                         LONG child, DWORD thread, DWORD time);
    void HookForegroundEvents();
    void WatchDialog(HWND dialog);
    void UnhookEvents();
    void FollowEvent(DWORD event, HWND wnd);
    void RequestFollow(TFollowRequest request);
    void WMFollowRequest(WPARAM request);

    // Window operations other parts use.
    void Show();
    void Hide();
    void KeepOnTop();
    bool Visible() const;
    bool EditMode() const;
    std::wstring Caption() const;
    void SetCaption(const std::wstring& caption);
    void SetStatusText(const std::wstring& text);
    std::wstring StatusText() const;
    int OuterHeight() const;
    int OuterWidth() const;
    void SetOuterHeight(int height);
    void SetOuterWidth(int width);
    void SetTabIndex(int index);
    int TabIndex() const;
    void FillListBox(const std::vector<std::wstring>& items);
    std::vector<std::wstring> ListBoxItems() const;
    int ListBoxSelection() const;
    std::wstring ListBoxItem(int index) const;
    void SetToolBarVisible(bool visible);
    void CreateTimer();
    void CreateBackgroundWork();
    void StartTimer();
    void StopTimer();

    HWND FHandle = nullptr;
    HWND FApp = nullptr;
    UINT FDpi = USER_DEFAULT_SCREEN_DPI;
    int FFontPoints = 9;
    std::wstring FFontFace = L"Segoe UI";
    UniqueFont FFont;

    HWND ToolBar = nullptr;
    HWND Tab = nullptr;
    HWND ListBox = nullptr;
    HWND StatusBar = nullptr;

    std::unique_ptr<TFolderList> MListH;
    std::unique_ptr<TFolderList> MListF;
    bool FShade = false;
    int MShadeH = 0;
    HWND MDlg = nullptr;
    HWND MEdt = nullptr;
    std::wstring MTxt;

    // The timer is on except while a tick or a jump holds the thread; window events wait for it
    // as ticks do.
    bool FTimerOn = false;
    // The owner's executable path of the dialog last followed, looked up once per dialog.
    struct TOwnerPath {
        HWND Dialog = nullptr;
        DWORD Process = 0;
        std::wstring Path;
    } MOwner;
    // A followed dialog whose thread did not answer a read: it is not waited on again until it
    // answers a quick check.
    HWND MSilentDlg = nullptr;
    UniqueWinEventHook MForegroundHook;
    // Hooks on the followed dialog's thread: its destruction or hiding, and its moves.
    HWND MWatchedDlg = nullptr;
    UniqueWinEventHook MDialogGoneHook;
    UniqueWinEventHook MDialogMoveHook;
    bool FTickRequested = false;
    bool FAlignRequested = false;
    // Work on other programs' windows, off the window's thread: one jump at a time.
    std::unique_ptr<TBackgroundWork> MDialogWork;
    bool FJumping = false;
    // A folder check stuck on a slow share holds one of a few threads; further checks wait, and
    // a path already being checked is not checked twice: its callers wait for the one answer.
    std::unique_ptr<TBackgroundWork> MFolderChecks;
    std::map<std::wstring, std::vector<std::function<void(bool)>>> MPendingChecks;
    // The Explorer tab's entries as last read, and when the last read started.
    std::unique_ptr<TBackgroundWork> MExplorerReads;
    std::vector<std::wstring> MExplorerFolders;
    bool FExplorerReading = false;
    ULONGLONG MExplorerReadLast = 0;
    bool FShellListImplemented = true;
    // Counts the jumps asked for: one still waiting for its check is dropped by a newer one.
    unsigned MJumpNumber = 0;
    // Changes not yet written; the save timer writes them.
    bool FHistoryChanged = false;
    bool FSizeChanged = false;
    bool FSaveScheduled = false;
    // Creation has run to its end. A second start relayed while a box of FormCreate waits (the
    // welcome, an unreadable file) is acted on only then, or creation would hide the tool bar
    // of the window it had just shown.
    bool FCreated = false;
    bool FShowRequested = false;
};

}  // namespace kestro
