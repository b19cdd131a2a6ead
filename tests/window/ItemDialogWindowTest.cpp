// Wine's own item dialog in pick-folders mode (comdlg32 itemdlg.c): a toolbar of back and forward
// buttons, no address bar. Kestro does not take it for a file dialog, and the address-bar jump would
// find nothing there to type into.
#include <windows.h>
#include <shobjidl.h>
#include <gtest/gtest.h>

#include <thread>

#include "tests/support/Windows.h"
#include "winutil/AddressBar.h"
#include "winutil/FileDialog.h"

namespace {

using namespace kestro::test;

// Shows the system's folder picker on a thread of its own until it is cancelled.
void ShowFolderPicker()
{
    ::CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IFileOpenDialog* dialog = nullptr;
    if (SUCCEEDED(::CoCreateInstance(CLSID_FileOpenDialog, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&dialog)))) {
        FILEOPENDIALOGOPTIONS options = 0;
        dialog->GetOptions(&options);
        dialog->SetOptions(options | FOS_PICKFOLDERS);
        dialog->Show(nullptr);
        dialog->Release();
    }
    ::CoUninitialize();
}

TEST(WinesFolderPicker, HasNoAddressBarForAJumpToTypeInto)
{
    std::thread shown(ShowFolderPicker);
    HWND picker = nullptr;
    const bool up = WaitFor(
        [&] {
            picker = FindDialogOf(::GetCurrentProcessId());
            return picker != nullptr;
        },
        20000);
    if (up) {
        // Not even followed: its view sits inside "ExplorerBrowserControl", not directly in the dialog.
        EXPECT_FALSE(kestro::IsFileDialog(picker));
        EXPECT_EQ(kestro::ReadAddressBarMode(picker), kestro::TAddressBarMode::None);
        EXPECT_EQ(kestro::FindAddressBar(picker).Edit, nullptr);
        ::PostMessageW(picker, WM_COMMAND, IDCANCEL, 0);
    }
    shown.join();
    ASSERT_TRUE(up) << "the folder picker did not come up";
}

}  // namespace
