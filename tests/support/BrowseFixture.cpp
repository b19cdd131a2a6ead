#include "tests/support/BrowseFixture.h"

#include <gtest/gtest.h>

#include "tests/support/Windows.h"
#include "winutil/Handles.h"

namespace kestro::test {

std::wstring BrowseDialogAppExe()
{
    return BinDir() + L"BrowseDialogApp.exe";
}

std::wstring BrowseableFolder(const std::wstring& name)
{
    const std::wstring folder = L"C:\\KestroTest-" + name;
    if (::CreateDirectoryW(folder.c_str(), nullptr)) {
        // A later time than the folder's creation, which the kernel's clock may not pass at once.
        ::Sleep(50);
        WIN32_FIND_DATAW found;
        const UniqueFind listing(::FindFirstFileW((folder + L"\\*").c_str(), &found));
    }
    return folder;
}

void TBrowseDialogApp::Start(const std::wstring& style, const std::wstring& folder)
{
    FProcess = TProcess::Start(BrowseDialogAppExe(), style + L" \"" + folder + L"\"");
    const bool up = WaitFor(
        [&] {
            FState = FindTopWindow(FProcess.Id(), L"KestroFixtureState");
            FDialog = FindDialogOf(FProcess.Id());
            return FState && FDialog && Caption() == L"selected:" + folder;
        },
        20000);
    ASSERT_TRUE(up) << "the fixture's dialog did not come up on the folder: " << Narrow(Caption());
    DWORD_PTR result = 0;
    ASSERT_TRUE(WaitFor(
        [&] { return ::SendMessageTimeoutW(FDialog, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 200, &result) != 0; }, 5000))
        << "the fixture's dialog does not answer";
    FProcess.WaitInputIdle(5000);
}

std::wstring TBrowseDialogApp::Caption() const
{
    return TextOf(FState);
}

}  // namespace kestro::test
