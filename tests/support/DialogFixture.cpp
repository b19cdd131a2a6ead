#include "tests/support/DialogFixture.h"

#include <gtest/gtest.h>

#include "tests/support/Windows.h"

namespace kestro::test {

std::wstring FileDialogAppExe()
{
    return BinDir() + L"FileDialogApp.exe";
}

void TFileDialogApp::Start(const std::wstring& mode, const std::wstring& folder, const std::wstring& fileName,
                           const std::wstring& exe)
{
    FProcess = TProcess::Start(exe, mode + L" \"" + folder + L"\" \"" + fileName + L"\"");
    // Up means: the dialog is shown and has answered the fixture's question for its folder
    // (its WM_INITDIALOG is over), and its thread answers from its message loop.
    const ULONGLONG end = ::GetTickCount64() + 20000;
    auto left = [&] { return static_cast<DWORD>(end > ::GetTickCount64() ? end - ::GetTickCount64() : 0); };
    const bool up = WaitFor(
        [&] {
            FState = FindTopWindow(FProcess.Id(), L"KestroFixtureState");
            FDialog = FindDialogOf(FProcess.Id());
            return FState && FDialog && Caption().rfind(L"folder:", 0) == 0;
        },
        left());
    ASSERT_TRUE(up) << "the fixture's dialog did not come up";
    DWORD_PTR result = 0;
    ASSERT_TRUE(WaitFor(
        [&] { return ::SendMessageTimeoutW(FDialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &result) != 0; }, left()))
        << "the fixture's dialog does not answer";
    FProcess.WaitInputIdle(left());
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
