#include "ui/FollowRules.h"

#include <algorithm>

namespace kestro {

HWND DialogToFollow(HWND front, HWND announced, HWND followed, HWND gone, const TWindowLook& look)
{
    for (HWND candidate : {front, announced}) {
        if (!candidate || candidate == gone) continue;
        if (candidate != followed && !look.DialogClass(candidate)) continue;
        if (!look.Visible(candidate)) continue;
        if (candidate == followed || look.FileDialog(candidate)) return candidate;
    }
    return nullptr;
}

std::optional<POINT> DockPosition(const RECT& dialog, const RECT& own, const RECT& workArea)
{
    const int width = own.right - own.left;
    const int height = own.bottom - own.top;
    // A dialog partly off its monitor would take the tool window with it, out of the user's reach.
    const int left = std::max<int>(workArea.left, std::min<int>(dialog.right - width, workArea.right - width));
    const int top = std::max<int>(workArea.top, std::min<int>(dialog.top, workArea.bottom - height));
    if (left == own.left && top == own.top) return std::nullopt;
    return POINT{left, top};
}

}  // namespace kestro
