#include "winutil/Placement.h"

#include <shellapi.h>

namespace kestro {

namespace {
// The work area, or the primary screen when the system cannot say, so that a placement never
// computes against an empty rectangle.
RECT ReadWorkArea()
{
    RECT area = {};
    if (!::SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0))
        area = {0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
    return area;
}

void PlaceIn(HWND wnd, const RECT& area, int code, TAreaKind kind)
{
    TBounds current = {};
    if (!GetWindowBounds(wnd, current.Left, current.Top, current.Width, current.Height)) return;
    const TBounds placed = ComputePlacement(area, current, code, kind);
    ::MoveWindow(wnd, placed.Left, placed.Top, placed.Width, placed.Height, TRUE);
}
}  // namespace

TBounds ComputePlacement(const RECT& area, const TBounds& current, int code, TAreaKind kind)
{
    const int L = area.left, T = area.top, R = area.right, B = area.bottom;
    const int w = current.Width, h = current.Height;
    TBounds b = current;
    // The centre and the halves measure from the screen origin, not from L and T: with a
    // taskbar at the left or top they sit where users of the tool have always found them.
    switch (code) {
    case wpFullHeight:
        b.Top = T;
        b.Height = B - T;
        break;
    case wpFullWidth:
        b.Left = L;
        b.Width = R - L;
        break;
    case wpTop: b.Top = T; break;
    case wpBottom: b.Top = B - h; break;
    case wpLeft: b.Left = L; break;
    case wpRight: b.Left = R - w; break;
    case wpTopLeft:
        b.Left = L;
        b.Top = T;
        break;
    case wpTopRight:
        b.Left = R - w;
        b.Top = T;
        break;
    case wpBottomLeft:
        b.Left = L;
        b.Top = B - h;
        break;
    case wpBottomRight:
        b.Left = R - w;
        b.Top = B - h;
        break;
    case wpCenter:
        b.Left = (R - w) / 2;
        b.Top = kind == TAreaKind::WorkArea ? (T + B - h) / 2 : (B - h) / 2;
        break;
    case wpTopHalf: b = {L, T, R, B / 2}; break;
    case wpBottomHalf: b = {L, B / 2, R, B / 2}; break;
    case wpLeftHalf: b = {L, T, R / 2, B - T}; break;
    case wpRightHalf: b = {R / 2, T, R / 2, B - T}; break;
    default: break;
    }
    return b;
}

int TaskbarEdgeFromAppBarEdge(UINT appBarEdge)
{
    switch (appBarEdge) {
    case ABE_LEFT: return 2;
    case ABE_TOP: return 0;
    case ABE_RIGHT: return 3;
    case ABE_BOTTOM: return 1;
    default: return -1;
    }
}

RECT GrowOverTaskbar(RECT workArea, int edge, const RECT& taskbar)
{
    // Top and left subtract the taskbar's far coordinate, which equals its size for a taskbar
    // at the screen origin.
    switch (edge) {
    case 0: workArea.top -= taskbar.bottom; break;
    case 1: workArea.bottom += taskbar.bottom - taskbar.top; break;
    case 2: workArea.left -= taskbar.right; break;
    case 3: workArea.right += taskbar.right - taskbar.left; break;
    default: break;
    }
    return workArea;
}

bool IsOffScreenWith(const TBounds& bounds, const std::function<bool(POINT)>& onMonitor)
{
    const int x = bounds.Left, y = bounds.Top, w = bounds.Width, h = bounds.Height;
    // The right and bottom corners are the first column and row outside the window.
    const POINT points[] = {
        {x, y}, {x + w, y + h}, {x + w, y}, {x, y + h}, {x + w / 2, y + h / 2},
    };
    for (const POINT& p : points)
        if (onMonitor(p)) return false;
    return true;
}

bool GetVisibleRect(HWND wnd, RECT& rect)
{
    if (!::GetWindowRect(wnd, &rect)) return false;
    // A minimised window is parked at (-32000, -32000).
    return !(rect.left == -32000 && rect.top == -32000);
}

RECT WorkAreaOf(const RECT& rect)
{
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    if (!::GetMonitorInfoW(::MonitorFromRect(&rect, MONITOR_DEFAULTTONEAREST), &info)) return ReadWorkArea();
    return info.rcWork;
}

bool GetWindowBounds(HWND wnd, int& left, int& top, int& width, int& height)
{
    RECT rect = {};
    if (!GetVisibleRect(wnd, rect)) return false;
    left = rect.left;
    top = rect.top;
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    return true;
}

int GetTaskbarEdge(RECT& taskbar)
{
    APPBARDATA data = {};
    data.cbSize = sizeof data;
    ::SHAppBarMessage(ABM_GETTASKBARPOS, &data);
    taskbar = data.rc;
    return TaskbarEdgeFromAppBarEdge(data.uEdge);
}

void PlaceInWorkArea(HWND wnd, int code)
{
    PlaceIn(wnd, ReadWorkArea(), code, TAreaKind::WorkArea);
}

void PlaceOnScreen(HWND wnd, int code)
{
    RECT taskbar = {};
    const int edge = GetTaskbarEdge(taskbar);
    PlaceIn(wnd, GrowOverTaskbar(ReadWorkArea(), edge, taskbar), code, TAreaKind::ScreenArea);
}

bool IsOffScreen(int left, int top, int width, int height)
{
    return IsOffScreenWith({left, top, width, height},
                           [](POINT p) { return ::MonitorFromPoint(p, MONITOR_DEFAULTTONULL) != nullptr; });
}

void EnsureOnScreen(HWND wnd)
{
    if (::IsZoomed(wnd)) return;
    TBounds b = {};
    if (!GetWindowBounds(wnd, b.Left, b.Top, b.Width, b.Height) || IsOffScreen(b.Left, b.Top, b.Width, b.Height))
        PlaceOnScreen(wnd, wpCenter);
}

}  // namespace kestro
