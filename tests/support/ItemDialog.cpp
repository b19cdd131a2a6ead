#include "tests/support/ItemDialog.h"

#include <gtest/gtest.h>

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
    return arguments;
}

void TItemDialog::Start(const std::wstring& folder, const std::wstring& fileName, unsigned flags,
                        const std::wstring& label)
{
    FProcess = TProcess::Start(ItemDialogFixtureExe(), ItemDialogArguments(folder, fileName, flags, label));
    WaitInFront(folder, nullptr);
}

void TItemDialog::Next(const std::wstring& folder)
{
    PostRegistered(FState, kItemNextMessage, 0);
    WaitInFront(folder, FDialog);
}

void TItemDialog::WaitInFront(const std::wstring& folder, HWND previous)
{
    const bool up = WaitFor(
        [&] {
            FState = FindTopWindow(FProcess.Id(), kItemStateClass);
            FDialog = FindDialogOf(FProcess.Id());
            return FState && FDialog && FDialog != previous && Folder() == folder &&
                   ::GetForegroundWindow() == FDialog;
        },
        15000);
    ASSERT_TRUE(up) << "the item dialog did not come up in front";
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
    return ::FindWindowExW(view, nullptr, L"Edit", nullptr);
}

HWND TItemDialog::Breadcrumb() const
{
    HWND link = FDialog;
    for (const wchar_t* className : kItemBreadcrumbChain)
        link = ::FindWindowExW(link, nullptr, className, nullptr);
    return link;
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
    ::SendMessageTimeoutW(FileNameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                          SMTO_ABORTIFHUNG, 2000, &result);
    PressDialogButton(FDialog, IDOK);
}

void TItemDialog::Hang(DWORD ms)
{
    PostRegistered(FDialog, kItemHangMessage, ms);
}

void TItemDialog::HangOnClear(DWORD ms)
{
    PostRegistered(FDialog, kItemHangOnClearMessage, ms);
}

void TItemDialog::HangAfterCheck(DWORD ms)
{
    PostRegistered(FDialog, kItemHangAfterCheckMessage, ms);
}

void TItemDialog::MoveSlowly(DWORD ms)
{
    PostRegistered(FDialog, kItemSlowMoveMessage, ms);
}

void TItemDialog::UndoSetTexts(DWORD count)
{
    PostRegistered(FDialog, kItemUndoSetTextMessage, count);
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
