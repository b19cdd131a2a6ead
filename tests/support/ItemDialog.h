#pragma once
// ItemDialogFixture.exe, a dialog with the window tree of the newer item dialog, in a process
// of its own: driven and read from the test. The names below are the fixture's protocol and
// are shared with it, so this header pulls in nothing of the test framework.
#include <windows.h>

#include <string>

#include "tests/support/Process.h"

namespace kestro::test {

// The hidden window whose caption reports "folder:<path>" (the folder the dialog shows),
// "result:<text>" (the box's text accepted as the file) or "cancel".
constexpr wchar_t kItemStateClass[] = L"KestroItemDialogState";
// Posted to the dialog with wParam = milliseconds: its thread sleeps that long at once.
constexpr wchar_t kItemHangMessage[] = L"KestroItemDialogHang";
// Sent (or posted) to the dialog with wParam = milliseconds: its thread sleeps that long inside the
// next WM_CLEAR its file-name box receives, that is in the middle of a folder jump.
constexpr wchar_t kItemHangOnClearMessage[] = L"KestroItemDialogHangOnClear";
// Sent (or posted) to the dialog with wParam = milliseconds: its thread sleeps that long right
// after it has answered the next WM_NULL, the check a caller makes before it waits on the dialog.
constexpr wchar_t kItemHangAfterCheckMessage[] = L"KestroItemDialogHangAfterCheck";
// Sent (or posted) to the dialog with wParam = milliseconds: its next move to a folder keeps its thread
// busy that long, as the real dialog is while it reads a large folder.
constexpr wchar_t kItemSlowMoveMessage[] = L"KestroItemDialogSlowMove";
// Sent (or posted) to the dialog with wParam = n: after its next move to a folder, the next n texts
// set into its file-name box are undone at once, as a dialog that empties its box late does.
constexpr wchar_t kItemUndoSetTextMessage[] = L"KestroItemDialogUndoSetText";
// Posted to the state window of a series: the next dialog opens once the current one has closed.
constexpr wchar_t kItemNextMessage[] = L"KestroItemDialogNext";
// Sent (or posted) to the dialog: it ignores the next OK (its own code eats it, as a hook may).
constexpr wchar_t kItemEatOkMessage[] = L"KestroItemDialogEatOk";
// Posted to the dialog: it shows a modal message box of its own (Yes/No), which disables it.
constexpr wchar_t kItemMessageBoxMessage[] = L"KestroItemDialogMessageBox";
// Sent (or posted) to the dialog: its next move to a folder first shows a modal box of its own (OK),
// as a share that asks for a password or a "reconnecting" box does, and goes on once it is closed.
constexpr wchar_t kItemPromptOnMoveMessage[] = L"KestroItemDialogPromptOnMove";
// Sent (or posted) to the dialog: the next time the path of a folder is set into its file-name box or
// its address edit, that box gets a character typed at once (a posted WM_CHAR, as an input method
// commits one).
constexpr wchar_t kItemTypeOnFolderMessage[] = L"KestroItemDialogTypeOnFolder";
// The property the file-name box gets once kItemTypeOnFolderMessage has typed into it.
constexpr wchar_t kItemTypedProperty[] = L"KestroItemDialogTyped";
// Sent (or posted) to the dialog with wParam = n: the next n times its file-name box gets the
// focus, the dialog hands the focus to its file list (by a message it posts itself).
constexpr wchar_t kItemFocusToListMessage[] = L"KestroItemDialogFocusToList";
// The title of the box that kItemPromptOnMoveMessage shows.
constexpr wchar_t kItemPromptTitle[] = L"ネットワーク";
// The breadcrumb bar's text is this label followed by the folder's full path.
constexpr wchar_t kItemBreadcrumbLabel[] = L"アドレス: ";
constexpr size_t kItemBreadcrumbLabelLength = 6;
// The classes from the dialog down to its breadcrumb bar, each a first direct child.
constexpr const wchar_t* kItemBreadcrumbChain[] = {
    L"WorkerW", L"ReBarWindow32", L"Address Band Root", L"msctls_progress32", L"Breadcrumb Parent", L"ToolbarWindow32",
};

std::wstring ItemDialogFixtureExe();

// How the fixture's dialog behaves besides the contract.
enum TItemDialogFlags : unsigned {
    // The dialog's thread stops answering for good as soon as the dialog is in front.
    idHungFromStart = 1,
    // The dialog raises the window events that Windows raises for it (Wine raises none).
    idAnnounces = 2,
    // Each dialog runs on a thread of its own; once one has closed, Next opens another in front.
    idSeries = 4,
    // The dialog is topmost.
    idTopmost = 8,
    // The dialog picks folders: Enter with a folder in the box chooses it and closes the dialog.
    idPicksFolders = 16,
    // The dialog's thread handles its activation late, then gives the focus back to the control
    // that had it when the dialog lost the front.
    idSlowActivation = 32,
    // The dialog's view holds a combo box of the program's own (IFileDialogCustomize::AddComboBox).
    idCustomCombo = 64,
    // The address bar has its breadcrumbs but no address edit: a chain other than Windows' own.
    idNoAddressEdit = 128,
};

// The fixture's command line for a dialog showing `folder` with `fileName` in its box.
std::wstring ItemDialogArguments(const std::wstring& folder, const std::wstring& fileName, unsigned flags = 0,
                                 const std::wstring& label = kItemBreadcrumbLabel);

class TItemDialog {
public:
    // Starts the fixture and waits until its dialog is shown in front with `folder`; fails
    // the test when it does not come up. The breadcrumb bar shows `label` before the folder.
    void Start(const std::wstring& folder, const std::wstring& fileName, unsigned flags = 0,
               const std::wstring& label = kItemBreadcrumbLabel);

    // With idSeries: asks for the dialog after the current one and waits until it is in front
    // with `folder`.
    void Next(const std::wstring& folder);

    TProcess& Process() { return FProcess; }
    HWND Dialog() const { return FDialog; }
    // The state caption, read without a message, so also while the dialog's thread sleeps.
    std::wstring Report() const;
    // The folder of a "folder:" report; empty for any other report.
    std::wstring Folder() const;
    HWND FileNameBox() const;
    HWND Breadcrumb() const;
    // Whether the dialog's thread answers a message within `timeoutMs`.
    bool Answers(DWORD timeoutMs = 200) const;

    // As a user would: types `text` into the file-name box and presses the OK button.
    void Submit(const std::wstring& text);
    // The dialog's thread stops answering for `ms` milliseconds, from now (true once it has
    // been seen not to answer), from the next WM_CLEAR to its file-name box, or from right after
    // the next WM_NULL it answers.
    bool Hang(DWORD ms);
    void HangOnClear(DWORD ms);
    void HangAfterCheck(DWORD ms);
    // The dialog's next move to a folder takes `ms` milliseconds.
    void MoveSlowly(DWORD ms);
    // After the next move, the next `count` texts set into the box are undone.
    void UndoSetTexts(DWORD count);
    // The dialog ignores its next OK.
    void EatNextOk();
    // The next move first shows a box of the dialog's own, until the test closes it.
    void PromptOnNextMove();
    // The name box or the address edit, whichever first gets a folder's path set into it, gets a
    // character typed at once.
    void TypeWhenAFolderIsSet();
    // Whether that character has been typed.
    bool Typed() const
    {
        return ::GetPropW(FileNameBox(), kItemTypedProperty) || ::GetPropW(AddressEdit(), kItemTypedProperty);
    }
    // The address edit of the address bar (0 with idNoAddressEdit), and whether it is shown in place
    // of the breadcrumbs.
    HWND AddressEdit() const;
    bool AddressEditShown() const;
    // The next `count` times the box gets the focus, the dialog hands it to its file list.
    void FocusToListOnBoxFocus(DWORD count);
    // The box kItemPromptOnMoveMessage shows, once it is shown (0 when none came).
    HWND WaitForPrompt();
    // The dialog's file list, which holds one entry; Enter there opens that entry as the file
    // ("result:file.txt"), as the real dialog's list does.
    HWND FileList() const;
    // Shows the dialog's own message box and returns it (0 when none came).
    HWND ShowMessageBox();

private:
    void WaitInFront(const std::wstring& folder, HWND previous);

    TProcess FProcess;
    HWND FDialog = nullptr;
    HWND FState = nullptr;
    bool FHungFromStart = false;
};

}  // namespace kestro::test
