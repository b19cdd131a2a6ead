#pragma once
// The names other processes and the user see: title, window class, mutex.

namespace kestro {

constexpr wchar_t kApplicationTitle[] = L"Kestro";
constexpr wchar_t kMainWindowClass[] = L"TMainForm";
constexpr wchar_t kApplicationWindowClass[] = L"TApplication";
constexpr wchar_t kInstanceMutexName[] = L"Kestro/Tamsa Project";
constexpr wchar_t kDataFolderName[] = L"Kestro";
constexpr wchar_t kStyleName[] = L"Windows10";
constexpr wchar_t kStyleResourceType[] = L"VCLSTYLE";

}  // namespace kestro
