#pragma once
// Operations on the program's own windows and controls: showing the always-on-top tool window
// without taking the keyboard from the dialog it follows, captions, and the list box's entries.
#include <windows.h>

#include <string>
#include <vector>

namespace kestro {

// Shows `wnd` without activating it, at the top of the topmost band.
void ShowOnTopInactive(HWND wnd);
// Puts `wnd` back at the top of the topmost band. Under Wine another program raising its window
// can leave ours below it on screen although the z-order keeps it on top.
void KeepOnTop(HWND wnd);

// Whether top-level window `upper` is above `lower` in the z-order.
bool IsAbove(HWND upper, HWND lower);

// Fills `wnd`'s client area in `dc` with the colour of dialog and button faces.
void FillWithFaceColour(HWND wnd, HDC dc);

// The window's text (a window of this process; other programs' windows need bounded sends).
std::wstring WindowText(HWND wnd);
// Sets the caption unless it is already `caption`: the same text again would repaint the frame.
void SetCaptionIfChanged(HWND wnd, const std::wstring& caption);

// The list box shows `items` (one redraw) and fits its sideways scroll width to them.
void FillListBox(HWND listBox, const std::vector<std::wstring>& items);
// Entry `index`'s text; empty for no such entry.
std::wstring ListBoxText(HWND listBox, int index);
// The selected entry's index, or -1.
int ListBoxSelection(HWND listBox);
// Selects entry `index` (-1: none).
void SelectListBoxEntry(HWND listBox, int index);
// Sets the list box's horizontal extent to twice its widest entry, measured in Segoe UI 9 pt.
void FitListExtent(HWND listBox);

}  // namespace kestro
