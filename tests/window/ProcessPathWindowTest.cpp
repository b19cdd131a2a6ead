#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "tests/support/DataFiles.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/Windows.h"
#include "winutil/Handles.h"
#include "winutil/ProcessPath.h"

namespace {

using namespace kestro::test;

bool SamePath(const std::wstring& a, const std::wstring& b)
{
    return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(), static_cast<int>(b.size()), TRUE) ==
           CSTR_EQUAL;
}

TEST(ProcessImagePath, NamesTheFixtureExecutable)
{
    TFileDialogApp app;
    app.Start(L"open", ScratchFolder(L"imagepath"), L"a.txt");
    const std::wstring path = kestro::GetProcessImagePath(app.State());
    EXPECT_TRUE(SamePath(path, FileDialogAppExe())) << Narrow(path) << " is not " << Narrow(FileDialogAppExe());
    EXPECT_EQ(path, kestro::GetProcessImagePath(app.Dialog()));
}

TEST(ProcessImagePath, MapsTheKernelDevicePathBackToTheDriveLetter)
{
    TFileDialogApp app;
    app.Start(L"open", ScratchFolder(L"devicepath"), L"a.txt");
    kestro::UniqueHandle process(::OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, app.Process().Id()));
    ASSERT_TRUE(process);
    const std::wstring path = kestro::ImagePathFromDevice(process.get());
    EXPECT_TRUE(SamePath(path, FileDialogAppExe())) << Narrow(path) << " is not " << Narrow(FileDialogAppExe());
}

TEST(ProcessImagePath, IsEmptyWhenNothingCanBeLearned)
{
    TFileDialogApp app;
    app.Start(L"open", ScratchFolder(L"ended"), L"a.txt");
    HWND state = app.State();
    app.Process().Kill();
    ASSERT_TRUE(app.Process().WaitExit(5000));
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(state); }));
    EXPECT_EQ(kestro::GetProcessImagePath(state), L"");
    EXPECT_EQ(kestro::GetProcessImagePath(nullptr), L"");
    EXPECT_EQ(kestro::ImagePathFromDevice(nullptr), L"");
}

TEST(ProcessImagePath, SystemDirHoldsPsapi)
{
    const std::wstring dir = kestro::GetSystemDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), L'\\');
    const DWORD attributes = ::GetFileAttributesW((dir + L"psapi.dll").c_str());
    ASSERT_NE(attributes, INVALID_FILE_ATTRIBUTES) << Narrow(dir);
    EXPECT_EQ(attributes & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

}  // namespace
