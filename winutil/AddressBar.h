#pragma once
// The address bar of the item dialog, which moves the dialog to a folder typed into it without
// choosing anything. Its chain of windows is recognised from the dialog's tree as plain values.
#include <windows.h>

#include "winutil/WindowShape.h"

namespace kestro {

enum class TAddressBarMode {
    // No address bar as Windows has it (the older dialog, Wine's item dialog, a chain with a link
    // missing, doubled or hidden, both halves shown or neither): nothing may be typed into it.
    None,
    // The breadcrumbs are shown and the address edit is hidden.
    Breadcrumbs,
    // The address edit is shown and the breadcrumbs are hidden.
    Edit,
};

// The mode of the item dialog's address bar, from the dialog's tree: a "DUIViewWndClassName"
// child, and the chain "WorkerW" > "ReBarWindow32" > "Address Band Root" > "msctls_progress32",
// each shown, below which are the breadcrumbs "Breadcrumb Parent" > "ToolbarWindow32" and the
// address edit "ComboBoxEx32" > "ComboBox" > "Edit". Every link is the only direct child of its
// class below the one before; a half counts as shown when each of its links is.
TAddressBarMode AddressBarMode(const TWindowShape& dialog);

// The live windows of that chain: the breadcrumbs' toolbar and the address edit; both 0 when
// a link is missing or doubled.
struct TAddressBar {
    HWND Breadcrumbs = nullptr;
    HWND Edit = nullptr;
};
TAddressBar FindAddressBar(HWND dialog);

// AddressBarMode of the live dialog.
TAddressBarMode ReadAddressBarMode(HWND dialog);

}  // namespace kestro
