#pragma once
// What one test must not hand on to the next: the programs it started and Kestro's data. The
// window and end-to-end tests run every test between two clean slates (see CleanSlate.cpp).
#include <string>
#include <vector>

namespace kestro::test {

// Ends every program a test may have started and left running (Kestro, the fixtures, Wine's
// editors) and closes Explorer's folder windows, waiting until each is gone; gives their names.
std::vector<std::wstring> EndTestPrograms();

}  // namespace kestro::test
