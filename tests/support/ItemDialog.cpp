#include "tests/support/ItemDialog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "tests/support/Windows.h"

namespace kestro::test {

namespace {
// Text of another process's window as the system keeps it: no message is sent, so a thread
// that does not answer cannot stall the test.
std::wstring StoredText(HWND wnd)
{
    wchar_t text[1024] = {};
    ::GetWindowTextW(wnd, text, 1024);
    return text;
}

void PostRegistered(HWND wnd, const wchar_t* name, WPARAM wParam)
{
    ::PostMessageW(wnd, ::RegisterWindowMessageW(name), wParam, 0);
}
}  // namespace

std::wstring ItemDialogFixtureExe()
{
    return BinDir() + L"ItemDialogFixture.exe";
}

std::wstring ItemDialogArguments(const std::wstring& folder, const std::wstring& fileName, unsigned flags,
                                 const std::wstring& label)
{
    std::wstring arguments = L"\"" + folder + L"\" \"" + fileName + L"\" \"label=" + label + L"\"";
    if (flags & idHungFromStart) arguments += L" hang";
    if (flags & idAnnounces) arguments += L" announce";
    if (flags & idSeries) arguments += L" series";
    if (flags & idTopmost) arguments += L" topmost";
    if (flags & idPicksFolders) arguments += L" pickfolders";
    if (flags & idSlowActivation) arguments += L" slowactivation";
    if (flags & idCustomCombo) arguments += L" customcombo";
    if (flags & idNoAddressEdit) arguments += L" noaddressedit";
    return arguments;
}

void TItemDialog::Start(const std::wstring& folder, const std::wstring& fileName, unsigned flags,
                        const std::wstring& label)
{
    FProcess = TProcess::Start(ItemDialogFixtureExe(), ItemDialogArguments(folder, fileName, flags, label));
    FHungFromStart = (flags & idHungFromStart) != 0;
    WaitInFront(folder, nullptr);
}

void TItemDialog::Next(const std::wstring& folder)
{
    PostRegistered(FState, kItemNextMessage, 0);
    WaitInFront(folder, FDialog);
}

void TItemDialog::WaitInFront(const std::wstring& folder, HWND previous)
{
    // Up means: shown in front with the folder reported, and (unless it is to hang from the
    // start) answering from its message loop.
    const ULONGLONG end = ::GetTickCount64() + 20000;
    auto left = [&] { return static_cast<DWORD>(end > ::GetTickCount64() ? end - ::GetTickCount64() : 0); };
    const bool up = WaitFor(
        [&] {
            FState = FindTopWindow(FProcess.Id(), kItemStateClass);
            FDialog = FindDialogOf(FProcess.Id());
            return FState && FDialog && FDialog != previous && Folder() == folder && ::GetForegroundWindow() == FDialog;
        },
        left());
    ASSERT_TRUE(up) << "the item dialog did not come up in front";
    if (FHungFromStart) return;
    ASSERT_TRUE(WaitFor([&] { return Answers(200); }, left())) << "the item dialog does not answer";
}

std::wstring TItemDialog::Report() const
{
    return StoredText(FState);
}

std::wstring TItemDialog::Folder() const
{
    const std::wstring report = Report();
    return report.rfind(L"folder:", 0) == 0 ? report.substr(7) : L"";
}

HWND TItemDialog::FileNameBox() const
{
    HWND view = ::FindWindowExW(FDialog, nullptr, L"DUIViewWndClassName", nullptr);
    HWND combo = ::FindWindowExW(view, nullptr, L"ComboBoxEx32", nullptr);
    return ::FindWindowExW(::FindWindowExW(combo, nullptr, L"ComboBox", nullptr), nullptr, L"Edit", nullptr);
}

HWND TItemDialog::FileList() const
{
    HWND view = ::FindWindowExW(FDialog, nullptr, L"DUIViewWndClassName", nullptr);
    return ::FindWindowExW(view, nullptr, L"ListBox", nullptr);
}

HWND TItemDialog::Breadcrumb() const
{
    HWND link = FDialog;
    for (const wchar_t* className : kItemBreadcrumbChain) link = ::FindWindowExW(link, nullptr, className, nullptr);
    return link;
}

HWND TItemDialog::AddressEdit() const
{
    HWND band = FDialog;
    for (const wchar_t* className : kItemBreadcrumbChain) {
        if (std::wstring(className) == L"Breadcrumb Parent") break;
        band = ::FindWindowExW(band, nullptr, className, nullptr);
    }
    HWND combo = ::FindWindowExW(band, nullptr, L"ComboBoxEx32", nullptr);
    return ::FindWindowExW(::FindWindowExW(combo, nullptr, L"ComboBox", nullptr), nullptr, L"Edit", nullptr);
}

bool TItemDialog::AddressEditShown() const
{
    return ::IsWindowVisible(AddressEdit()) && !::IsWindowVisible(Breadcrumb());
}

bool TItemDialog::Answers(DWORD timeoutMs) const
{
    // Not WM_NULL: the dialog can be told to take that for Kestro's check before a hang.
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(FDialog, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, timeoutMs, &result) != 0;
}

void TItemDialog::Submit(const std::wstring& text)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(FileNameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                          &result);
    PressDialogButton(FDialog, IDOK);
}

bool TItemDialog::Hang(DWORD ms)
{
    PostRegistered(FDialog, kItemHangMessage, ms);
    // The hang starts when the dialog's thread takes the posted request, which may be a moment
    // later: the caller goes on once it has.
    return WaitFor([&] { return !Answers(50); }, std::min<DWORD>(ms, 5000));
}

namespace {
// A setting sent, not posted: in place once the send returns. A posted one could still wait in
// the queue while a message sent later (a jump's WM_CLEAR) is handled first.
bool SendSetting(HWND dialog, const wchar_t* name, WPARAM wParam)
{
    DWORD_PTR result = 0;
    return ::SendMessageTimeoutW(dialog, ::RegisterWindowMessageW(name), wParam, 0, SMTO_ABORTIFHUNG, 5000, &result) !=
               0 &&
           result == 1;
}
}  // namespace

void TItemDialog::HangOnClear(DWORD ms)
{
    EXPECT_TRUE(SendSetting(FDialog, kItemHangOnClearMessage, ms)) << "the dialog did not take the setting";
}

void TItemDialog::HangAfterCheck(DWORD ms)
{
    EXPECT_TRUE(SendSetting(FDialog, kItemHangAfterCheckMessage, ms)) << "the dialog did not take the setting";
}

void TItemDialog::MoveSlowly(DWORD ms)
{
    EXPECT_TRUE(SendSetting(FDialog, kItemSlowMoveMessage, ms)) << "the dialog did not take the setting";
}

void TItemDialog::UndoSetTexts(DWORD count)
{
    EXPECT_TRUE(SendSetting(FDialog, kItemUndoSetTextMessage, count)) << "the dialog did not take the setting";
}

void TItemDialog::EatNextOk()
{
    EXPECT_TRUE(SendSetting(FDialog, kItemEatOkMessage, 0)) << "the dialog did not take the setting";
}

void TItemDialog::PromptOnNextMove()
{
    EXPECT_TRUE(SendSetting(FDialog, kItemPromptOnMoveMessage, 0)) << "the dialog did not take the setting";
}

void TItemDialog::TypeWhenAFolderIsSet()
{
    EXPECT_TRUE(SendSetting(FDialog, kItemTypeOnFolderMessage, 0)) << "the dialog did not take the setting";
}

void TItemDialog::FocusToListOnBoxFocus(DWORD count)
{
    EXPECT_TRUE(SendSetting(FDialog, kItemFocusToListMessage, count)) << "the dialog did not take the setting";
}

HWND TItemDialog::WaitForPrompt()
{
    HWND prompt = nullptr;
    WaitFor([&] {
        for (HWND wnd : TopWindowsOf(FProcess.Id()))
            if (wnd != FDialog && ClassOf(wnd) == L"#32770" && ::IsWindowVisible(wnd) &&
                StoredText(wnd) == kItemPromptTitle)
                prompt = wnd;
        return prompt != nullptr;
    });
    return prompt;
}

HWND TItemDialog::ShowMessageBox()
{
    PostRegistered(FDialog, kItemMessageBoxMessage, 0);
    HWND box = nullptr;
    WaitFor([&] {
        for (HWND wnd : TopWindowsOf(FProcess.Id()))
            if (wnd != FDialog && ClassOf(wnd) == L"#32770" && ::IsWindowVisible(wnd)) box = wnd;
        return box != nullptr;
    });
    return box;
}

}  // namespace kestro::test
