#pragma once
// Window geometry: reading bounds, the fifteen standard placements and on-screen recovery.
// All coordinates are physical screen pixels.
#include <windows.h>

#include <functional>

namespace kestro {

enum TWindowPlacement : int {
    wpFullHeight = 0,
    wpFullWidth = 1,
    wpTop = 2,
    wpBottom = 3,
    wpLeft = 4,
    wpRight = 5,
    wpTopLeft = 6,
    wpTopRight = 7,
    wpBottomLeft = 8,
    wpBottomRight = 9,
    wpCenter = 10,
    wpTopHalf = 11,
    wpBottomHalf = 12,
    wpLeftHalf = 13,
    wpRightHalf = 14,
};

// Left, top, width and height in screen pixels.
struct TBounds {
    int Left;
    int Top;
    int Width;
    int Height;
    bool operator==(const TBounds& o) const
    {
        return Left == o.Left && Top == o.Top && Width == o.Width && Height == o.Height;
    }
};

enum class TAreaKind { WorkArea, ScreenArea };

// The bounds that placement `code` gives a window with bounds `current` in `area`.
// Codes outside 0..14 give `current` unchanged.
TBounds ComputePlacement(const RECT& area, const TBounds& current, int code, TAreaKind kind);

// Taskbar edge codes: 0 top, 1 bottom, 2 left, 3 right, -1 none; mapped from ABE_* values.
int TaskbarEdgeFromAppBarEdge(UINT appBarEdge);

// The work area grown back over the taskbar on edge `edge`.
RECT GrowOverTaskbar(RECT workArea, int edge, const RECT& taskbar);

// True when none of the five test points (top-left, bottom-right, top-right, bottom-left,
// centre, tested in that order) lies on a monitor according to `onMonitor`.
bool IsOffScreenWith(const TBounds& bounds, const std::function<bool(POINT)>& onMonitor);

bool GetVisibleRect(HWND wnd, RECT& rect);
// The work area of the monitor nearest to `rect`, which MonitorFromWindow gives as well for a window
// there that is not minimised. Taken from a rectangle already read, it costs the follow loop's
// tick no further look at another program's window.
RECT WorkAreaOf(const RECT& rect);
bool GetWindowBounds(HWND wnd, int& left, int& top, int& width, int& height);
int GetTaskbarEdge(RECT& taskbar);
void PlaceInWorkArea(HWND wnd, int code);
void PlaceOnScreen(HWND wnd, int code);
bool IsOffScreen(int left, int top, int width, int height);
void EnsureOnScreen(HWND wnd);

}  // namespace kestro
