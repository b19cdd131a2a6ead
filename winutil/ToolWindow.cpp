#include "winutil/ToolWindow.h"

#include "winutil/Handles.h"

namespace kestro {

namespace {
constexpr UINT kRestackFlags = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE;
// The toolkit's default font, in which list widths have always been measured.
constexpr int kMeasurePoints = 9;
constexpr wchar_t kMeasureFace[] = L"Segoe UI";

UniqueFont CreateMeasureFont(UINT dpi)
{
    return UniqueFont(::CreateFontW(-::MulDiv(kMeasurePoints, static_cast<int>(dpi), 72), 0, 0, 0, FW_NORMAL, FALSE,
                                    FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                    DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, kMeasureFace));
}
}  // namespace

void ShowOnTopInactive(HWND wnd)
{
    ::ShowWindow(wnd, SW_SHOWNOACTIVATE);
    ::SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, kRestackFlags);
}

void KeepOnTop(HWND wnd)
{
    // Leaving the topmost band and coming back restacks the window.
    ::SetWindowPos(wnd, HWND_NOTOPMOST, 0, 0, 0, 0, kRestackFlags);
    ::SetWindowPos(wnd, HWND_TOPMOST, 0, 0, 0, 0, kRestackFlags);
}

bool IsAbove(HWND upper, HWND lower)
{
    for (HWND wnd = ::GetWindow(lower, GW_HWNDPREV); wnd; wnd = ::GetWindow(wnd, GW_HWNDPREV))
        if (wnd == upper) return true;
    return false;
}

void FillWithFaceColour(HWND wnd, HDC dc)
{
    RECT client;
    ::GetClientRect(wnd, &client);
    ::FillRect(dc, &client, ::GetSysColorBrush(COLOR_BTNFACE));
}

std::wstring WindowText(HWND wnd)
{
    const int length = ::GetWindowTextLengthW(wnd);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(wnd, text.data(), length + 1)));
    return text;
}

void SetCaptionIfChanged(HWND wnd, const std::wstring& caption)
{
    if (caption != WindowText(wnd)) ::SetWindowTextW(wnd, caption.c_str());
}

void FillListBox(HWND listBox, const std::vector<std::wstring>& items)
{
    ::SendMessageW(listBox, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(listBox, LB_RESETCONTENT, 0, 0);
    for (const std::wstring& item : items)
        ::SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    ::SendMessageW(listBox, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(listBox, nullptr, TRUE);
    FitListExtent(listBox);
}

std::wstring ListBoxText(HWND listBox, int index)
{
    const LRESULT length = ::SendMessageW(listBox, LB_GETTEXTLEN, index, 0);
    if (length <= 0) return {};
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied = ::SendMessageW(listBox, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

int ListBoxSelection(HWND listBox)
{
    return static_cast<int>(::SendMessageW(listBox, LB_GETCURSEL, 0, 0));
}

void SelectListBoxEntry(HWND listBox, int index)
{
    ::SendMessageW(listBox, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void FitListExtent(HWND listBox)
{
    const LRESULT count = ::SendMessageW(listBox, LB_GETCOUNT, 0, 0);
    int widest = 0;
    if (count > 0) {
        const TWindowDC dc(listBox);
        const UniqueFont font = CreateMeasureFont(::GetDpiForWindow(listBox));
        const TSelectObject selected(dc.get(), font.get());
        for (int i = 0; i < count; ++i) {
            const std::wstring text = ListBoxText(listBox, i);
            SIZE size = {};
            ::GetTextExtentPoint32W(dc.get(), text.c_str(), static_cast<int>(text.size()), &size);
            if (size.cx > widest) widest = size.cx;
        }
    }
    ::SendMessageW(listBox, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(widest) * 2, 0);
}

}  // namespace kestro
