#pragma once
#include <string>

namespace kestro {

// Selects the visual style the program carries as a resource under `name`. When it is missing,
// says so in an error box and continues with the classic look.
void SelectVisualStyle(const std::wstring& name);

// The text of the box shown for a missing style.
std::wstring MissingStyleText(const std::wstring& name);

}  // namespace kestro
