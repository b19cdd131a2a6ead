#pragma once
// Recognising another program's folder-browse dialog (SHBrowseForFolderW, the tree with OK and
// Cancel), which is no file dialog: it has no folder view, no name box and no address bar.
#include <windows.h>

#include "winutil/WindowShape.h"

namespace kestro {

// The shell's id of the dialog's tree (its optional edit box, BIF_EDITBOX, is 0x3745). The public
// headers do not name them; they are those of the system's own dialog templates, which Wine's
// shell32 keeps.
constexpr int kBrowseTreeId = 0x3741;
// The new style (BIF_NEWDIALOGSTYLE) of Windows hosts its tree in a control of this class; Wine's
// new style keeps the tree a direct child.
constexpr wchar_t kBrowseNameSpaceClass[] = L"SHBrowseForFolder ShellNameSpace Control";

// True for a "#32770" window with the buttons 1 and 2, no folder view of a file dialog, and the
// folder tree: a direct "SysTreeView32" of id 0x3741, or a tree inside the new style's namespace
// control. A dialog of `ownProcess` (Kestro's own add command) is never one.
bool IsBrowseDialogShape(const TWindowShape& dialog, bool ownProcess);

// Whether `wnd` is a folder-browse dialog of another process (IsBrowseDialogShape).
bool IsBrowseDialog(HWND wnd);

// The dialog's folder tree; 0 when there is none.
HWND FindBrowseTree(HWND dialog);

}  // namespace kestro
