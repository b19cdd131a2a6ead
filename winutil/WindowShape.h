#pragma once
// A window tree as plain values, so that the rules that recognise a dialog by its tree are pure
// functions that a test hands made-up trees.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace kestro {

// A window, its control id and its direct children; whether it is shown itself (its WS_VISIBLE
// bit), whatever its parents are.
struct TWindowShape {
    std::wstring Class;
    int Id = 0;
    std::vector<TWindowShape> Children;
    bool Shown = true;
};

// `wnd` and its children down to `depth` levels below it, in z-order.
TWindowShape ReadWindowShape(HWND wnd, int depth);

// The first direct child of `parent` of class `className`; nothing when there is none.
const TWindowShape* ChildOfClass(const TWindowShape& parent, std::wstring_view className);

}  // namespace kestro
