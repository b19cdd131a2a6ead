#pragma once
// Recognising the common open/save file dialog of any program, and searching its window tree.
#include <windows.h>

#include <string>
#include <string_view>

#include "winutil/WindowShape.h"

namespace kestro {

// The window's class name (up to 259 units); empty when it cannot be read.
std::wstring GetWindowClass(HWND wnd);

// True for a window of the system's dialog class "#32770", which every file dialog and folder-browse
// dialog has: one question to the window system, where their trees take many.
bool IsDialogClass(HWND wnd);

// True for a "#32770" window with a direct "SHELLDLL_DefView" (or else "DUIViewWndClassName")
// child and both controls 1 and 2.
bool IsFileDialog(HWND wnd);

// The box the dialog gives the file's name: the edit of the combo box with control id 1148
// (cmb13), or the plain edit 1152 (edt1) where there is no such combo, in the older dialog; in the
// item dialog the edit of the combo box 1148 in its view ("DUIViewWndClassName"). Never a search
// box, a rename box of the file list or an edit box of the program's own; 0 when there is none.
HWND FindFileNameBox(HWND dialog);

// Whether the name box of a file dialog, given as its tree, may take a folder and an Enter: only in
// a dialog known to open or save files. The older dialog never picks folders; an item dialog is
// known to handle files when its view offers file types (a "ComboBox" 1136, cmb1, anywhere in it).
// Enter with a folder in the box of a folder picker (FOS_PICKFOLDERS) chooses that folder and
// closes the dialog, and an item dialog without file types, or with combo boxes of the program's
// own (IFileDialogCustomize), cannot be told from a picker by its tree.
bool NameBoxTakesFolders(const TWindowShape& dialog);

// Whether an item dialog may pick folders (not NameBoxTakesFolders of its tree).
bool IsFolderPicker(HWND dialog);

// The newer item dialog's breadcrumb bar, at the end of the chain "WorkerW" > "ReBarWindow32" >
// "Address Band Root" > "msctls_progress32" > "Breadcrumb Parent" > "ToolbarWindow32", each a
// first direct child of the one before; 0 when a link is missing (the older dialog has none).
HWND FindBreadcrumbBar(HWND dialog);

// The folder in the breadcrumb bar's text, which is a label followed by the path: the label
// ends at the first ": " ("アドレス: " on Japanese Windows, "Address: ", "Adresse : " or
// "Adresse: " elsewhere); in a text without one it is taken to be 6 units long.
std::wstring FolderFromBreadcrumbText(std::wstring_view text);

// The first descendant of `parent`, in EnumChildWindows order, whose class is exactly
// `className`; 0 when there is none. Not re-entrant: the search state lives in this module.
HWND FindChildByClass(HWND parent, const std::wstring& className);

}  // namespace kestro
