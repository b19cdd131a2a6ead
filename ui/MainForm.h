#pragma once
// The tool window: follows file dialogs in standby mode, edits the folder lists in edit mode. It
// holds the window and its controls, hands its messages to the owners of everything else (the list
// store, the folder checks, the follower, the jumps and the Explorer tab) and shows what they hold.
#include <windows.h>

#include <memory>
#include <string>
#include <type_traits>
#include <vector>

#include "lists/FileError.h"
#include "ui/FormOwners.h"
#include "winutil/Handles.h"
#include "winutil/Timers.h"
#include "winutil/Timings.h"

namespace kestro {

// The menu font of the system, which every control of the window takes over.
struct TFormFont {
    int Points = 9;
    std::wstring Face = L"Segoe UI";
    UniqueFont Font;
};

class TMainForm {
public:
    explicit TMainForm(const TTimings& timings = TTimings{}) : FTimings(timings) {}
    TMainForm(const TMainForm&) = delete;
    TMainForm& operator=(const TMainForm&) = delete;
    ~TMainForm();

    // Creates the hidden window, owned by `appWindow`, and runs FormCreate.
    bool Create(HINSTANCE instance, HWND appWindow);
    // Key preview: lets FormKeyPress see the characters typed into any control of the window.
    // True when the message was consumed.
    bool PreviewMessage(MSG& msg);

private:
    static LRESULT CALLBACK WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    bool HandleCommand(WORD id, WORD code);
    bool HandleNotify(const NMHDR& header, LRESULT& result);
    // Runs an event handler; an error that escapes it is shown in an error box and the handler
    // stops there. Gives the handler's answer, or false after an error.
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
    void ApplyFont();
    void LayoutControls();
    void RescaleForDpi(UINT dpi, const RECT& suggested);

    // Handlers of the window itself (MainFormModes.cpp).
    void FormCreate();
    void FormShow();
    void FormHide();
    void FormResize();
    void FormExitSizeMove();
    bool FormCloseQuery();
    void FormEndSession();
    void FormDestroy();
    void FormKeyPress(wchar_t& key);
    void WMNCLButtonDblClk(WPARAM hitTest);
    void WMCopyData(const COPYDATASTRUCT* record);
    void TimerTimer();
    void WMWorkDone();
    // Shows what the owners changed while handling a message: the first name seen, history, the
    // Explorer windows' folders.
    void ShowChanges();
    void TabChanging();
    void TabChange();
    void TBHideClick();
    void RollUp();
    void Unroll();
    bool EditMode() const;
    void SetEditMode(bool edit);

    // List commands and what the list box shows (MainFormCommands.cpp).
    void TBAddClick();
    void TBDelClick();
    void TBUpClick();
    void TBDownClick();
    void MoveSelectedFavourite(int step);
    void ListBoxClick();
    void ListBoxDblClick();
    void StatusBarDblClick();
    // The folders the tab shown lists, as the owners hold them; the list box shows them.
    const std::vector<std::wstring>& TabEntries() const;
    // The entry selected in the list box; empty when none is.
    std::wstring SelectedEntry() const;
    void ShowTabEntries();

    const TTimings FTimings;
    HWND FHandle = nullptr;
    UINT FDpi = USER_DEFAULT_SCREEN_DPI;
    TFormFont FFont;

    HWND ToolBar = nullptr;
    HWND Tab = nullptr;
    HWND ListBox = nullptr;
    HWND StatusBar = nullptr;

    // The tab shown, as TabChange last found it.
    int FTab = 0;
    bool FShade = false;
    int MShadeH = 0;

    std::unique_ptr<TFormOwners> FOwners;
};

}  // namespace kestro
