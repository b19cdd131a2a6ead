#include "ui/DialogParts.h"

#include "winutil/FileDialog.h"

namespace kestro {

void TDialogParts::Find(HWND dialog)
{
    if (dialog != FDialog) {
        FDialog = dialog;
        FBox = FBar = nullptr;
        FFolderPicker = IsFolderPicker(dialog);
    }
    if (!FBox || !::IsChild(dialog, FBox)) FBox = FindFileNameBox(dialog);
    if (!FBar || !::IsChild(dialog, FBar)) FBar = FindBreadcrumbBar(dialog);
}

}  // namespace kestro
