// Folder pickers on Windows' terms: an Enter with a folder in the name box chooses that folder and
// closes the dialog, so a click on a favourite never types into one, also where a combo box of the
// program's own makes its tree look like an open dialog's.
#include <gtest/gtest.h>

#include "tests/support/DataFiles.h"
#include "tests/support/Follow.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/Kestro.h"
#include "tests/support/Windows.h"

using namespace kestro::test;

namespace {
TEST(FolderPicker, WithAComboBoxOfItsOwnIsNeitherTypedIntoNorClosedByAClick)
{
    ResetDataDir();
    const std::wstring start = ScratchFolder(L"PickerStart");
    const std::wstring other = ScratchFolder(L"PickerOther");
    WriteDataFile(L"KestroF.lst", AnsiLines({start, other}));
    TKestro kestro;
    kestro.StartReady();
    TItemDialog picker;
    picker.Start(start, L"name", idPicksFolders | idCustomCombo);
    ASSERT_TRUE(WaitFollowing(kestro, picker.Dialog()));
    ClickEntry(kestro, 1);
    PumpFor(1500);
    EXPECT_TRUE(::IsWindow(picker.Dialog())) << "the click chose a folder: " << Narrow(picker.Report());
    EXPECT_EQ(picker.Folder(), start);
    EXPECT_EQ(TextOf(picker.FileNameBox()), L"name");
}
}  // namespace
