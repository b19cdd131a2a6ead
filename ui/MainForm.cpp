#include "ui/MainForm.h"

#include <windows.h>
#include <commctrl.h>

#include "lists/FileError.h"
#include "ui/ControlIds.h"
#include "ui/ErrorBox.h"
#include "ui/FormNames.h"
#include "ui/Layout.h"

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
}  // namespace

TMainForm::~TMainForm()
{
    if (FHandle) ::DestroyWindow(FHandle);
}

bool TMainForm::Create(HINSTANCE instance, HWND appWindow)
{
    FApp = appWindow;
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &TMainForm::WindowProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // painted double-buffered in WM_PAINT
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
    SetCaption(kApplicationTitle);
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
    case WM_ERASEBKGND: EraseChildBackground(reinterpret_cast<HDC>(wParam)); return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = ::BeginPaint(FHandle, &ps);
        PaintBackground(dc);
        ::EndPaint(FHandle, &ps);
        return 0;
    }
    case WM_COMMAND:
        if (HandleCommand(LOWORD(wParam), HIWORD(wParam))) return 0;
        break;
    case WM_NOTIFY: {
        LRESULT result = 0;
        if (HandleNotify(*reinterpret_cast<NMHDR*>(lParam), result)) return result;
        break;
    }
    case WM_TIMER:
        if (wParam == kTimerId && FTimerOn) Guarded([this] { TimerTimer(); });
        if (wParam == kTimerId) ExplorerTabTimer();
        if (wParam == kSaveTimerId) SaveTimerTimer();
        if (wParam == kJumpBoundTimerId) Guarded([this] { MDialogWork->BoundReached(); });
        if (wParam == kRecheckTimerId) Guarded([this] { RecheckTimerTimer(); });
        return 0;
    case WM_EXITSIZEMOVE: FormExitSizeMove(); return 0;
    case WM_FOLLOWREQUEST: Guarded([&] { WMFollowRequest(wParam, lParam); }); return 0;
    case WM_WORKDONE: Guarded([this] { WMWorkDone(); }); return 0;
    // The list is what the keyboard works on, so it gets the focus each time the window does.
    case WM_SETFOCUS: ::SetFocus(ListBox); return 0;
    case WM_NCLBUTTONDBLCLK: WMNCLButtonDblClk(wParam); break;
    case WM_COPYDATA: Guarded([&] { WMCopyData(reinterpret_cast<const COPYDATASTRUCT*>(lParam)); }); return 0;
    case WM_CLOSE:
        if (Guarded([this] { return FormCloseQuery(); })) ::DestroyWindow(FHandle);
        return 0;
    case WM_QUERYENDSESSION: return Guarded([this] { return FormCloseQuery(); }) ? TRUE : FALSE;
    case WM_DESTROY:
        ::KillTimer(FHandle, kTimerId);
        ::KillTimer(FHandle, kSaveTimerId);
        ::KillTimer(FHandle, kJumpBoundTimerId);
        MEvents.reset();
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
    ShowErrorBox(Visible() ? FHandle : FApp, error.Message());
}

void TMainForm::CreateControls()
{
    FDpi = ::GetDpiForWindow(FHandle);
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(FHandle, GWLP_HINSTANCE));
    CreateToolBar();
    Tab = ::CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_MULTILINE | TCS_TABS,
                            0, 0, 0, 0, FHandle, reinterpret_cast<HMENU>(idTab), instance, nullptr);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(L"お気に入り");
    ::SendMessageW(Tab, TCM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<wchar_t*>(L"履歴");
    ::SendMessageW(Tab, TCM_INSERTITEMW, 1, reinterpret_cast<LPARAM>(&item));
    item.pszText = const_cast<wchar_t*>(L"エクスプローラー");
    ::SendMessageW(Tab, TCM_INSERTITEMW, kExplorerTab, reinterpret_cast<LPARAM>(&item));
    // The list box sits over the tab control's display area, above it in the z-order.
    ListBox = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, L"ListBox", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT, 0, 0, 0, 0,
        FHandle, reinterpret_cast<HMENU>(idListBox), instance, nullptr);
    ::SetWindowPos(ListBox, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    StatusBar =
        ::CreateWindowExW(0, STATUSCLASSNAMEW, L"",
                          WS_CHILD | WS_VISIBLE | SBARS_SIZEGRIP | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER, 0,
                          0, 0, 0, FHandle, reinterpret_cast<HMENU>(idStatusBar), instance, nullptr);
    ApplyFont();
    RECT frame = {0, 0, ScaleForDpi(kDesignClientWidth, FDpi), ScaleForDpi(kDesignClientHeight, FDpi)};
    ::AdjustWindowRectExForDpi(&frame, kFormStyle, FALSE, kFormExStyle, FDpi);
    ::SetWindowPos(FHandle, nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    LayoutControls();
    CreateTimer();
    CreateBackgroundWork();
    MEvents = std::make_unique<TDialogEvents>(FHandle, WM_FOLLOWREQUEST, kRecheckTimerId);
}

void TMainForm::CreateToolBar()
{
    const HINSTANCE instance = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrW(FHandle, GWLP_HINSTANCE));
    ToolBar = ::CreateWindowExW(0, TOOLBARCLASSNAMEW, L"",
                                WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TBSTYLE_FLAT | TBSTYLE_LIST |
                                    TBSTYLE_TRANSPARENT | CCS_NODIVIDER | CCS_NOPARENTALIGN | CCS_NORESIZE,
                                0, 0, 0, 0, FHandle, reinterpret_cast<HMENU>(idToolBar), instance, nullptr);
    ::SendMessageW(ToolBar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    // Text-only buttons: no image list and a zero bitmap size.
    ::SendMessageW(ToolBar, TB_SETBITMAPSIZE, 0, MAKELPARAM(0, 0));
    for (const TToolButtonDef& def : kToolButtons) {
        TBBUTTON button = {};
        button.idCommand = def.Command;
        if (def.Caption) {
            button.iBitmap = I_IMAGENONE;
            button.fsState = TBSTATE_ENABLED;
            button.fsStyle = BTNS_BUTTON | BTNS_AUTOSIZE | BTNS_SHOWTEXT;
            button.iString = reinterpret_cast<INT_PTR>(def.Caption);
        } else {
            button.iBitmap = ScaleForDpi(kDesignSeparatorWidth, FDpi);
            button.fsStyle = BTNS_SEP;
        }
        ::SendMessageW(ToolBar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
}

void TMainForm::ApplyFont()
{
    LOGFONTW font = {};
    font.lfHeight = -::MulDiv(FFontPoints, static_cast<int>(FDpi), 72);
    font.lfCharSet = DEFAULT_CHARSET;
    font.lfQuality = DEFAULT_QUALITY;
    wcsncpy_s(font.lfFaceName, FFontFace.c_str(), _TRUNCATE);
    UniqueFont newFont(::CreateFontIndirectW(&font));
    for (HWND control : {ToolBar, Tab, ListBox, StatusBar})
        ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(newFont.get()), TRUE);
    FFont = std::move(newFont);
    ::SendMessageW(ToolBar, TB_SETBUTTONSIZE, 0,
                   MAKELPARAM(ScaleForDpi(kDesignButtonWidth, FDpi), ScaleForDpi(kDesignButtonHeight, FDpi)));
    ::SendMessageW(ToolBar, TB_AUTOSIZE, 0, 0);
}

int TMainForm::Scale(int designPixels) const
{
    return ScaleForDpi(designPixels, FDpi);
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

void TMainForm::EraseChildBackground(HDC dc)
{
    // Transparent controls (the tool bar) ask for the form's background under them; the form's
    // own background is painted off-screen in WM_PAINT instead.
    // Such a control hands over its own DC, moved to the form's coordinates and clipped to it.
    if (::WindowFromDC(dc) == FHandle) return;
    RECT client;
    ::GetClientRect(FHandle, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
}

void TMainForm::PaintBackground(HDC dc)
{
    RECT client;
    ::GetClientRect(FHandle, &client);
    // Drawn off-screen first so that resizing does not flicker.
    HDC memory = ::CreateCompatibleDC(dc);
    UniqueGdiObject bitmap(::CreateCompatibleBitmap(dc, client.right, client.bottom));
    {
        TSelectObject select(memory, bitmap.get());
        ::FillRect(memory, &client, ::GetSysColorBrush(COLOR_BTNFACE));
        ::BitBlt(dc, 0, 0, client.right, client.bottom, memory, 0, 0, SRCCOPY);
    }
    ::DeleteDC(memory);
}

}  // namespace kestro
