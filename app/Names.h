#pragma once
// The names start-up uses: the hidden application window's class, the instance mutex, the data
// folder and the visual style.

namespace kestro {

constexpr wchar_t kApplicationWindowClass[] = L"TApplication";
constexpr wchar_t kInstanceMutexName[] = L"Kestro/Tamsa Project";
constexpr wchar_t kDataFolderName[] = L"Kestro";
constexpr wchar_t kStyleName[] = L"Windows10";
constexpr wchar_t kStyleResourceType[] = L"VCLSTYLE";

}  // namespace kestro
