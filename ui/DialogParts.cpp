#include "ui/DialogParts.h"

#include "winutil/FileDialog.h"

namespace kestro {

void TDialogParts::Find(HWND dialog)
{
    if (dialog != FDialog) {
        FDialog = dialog;
        FBox = FBar = nullptr;
    }
    if (!FBox || !::IsChild(dialog, FBox)) FBox = FindChildByClass(dialog, L"Edit");
    if (!FBar || !::IsChild(dialog, FBar)) FBar = FindBreadcrumbBar(dialog);
}

}  // namespace kestro
