#pragma once
#include <windows.h>

#include <string>

namespace kestro {

// Shows an error that escaped an event handler: MB_ICONERROR, the application title as caption.
void ShowErrorBox(HWND owner, const std::wstring& message);

}  // namespace kestro
