#include "ui/Layout.h"

namespace kestro {

int ScaleForDpi(int designPixels, UINT dpi)
{
    return ::MulDiv(designPixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

int RescalePixels(int pixels, UINT fromDpi, UINT toDpi)
{
    if (fromDpi == 0 || fromDpi == toDpi) return pixels;
    return ::MulDiv(pixels, static_cast<int>(toDpi), static_cast<int>(fromDpi));
}

int MinimumOuterHeight(int designMinimum, int outerHeight, int listHeight, int rowHeight)
{
    const int missing = kMinimumListRows * (rowHeight > 0 ? rowHeight : 0) - listHeight;
    return missing > 0 && outerHeight + missing > designMinimum ? outerHeight + missing : designMinimum;
}

TFormLayout ComputeFormLayout(int clientWidth, int clientHeight, bool toolBarShown, bool statusBarShown, UINT dpi)
{
    const int toolBarHeight = ScaleForDpi(kDesignToolBarHeight, dpi);
    const int statusHeight = ScaleForDpi(kDesignStatusBarHeight, dpi);
    TFormLayout layout;
    layout.ToolBar = {0, 0, clientWidth, toolBarHeight};
    layout.StatusBar = {0, clientHeight - statusHeight, clientWidth, clientHeight};
    const int tabTop = toolBarShown ? toolBarHeight : 0;
    int tabBottom = statusBarShown ? clientHeight - statusHeight : clientHeight;
    if (tabBottom < tabTop) tabBottom = tabTop;
    layout.Tab = {0, tabTop, clientWidth, tabBottom};
    return layout;
}

}  // namespace kestro
