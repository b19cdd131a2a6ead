#pragma once
// The names of the main window that other processes and the user see: the application title,
// which is also its idle caption, and its window class. A second start finds the running
// instance by both.

namespace kestro {

constexpr wchar_t kApplicationTitle[] = L"Kestro";
constexpr wchar_t kMainWindowClass[] = L"TMainForm";

}  // namespace kestro
