#include "ui/Layout.h"

namespace kestro {

int ScaleForDpi(int designPixels, UINT dpi)
{
    return ::MulDiv(designPixels, static_cast<int>(dpi), USER_DEFAULT_SCREEN_DPI);
}

TFormLayout ComputeFormLayout(int clientWidth, int clientHeight, bool toolBarShown,
                              bool statusBarShown, UINT dpi)
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
