#include "tests/support/DialogFixture.h"

#include <gtest/gtest.h>

#include "tests/support/Windows.h"

namespace kestro::test {

std::wstring FileDialogAppExe()
{
    return BinDir() + L"FileDialogApp.exe";
}

void TFileDialogApp::Start(const std::wstring& mode, const std::wstring& folder,
                           const std::wstring& fileName, const std::wstring& exe)
{
    FProcess = TProcess::Start(exe,
                               mode + L" \"" + folder + L"\" \"" + fileName + L"\"");
    const bool up = WaitFor(
        [&] {
            FState = FindTopWindow(FProcess.Id(), L"KestroFixtureState");
            FDialog = FindDialogOf(FProcess.Id());
            return FState && FDialog && Caption().rfind(L"folder:", 0) == 0;
        },
        15000);
    ASSERT_TRUE(up) << "the fixture's dialog did not come up";
}

std::wstring TFileDialogApp::Caption() const
{
    return TextOf(FState);
}

HWND TFileDialogApp::FileNameBox() const
{
    HWND comboEx = ::GetDlgItem(FDialog, 1148);
    HWND combo = ::FindWindowExW(comboEx, nullptr, L"ComboBox", nullptr);
    return ::FindWindowExW(combo, nullptr, L"Edit", nullptr);
}

}  // namespace kestro::test
