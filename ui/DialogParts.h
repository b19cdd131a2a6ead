#pragma once
// The windows of the followed dialog that a tick reads. They do not change while the dialog
// lives, so they are looked up once per dialog, not by a walk of its tree at every tick.
#include <windows.h>

namespace kestro {

class TDialogParts {
public:
    // Looks up the parts of `dialog` that are not known yet or no longer belong to it.
    void Find(HWND dialog);
    // The file-name box (FindFileNameBox); 0 when there is none.
    HWND Box() const { return FBox; }
    // The breadcrumb bar of the item dialog; 0 for the older dialog.
    HWND Bar() const { return FBar; }
    // Whether the dialog picks folders (IsFolderPicker).
    bool FolderPicker() const { return FFolderPicker; }

private:
    HWND FDialog = nullptr;
    HWND FBox = nullptr;
    HWND FBar = nullptr;
    bool FFolderPicker = false;
};

}  // namespace kestro
