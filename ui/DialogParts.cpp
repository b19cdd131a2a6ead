#include "ui/DialogParts.h"

#include "winutil/FileDialog.h"

namespace kestro {

namespace {
// Whether `part` is still a window inside `dialog`, a top-level window: one look at its chain of
// parents, where IsChild looks at the style of every window on the way up as well.
bool StillInside(HWND part, HWND dialog)
{
    return part && ::GetAncestor(part, GA_ROOT) == dialog;
}
}  // namespace

void TDialogParts::Find(HWND dialog)
{
    if (dialog != FDialog) {
        FDialog = dialog;
        FBox = FBar = nullptr;
        FFolderPicker = IsFolderPicker(dialog);
    }
    if (!StillInside(FBox, dialog)) FBox = FindFileNameBox(dialog);
    if (!StillInside(FBar, dialog)) FBar = FindBreadcrumbBar(dialog);
}

}  // namespace kestro
