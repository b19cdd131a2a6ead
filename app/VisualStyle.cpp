#include "app/VisualStyle.h"

#include <windows.h>
#include <uxtheme.h>

#include "app/Names.h"
#include "ui/FormNames.h"

namespace kestro {

std::wstring MissingStyleText(const std::wstring& name)
{
    return L"スタイル '" + name + L"' が見つかりません";
}

void SelectVisualStyle(const std::wstring& name)
{
    // The style resource stands for the common controls 6 themes that the manifest brings in.
    if (::FindResourceW(nullptr, name.c_str(), kStyleResourceType)) {
        ::SetThemeAppProperties(STAP_ALLOW_NONCLIENT | STAP_ALLOW_CONTROLS);
        return;
    }
    ::MessageBoxW(nullptr, MissingStyleText(name).c_str(), kApplicationTitle, MB_ICONERROR);
    ::SetThemeAppProperties(0);
}

}  // namespace kestro
