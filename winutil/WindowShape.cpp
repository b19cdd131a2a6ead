#include "winutil/WindowShape.h"

#include <algorithm>

#include "winutil/FileDialog.h"

namespace kestro {

TWindowShape ReadWindowShape(HWND wnd, int depth)
{
    TWindowShape shape{
        GetWindowClass(wnd), ::GetDlgCtrlID(wnd), {}, (::GetWindowLongPtrW(wnd, GWL_STYLE) & WS_VISIBLE) != 0};
    if (depth <= 0) return shape;
    for (HWND child = ::GetWindow(wnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        shape.Children.push_back(ReadWindowShape(child, depth - 1));
    return shape;
}

const TWindowShape* ChildOfClass(const TWindowShape& parent, std::wstring_view className)
{
    const auto found = std::find_if(parent.Children.begin(), parent.Children.end(),
                                    [className](const TWindowShape& child) { return child.Class == className; });
    return found != parent.Children.end() ? &*found : nullptr;
}

}  // namespace kestro
