#pragma once
// The main window's control geometry: design values at 96 DPI, scaled for the monitor.
#include <windows.h>

namespace kestro {

constexpr int kDesignClientWidth = 234;
constexpr int kDesignClientHeight = 189;
constexpr int kDesignToolBarHeight = 23;
constexpr int kDesignStatusBarHeight = 19;
constexpr int kDesignButtonHeight = 23;
constexpr int kDesignButtonWidth = 33;
constexpr int kDesignSeparatorWidth = 8;
constexpr int kDesignMinHeight = 100;
constexpr int kDesignMinWidth = 150;

// Design pixels at 96 DPI to pixels at `dpi`, rounded as MulDiv rounds.
int ScaleForDpi(int designPixels, UINT dpi);

// A size of `pixels` at `fromDpi` as it is at `toDpi`, rounded as MulDiv rounds; the size file
// keeps the window's size at the system's scale, whichever monitor the window closed on.
int RescalePixels(int pixels, UINT fromDpi, UINT toDpi);

// The rows of the list that stay in sight at the window's smallest size.
constexpr int kMinimumListRows = 2;

// The smallest outer height: `designMinimum`, or taller where the list, `listHeight` high in a
// window `outerHeight` high, shows fewer than kMinimumListRows rows of `rowHeight` (tab captions
// too wide for one row wrap into rows that cover it).
int MinimumOuterHeight(int designMinimum, int outerHeight, int listHeight, int rowHeight);

struct TFormLayout {
    RECT ToolBar;
    RECT Tab;
    RECT StatusBar;
};

// Where the tool bar, tab control and status line go in a client area of `clientWidth` x
// `clientHeight`: the tool bar on top and the status line at the bottom when shown, the tab
// control in between. Hidden controls keep their place at the edge.
TFormLayout ComputeFormLayout(int clientWidth, int clientHeight, bool toolBarShown, bool statusBarShown, UINT dpi);

}  // namespace kestro
