#pragma once
// What the follower decides, from plain values: which window to follow and where the tool
// window goes over it. The follower reads the window system and hands the values over.
#include <windows.h>

#include <optional>

namespace kestro {

// What the follower asks of a window before it follows it; the window system, or a fake.
class TWindowLook {
public:
    virtual ~TWindowLook() = default;
    virtual bool Visible(HWND wnd) const = 0;
    // Whether the window has the class every dialog to follow has: one question, asked first of a
    // window not followed yet, so that any other program's window in front costs no more.
    virtual bool DialogClass(HWND wnd) const = 0;
    // A common file dialog by its class and tree; asked only of a visible window of the dialogs'
    // class not followed yet.
    virtual bool FileDialog(HWND wnd) const = 0;
};

// The dialog to follow, or 0: the window in front when it is a visible file dialog, else the one
// a foreground event named (the event may arrive before its window is in front). The dialog
// followed is known to be one and is not looked at again; a dialog reported destroyed may still
// be in front for a moment and is never taken. A window not of the dialogs' class is asked
// nothing more.
HWND DialogToFollow(HWND front, HWND announced, HWND followed, HWND gone, const TWindowLook& look);

// Where the tool window's top-left corner goes so that its right edge meets the dialog's right
// edge and its top the dialog's top, kept inside `workArea` (the work area of the dialog's
// monitor) where the corner is off it; nothing when the window is there already. Rectangles in
// screen pixels.
std::optional<POINT> DockPosition(const RECT& dialog, const RECT& own, const RECT& workArea);

}  // namespace kestro
