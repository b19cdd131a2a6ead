// Folder pickers on Windows' terms: an Enter with a folder in the name box chooses that folder and
// closes the dialog, so a click on a favourite never types into it, also where a combo box of the
// program's own makes its tree look like an open dialog's. The click moves the picker through its
// address bar instead, whose Enter navigates, and only where that bar is exactly Windows' own.
#include <gtest/gtest.h>

#include "tests/support/DataFiles.h"
#include "tests/support/Follow.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/Kestro.h"
#include "tests/support/Windows.h"

using namespace kestro::test;

namespace {
constexpr DWORD kJumpWaitMs = 5000;
// How long a jump that must not happen is given to show itself.
constexpr DWORD kNoJumpWaitMs = 1500;

class FolderPicker : public testing::Test {
protected:
    void SetUp() override
    {
        ResetDataDir();
        start = ScratchFolder(L"PickerStart");
        other = ScratchFolder(L"PickerOther");
        WriteDataFile(L"KestroF.lst", AnsiLines({start, other}));
        kestro.StartReady();
    }

    void OpenFollowed(unsigned flags)
    {
        picker.Start(start, L"name", idPicksFolders | flags);
        ASSERT_TRUE(WaitFollowing(kestro, picker.Dialog()));
    }

    // Neither closed, nor moved, nor its name box touched; no box of its own came up (an Enter on
    // an address that is no folder brings one).
    void ExpectUntouched()
    {
        EXPECT_TRUE(::IsWindow(picker.Dialog())) << "the click chose a folder: " << Narrow(picker.Report());
        EXPECT_TRUE(::IsWindowEnabled(picker.Dialog())) << "an Enter reached the address edit";
        EXPECT_EQ(picker.Folder(), start);
        EXPECT_EQ(TextOf(picker.FileNameBox()), L"name");
    }

    std::wstring start;
    std::wstring other;
    TKestro kestro;
    TItemDialog picker;
};

TEST_F(FolderPicker, WithAComboBoxOfItsOwnMovesThroughItsAddressBarAndStaysOpen)
{
    OpenFollowed(idCustomCombo);
    ClickEntry(kestro, 1);
    ASSERT_TRUE(WaitFor([&] { return picker.Folder() == other; }, kJumpWaitMs)) << Narrow(picker.Report());
    EXPECT_TRUE(WaitFor([&] { return !picker.AddressEditShown(); })) << "the breadcrumbs did not come back";
    PumpFor(kNoJumpWaitMs);
    EXPECT_TRUE(::IsWindow(picker.Dialog())) << "the click chose a folder: " << Narrow(picker.Report());
    EXPECT_EQ(picker.Folder(), other);
    EXPECT_EQ(TextOf(picker.FileNameBox()), L"name");
}

TEST_F(FolderPicker, WithoutTheAddressEditIsNeitherTypedIntoNorMoved)
{
    OpenFollowed(idNoAddressEdit);
    ClickEntry(kestro, 1);
    PumpFor(kNoJumpWaitMs);
    ExpectUntouched();
}

TEST_F(FolderPicker, GetsNoEnterWhenItsAddressEditDoesNotReadBackTheFolder)
{
    OpenFollowed(0);
    picker.TypeWhenAFolderIsSet();
    ClickEntry(kestro, 1);
    ASSERT_TRUE(WaitFor([&] { return picker.Typed(); }, kJumpWaitMs)) << "the jump never typed the folder";
    PumpFor(kNoJumpWaitMs);
    ExpectUntouched();
    EXPECT_EQ(TextOf(picker.AddressEdit()), start) << "the address edit did not get back what it held";
}
}  // namespace
