#include "ui/ErrorBox.h"

#include "lists/FileError.h"
#include "ui/FormNames.h"

namespace kestro {

void ShowErrorBox(HWND owner, const std::wstring& message)
{
    ::MessageBoxW(owner, ErrorBoxText(message).c_str(), kApplicationTitle, MB_ICONERROR);
}

}  // namespace kestro
