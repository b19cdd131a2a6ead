#include "ui/MainForm.h"

#include <windows.h>
#include <commctrl.h>

#include <utility>

#include "lists/FileError.h"
#include "ui/ControlIds.h"
#include "ui/ErrorBox.h"
#include "ui/FormNames.h"
#include "ui/Layout.h"
#include "winutil/ToolWindow.h"

namespace kestro {

namespace {
constexpr DWORD kFormStyle = WS_CAPTION | WS_THICKFRAME | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kFormExStyle = WS_EX_TOOLWINDOW;

struct TToolButtonDef {
    int Command;
    const wchar_t* Caption;  // nullptr: a separator
};
constexpr TToolButtonDef kToolButtons[] = {
    {idTBAdd, L"追加"},  {idTBDel, L"削除"},       {idToolButton1, nullptr}, {idTBUp, L"上に"},
    {idTBDown, L"下に"}, {idToolButton3, nullptr}, {idTBHide, L"待機"},
};

HINSTANCE InstanceOf(HWND wnd)
{
    return reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(wnd, GWLP_HINSTANCE));
}

HWND CreateControl(HWND parent, DWORD exStyle, const wchar_t* className, DWORD style, int id)
{
    return ::CreateWindowExW(exStyle, className, L"", WS_CHILD | WS_VISIBLE | style, 0, 0, 0, 0, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), InstanceOf(parent), nullptr);
}

HWND CreateToolBar(HWND parent, UINT dpi)
{
    HWND bar = CreateControl(parent, 0, TOOLBARCLASSNAMEW,
                             WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST | TBSTYLE_TRANSPARENT | CCS_NODIVIDER |
                                 CCS_NOPARENTALIGN | CCS_NORESIZE,
                             idToolBar);
    ::SendMessageW(bar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Text-only buttons: no image list and a zero bitmap size.
    ::SendMessageW(bar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    for (const TToolButtonDef& def : kToolButtons) {
        TBBUTTON button = {};
        button.idCommand = def.Command;
        if (def.Caption) {
            button.iBitmap = I_IMAGENONE;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
            button.iString = reinterpret_cast<INT_PTR>(def.Caption);
        } else {
            button.iBitmap = ScaleForDpi(kDesignSeparatorWidth, dpi);
            button.fsStyle = BTNS_SEP;
        }
        ::SendMessageW(bar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    return bar;
}

HWND CreateTabs(HWND parent)
{
    HWND tab = CreateControl(parent, 0, WC_TABCONTROLW, WS_CLIPSIBLINGS | TCS_MULTILINE | TCS_TABS, idTab);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    const std::pair<int, const wchar_t*> captions[] = {
        {tabFavourites, L"お気に入り"}, {tabHistory, L"履歴"}, {tabExplorer, L"エクスプローラー"}};
    for (const auto& [index, caption] : captions) {
        item.pszText = const_cast<wchar_t*>(caption);
        ::SendMessageW(tab, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item));
    }
    return tab;
}
}  // namespace

TMainForm::~TMainForm()
{
    if (FHandle) ::DestroyWindow(FHandle);
}

bool TMainForm::Create(HINSTANCE instance, HWND appWindow)
{
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TMainForm::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // WM_ERASEBKGND paints it
    wc.lpszClassName = kMainWindowClass;
    ::RegisterClassExW(&wc);

    // Without its caption until creation is over: a second start finds the window by it, and a
    // relay taken while the welcome box waits would be undone by the rest of creation.
    if (!::CreateWindowExW(kFormExStyle, kMainWindowClass, L"", kFormStyle, 0, 0, kDesignClientWidth,
                           kDesignClientHeight, appWindow, nullptr, instance, this))
        return false;
    // A second start at a lower integrity level than ours (we run as administrator) must still
    // reach us, or it could not call up this instance.
    ::ChangeWindowMessageFilterEx(FHandle, WM_COPYDATA, MSGFLT_ALLOW, nullptr);
    // Always on top from creation, so it stays above the file dialogs it follows.
    ::SetWindowPos(FHandle, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    Guarded([this] { FormCreate(); });
    ::SetWindowTextW(FHandle, kApplicationTitle);
    return true;
}

LRESULT CALLBACK TMainForm::WindowProc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // The object is known from WM_NCCREATE on, so early messages reach it too.
    if (message == WM_NCCREATE) {
        auto* form = static_cast<TMainForm*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->FHandle = wnd;
        ::SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<TMainForm*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
    if (!form) return ::DefWindowProcW(wnd, message, wParam, lParam);
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: CreateControls(); return 0;
    case WM_SHOWWINDOW:
        if (lParam == 0) Guarded([&] { wParam ? FormShow() : FormHide(); });
        break;
    case WM_SIZE:
        LayoutControls();
        Guarded([this] { FormResize(); });
        return 0;
    case WM_DPICHANGED: RescaleForDpi(HIWORD(wParam), *reinterpret_cast<RECT*>(lParam)); return 0;
    // Transparent controls (the tool bar) ask for the form's background under them too, with
    // their own DC moved to the form's coordinates and clipped to them.
    case WM_ERASEBKGND: FillWithFaceColour(FHandle, reinterpret_cast<HDC>(wParam)); return 1;
    case WM_COMMAND:
        if (HandleCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (HandleNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
        break;
    }
    case WM_TIMER:
        if (wParam == kTimerId) TimerTimer();
        if (wParam == kSaveTimerId) FOwners->Store.SaveDue();
        if (wParam == kJumpBoundTimerId) FOwners->Jump.BoundReached();
        if (wParam == kRecheckTimerId) FOwners->Follower.RecheckDue();
        if (wParam == kBrowseBoundTimerId) FOwners->BrowseJump.BoundReached();
        ShowChanges();
        return 0;
    case WM_EXITSIZEMOVE: FormExitSizeMove(); return 0;
    case WM_FOLLOWREQUEST:
        FOwners->Follower.EventPosted(static_cast<TDialogEvents::TRequest>(wParam), reinterpret_cast<HWND>(lParam));
        ShowChanges();
        return 0;
    case WM_WORKDONE:
        Guarded([this] { WMWorkDone(); });
        ShowChanges();
        return 0;
    // The list is what the keyboard works on, so it gets the focus each time the window does.
    case WM_SETFOCUS: ::SetFocus(ListBox); return 0;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(wParam); break;
    case WM_COPYDATA: Guarded([&] { WMCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam)); }); return 0;
    case WM_CLOSE:
        if (Guarded([this] { return FormCloseQuery(); })) ::DestroyWindow(FHandle);
        return 0;
    // An end that cannot be refused is not held up by a box: WM_ENDSESSION then writes quietly.
    case WM_QUERYENDSESSION:
        return (lParam & ENDSESSION_CRITICAL) || Guarded([this] { return FormCloseQuery(); }) ? TRUE : FALSE;
    case WM_ENDSESSION:
        if (wParam) FormEndSession();
        return 0;
    case WM_DESTROY:
        FOwners->Timers.StopTimer(kTimerId);
        FormDestroy();
        ::PostQuitMessage(0);
        return 0;
    case WM_NCDESTROY:
        ::SetWindowLongPtrW(FHandle, GWLP_USERDATA, 0);
        FHandle = nullptr;
        return 0;
    default: break;
    }
    return ::DefWindowProcW(FHandle, message, wParam, lParam);
}

bool TMainForm::HandleCommand(WORD id, WORD code)
{
    switch (id) {
    case idTBAdd: Guarded([this] { TBAddClick(); }); return true;
    case idTBDel: Guarded([this] { TBDelClick(); }); return true;
    case idTBUp: Guarded([this] { TBUpClick(); }); return true;
    case idTBDown: Guarded([this] { TBDownClick(); }); return true;
    case idTBHide: Guarded([this] { TBHideClick(); }); return true;
    case idListBox:
        if (code == LBN_SELCHANGE) Guarded([this] { ListBoxClick(); });
        if (code == LBN_DBLCLK) Guarded([this] { ListBoxDblClick(); });
        return true;
    default: return false;
    }
}

bool TMainForm::HandleNotify(const NMHDR& header, LRESULT& result)
{
    if (header.hwndFrom == Tab && header.code == TCN_SELCHANGING) {
        Guarded([this] { TabChanging(); });
        result = FALSE;  // the switch is always allowed
        return true;
    }
    if (header.hwndFrom == Tab && header.code == TCN_SELCHANGE) {
        Guarded([this] { TabChange(); });
        return true;
    }
    if (header.hwndFrom == StatusBar && header.code == NM_DBLCLK) {
        Guarded([this] { StatusBarDblClick(); });
        return true;
    }
    return false;
}

void TMainForm::ReportError(const EFileError& error)
{
    // While the window is hidden the box belongs to the hidden application window, the owner.
    ShowErrorBox(::IsWindowVisible(FHandle) ? FHandle : ::GetWindow(FHandle, GW_OWNER), error.Message());
}

void TMainForm::CreateControls()
{
    FDpi = ::GetDpiForWindow(FHandle);
    ToolBar = CreateToolBar(FHandle, FDpi);
    Tab = CreateTabs(FHandle);
    // The list box sits over the tab control's display area, above it in the z-order.
    ListBox = CreateControl(FHandle, WS_EX_CLIENTEDGE, L"ListBox",
                            WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, idListBox);
    ::SetWindowPos(ListBox, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    StatusBar = CreateControl(FHandle, 0, STATUSCLASSNAMEW,
                              SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, idStatusBar);
    ApplyFont();
    RECT frame = {0, 0, ScaleForDpi(kDesignClientWidth, FDpi), ScaleForDpi(kDesignClientHeight, FDpi)};
    ::AdjustWindowRectExForDpi(&frame, kFormStyle, FALSE, kFormExStyle, FDpi);
    ::SetWindowPos(FHandle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
    FOwners = std::make_unique<TFormOwners>(FHandle, FTimings);
    FOwners->Timers.StartTimer(kTimerId, FTimings.TickMs);
}

void TMainForm::ApplyFont()
{
    LOGFONTW font = {};
    font.lfHeight = -::MulDiv(FFont.Points, static_cast<int>(FDpi), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy_s(font.lfFaceName, FFont.Face.c_str(), _TRUNCATE);
    UniqueFont newFont(::CreateFontIndirectW(&font));
    for (HWND control : {ToolBar, Tab, ListBox, StatusBar})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(newFont.get()), TRUE);
    FFont.Font = std::move(newFont);
    ::SendMessageW(ToolBar, TB_SETBUTTONSIZE, 0,
                   MAKELPARAM(ScaleForDpi(kDesignButtonWidth, FDpi), ScaleForDpi(kDesignButtonHeight, FDpi)));
    ::SendMessageW(ToolBar, TB_AUTOSIZE, 0, 0);
}

void TMainForm::LayoutControls()
{
    if (!Tab) return;
    RECT client;
    ::GetClientRect(FHandle, &client);
    // The status line is shown exactly while the tool bar is hidden.
    const TFormLayout layout = ComputeFormLayout(client.right, client.bottom, EditMode(), !EditMode(), FDpi);
    auto place = [](HWND wnd, const RECT& r) {
        ::SetWindowPos(wnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
    };
    place(ToolBar, layout.ToolBar);
    place(StatusBar, layout.StatusBar);
    place(Tab, layout.Tab);
    RECT display = {0, 0, layout.Tab.right - layout.Tab.left, layout.Tab.bottom - layout.Tab.top};
    ::SendMessageW(Tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    ::OffsetRect(&display, layout.Tab.left, layout.Tab.top);
    if (display.bottom < display.top) display.bottom = display.top;
    place(ListBox, display);
}

void TMainForm::RescaleForDpi(UINT dpi, const RECT& suggested)
{
    FDpi = dpi;
    ApplyFont();
    ::SetWindowPos(FHandle, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                   suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
}

}  // namespace kestro
