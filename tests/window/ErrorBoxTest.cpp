#include <gtest/gtest.h>

#include <thread>

#include "lists/FileError.h"
#include "tests/support/DataFiles.h"
#include "tests/support/Windows.h"
#include "ui/ErrorBox.h"

using namespace kestro;
using namespace kestro::test;

namespace {
// Shows the error box on a thread of its own and returns what a user would read in it.
struct TShownBox {
    std::wstring Caption;
    std::wstring Text;
    bool HasIcon = false;
};

TShownBox ShowAndRead(const std::wstring& message)
{
    std::thread shower([&] { ShowErrorBox(nullptr, message); });
    TShownBox shown;
    HWND box = nullptr;
    const bool appeared = WaitFor([&] { return (box = FindDialogOf(::GetCurrentProcessId())) != nullptr; });
    if (appeared) {
        shown.Caption = TextOf(box);
        shown.Text = MessageBoxText(box);
        shown.HasIcon = HasVisibleIcon(box);
        PressDialogButton(box, IDOK);
    }
    shower.join();
    EXPECT_TRUE(appeared) << "no error box came up";
    return shown;
}
}  // namespace

TEST(ErrorBox, DecodeErrorGetsAFullStopAndTheErrorIcon)
{
    const TShownBox shown = ShowAndRead(CannotDecodeError().Message());
    EXPECT_EQ(shown.Caption, L"Kestro");
    EXPECT_EQ(shown.Text, L"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません.");
    EXPECT_TRUE(shown.HasIcon);
}

TEST(ErrorBox, CannotOpenTextEndsWithItsBlankAndGetsNoFullStop)
{
    const std::wstring path = L"C:\\data\\KestroF.lst";
    const TShownBox shown = ShowAndRead(CannotOpenError(path, ERROR_SHARING_VIOLATION).Message());
    EXPECT_TRUE(IsFileError(shown.Text, L"ファイル " + path + L" は開けません。 ", L" "));
}
