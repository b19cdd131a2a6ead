// The parts of a followed dialog are kept from tick to tick, and looked up again once one is no
// longer inside the dialog: a made dialog of the older kind (the plain name box 1152) with the item
// dialog's breadcrumb chain.
#include <windows.h>
#include <gtest/gtest.h>

#include "tests/support/OwnWindows.h"
#include "ui/DialogParts.h"
#include "winutil/FileDialog.h"

namespace {

using namespace kestro::test;

constexpr int kNameEditId = 1152;
constexpr const wchar_t* kChain[] = {
    L"WorkerW", L"ReBarWindow32", L"Address Band Root", L"msctls_progress32", L"Breadcrumb Parent", L"ToolbarWindow32",
};

class TMadeDialog {
public:
    TMadeDialog() : FDialog(CreateTopWindow(L"#32770", 50, 50, 400, 300)) { MakeBox(); }
    HWND Dialog() const { return FDialog.get(); }
    HWND MakeBox() { return CreateChild(Dialog(), L"Edit", kNameEditId); }
    // The breadcrumb chain below `parent`, or below the dialog; returns its last link, the bar.
    HWND MakeBar(HWND parent = nullptr)
    {
        HWND link = parent ? parent : Dialog();
        for (const wchar_t* className : kChain) link = CreateChild(link, OwnClass(className), 0);
        return link;
    }

private:
    TOwnWindow FDialog;
};

TEST(DialogParts, AreKeptWhileTheyStayInsideAndLookedUpAgainOnceGone)
{
    TMadeDialog made;
    kestro::TDialogParts parts;
    parts.Find(made.Dialog());
    const HWND box = ::GetDlgItem(made.Dialog(), kNameEditId);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(parts.Box(), box);
    EXPECT_EQ(parts.Bar(), nullptr) << "a bar where there is none";

    // A part that comes later is found at the next look; the ones found stay.
    const HWND bar = made.MakeBar();
    parts.Find(made.Dialog());
    EXPECT_EQ(parts.Box(), box);
    EXPECT_EQ(parts.Bar(), bar);

    // A box destroyed and made anew, as a program may: the new one, not the old handle.
    ::DestroyWindow(box);
    const HWND newBox = made.MakeBox();
    parts.Find(made.Dialog());
    EXPECT_EQ(parts.Box(), newBox);
    EXPECT_EQ(parts.Bar(), bar);

    // A bar moved into another window is no part of this dialog any more.
    const TOwnWindow other = CreateTopWindow(OwnClass(L"KestroOther"), 60, 60, 200, 100);
    ::SetParent(::FindWindowExW(made.Dialog(), nullptr, kChain[0], nullptr), other.get());
    ASSERT_EQ(::GetAncestor(bar, GA_ROOT), other.get());
    parts.Find(made.Dialog());
    EXPECT_EQ(parts.Bar(), nullptr) << "the bar of another window";
    EXPECT_EQ(parts.Box(), newBox);
}

TEST(DialogParts, BelongToTheDialogLastLookedAt)
{
    TMadeDialog first, second;
    const HWND secondBar = second.MakeBar();
    kestro::TDialogParts parts;
    parts.Find(first.Dialog());
    parts.Find(second.Dialog());
    EXPECT_EQ(parts.Box(), ::GetDlgItem(second.Dialog(), kNameEditId));
    EXPECT_EQ(parts.Bar(), secondBar);
    parts.Find(first.Dialog());
    EXPECT_EQ(parts.Box(), ::GetDlgItem(first.Dialog(), kNameEditId));
    EXPECT_EQ(parts.Bar(), nullptr);
}

}  // namespace
