// The tool window following real open and save dialogs of another program, and the folder
// jump driven by real mouse clicks and key presses.
#include <gtest/gtest.h>

#include <atomic>

#include "tests/support/DataFiles.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/Follow.h"
#include "tests/support/Input.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/Kestro.h"
#include "tests/support/OwnWindows.h"
#include "tests/support/Windows.h"
#include "winutil/Timings.h"
#include "winutil/FileDialog.h"
#include "winutil/ToolWindow.h"

using namespace kestro::test;

namespace {
// How long a jump that must not happen is given to show itself: the pause after the Enter and
// a tick on top.
constexpr DWORD kNoJumpWaitMs = 1500;
constexpr DWORD kJumpWaitMs = 5000;

class Follower : public testing::Test {
protected:
    void SetUp() override
    {
        ResetDataDir();
        start = ScratchFolder(L"FollowStart");
        a = ScratchFolder(L"FollowA");
        b = ScratchFolder(L"FollowB");
        c = ScratchFolder(L"FollowC");
        WriteDataFile(L"KestroF.lst", AnsiLines({a, b, c}));
    }

    // Kestro in standby, then a dialog in front holding `name`, followed.
    void StartFollowing(TFileDialogApp& app, const std::wstring& mode, const std::wstring& name = L"name.txt")
    {
        kestro.StartReady();
        app.Start(mode, start, name);
        ASSERT_TRUE(WaitFollowing(kestro, app.Dialog())) << "the tool window did not come up over the dialog";
        if (!name.empty()) {
            ASSERT_TRUE(WaitFor([&] { return kestro.StatusText() == name; }, 1000));
        }
    }

    static void SetBoxText(HWND box, const std::wstring& text)
    {
        DWORD_PTR result = 0;
        ::SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG, 2000,
                              &result);
    }

    static bool ShowsFolder(const TFileDialogApp& app, const std::wstring& folder)
    {
        return app.Caption() == L"folder:" + folder;
    }

    // The dialog has moved to `folder` and, after the pause, holds `name` again.
    static void ExpectJumped(const TFileDialogApp& app, const std::wstring& folder,
                             const std::wstring& name = L"name.txt")
    {
        EXPECT_TRUE(WaitFor([&] { return ShowsFolder(app, folder); }, kJumpWaitMs))
            << "the dialog shows " << Narrow(app.Caption()) << ", not " << Narrow(folder);
        EXPECT_TRUE(WaitFor([&] { return TextOf(app.FileNameBox()) == name; }, kJumpWaitMs))
            << "the box holds " << Narrow(TextOf(app.FileNameBox()));
    }

    // Nothing reached the dialog: it still shows `folder`, is open and holds `name`.
    static void ExpectNoJump(const TFileDialogApp& app, const std::wstring& folder,
                             const std::wstring& name = L"name.txt")
    {
        PumpFor(kNoJumpWaitMs);
        EXPECT_TRUE(ShowsFolder(app, folder)) << Narrow(app.Caption());
        EXPECT_TRUE(::IsWindow(app.Dialog()));
        EXPECT_EQ(TextOf(app.FileNameBox()), name);
    }

    std::wstring start, a, b, c;
    TKestro kestro;
};

class FollowerOnEitherDialog : public Follower, public testing::WithParamInterface<const wchar_t*> {};

TEST_P(FollowerOnEitherDialog, ShowsOverTheDialogFollowsItsMovesAndHidesWhenItCloses)
{
    TFileDialogApp app;
    StartFollowing(app, GetParam());
    EXPECT_EQ(kestro.Caption(), FollowCaption(FileDialogAppExe()));
    EXPECT_EQ(kestro.StatusText(), L"name.txt");
    EXPECT_EQ(kestro.TabIndex(), 0);
    EXPECT_EQ(kestro.ListItems(), (std::vector<std::wstring>{a, b, c}));
    EXPECT_FALSE(::IsWindowVisible(kestro.App())) << "no task-bar button while following";

    MoveTo(app.Dialog(), 310, 170);
    EXPECT_TRUE(WaitFollowing(kestro, app.Dialog(), 1000)) << "the move was not followed at the next tick";
    MoveTo(app.Dialog(), 40, 300);
    EXPECT_TRUE(WaitFollowing(kestro, app.Dialog(), 1000));

    PressDialogButton(app.Dialog(), IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return app.Caption() == L"cancel"; }));
    EXPECT_TRUE(WaitFor([&] { return !kestro.Visible(); }, 1500)) << "still shown after the dialog closed";
    EXPECT_EQ(kestro.Caption(), L"Kestro");
    EXPECT_EQ(kestro.StatusText(), L"");
}

TEST_P(FollowerOnEitherDialog, AClickOnAFavouriteMovesTheDialogAndPutsTheNameBack)
{
    TFileDialogApp app;
    StartFollowing(app, GetParam());
    ClickEntry(kestro, 1);
    ExpectJumped(app, b);
    EXPECT_EQ(::GetForegroundWindow(), app.Dialog()) << "the dialog is in front again after the jump";
    // A name typed just before the click, after the last tick, is the one that comes back.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(app.FileNameBox(), EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 2000, &result);
    TypeText(L"fresh.txt");
    ClickEntry(kestro, 0);
    ExpectJumped(app, a, L"fresh.txt");
    EXPECT_TRUE(::IsWindow(app.Dialog())) << "the dialog accepted a file";
    if (std::wstring(GetParam()) == L"open") return;
    PressDialogButton(app.Dialog(), IDOK);
    EXPECT_TRUE(WaitFor([&] { return app.Caption() == L"result:" + a + L"\\fresh.txt"; }))
        << "saved as " << Narrow(app.Caption());
}

INSTANTIATE_TEST_SUITE_P(OpenAndSave, FollowerOnEitherDialog, testing::Values(L"open", L"save", L"export"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) { return Narrow(info.param); });

TEST_F(Follower, EnterAndArrowKeysInTheToolWindowJumpLikeAClick)
{
    TFileDialogApp app;
    StartFollowing(app, L"save");
    // Nothing selected yet: Enter is taken and goes nowhere.
    ASSERT_TRUE(ActivateToolWindow(kestro));
    ASSERT_EQ(kestro.ListSelection(), -1);
    PressKey(VK_RETURN);
    ExpectNoJump(app, start);

    ClickEntry(kestro, 0);
    ExpectJumped(app, a);
    ASSERT_TRUE(ActivateToolWindow(kestro));
    PressKey(VK_DOWN);
    EXPECT_EQ(kestro.ListSelection(), 1);
    ExpectJumped(app, b);
    ASSERT_TRUE(ActivateToolWindow(kestro));
    PressKey(VK_UP);
    ExpectJumped(app, a);

    // The dialog goes elsewhere by itself; Enter sends the selected entry again.
    ASSERT_TRUE(BringToFront(app.Dialog()));
    SetBoxText(app.FileNameBox(), c);
    PressDialogButton(app.Dialog(), IDOK);
    ASSERT_TRUE(WaitFor([&] { return ShowsFolder(app, c); }));
    SetBoxText(app.FileNameBox(), L"name.txt");
    PumpFor(700);
    ASSERT_TRUE(ActivateToolWindow(kestro));
    ASSERT_EQ(kestro.ListSelection(), 0);
    PressKey(VK_RETURN);
    ExpectJumped(app, a);
}

TEST_F(Follower, ADialogThatAnnouncesItsEventsIsFollowedByThemAndAJumpIsNotDisturbed)
{
    kestro.StartReady();
    TItemDialog item;
    item.Start(start, L"name.txt", idAnnounces);
    ASSERT_TRUE(WaitFollowing(kestro, item.Dialog()));
    for (POINT to : {POINT{310, 170}, POINT{40, 300}, POINT{520, 90}, POINT{521, 91}}) {
        MoveTo(item.Dialog(), to.x, to.y);
        EXPECT_TRUE(WaitFollowing(kestro, item.Dialog(), 1000)) << "not aligned after a move to " << to.x;
    }

    // The jump raises the dialog, which announces it; more events come during the pause. None
    // may start a tick that takes the folder in the box for the user's name.
    ClickEntry(kestro, 1);
    for (int i = 0; i < 8; ++i) {
        ::NotifyWinEvent(EVENT_SYSTEM_FOREGROUND, item.Dialog(), OBJID_WINDOW, CHILDID_SELF);
        PumpFor(80);
    }
    EXPECT_TRUE(WaitFor([&] { return item.Folder() == b; }, kJumpWaitMs));
    PumpFor(kNoJumpWaitMs);
    EXPECT_EQ(TextOf(item.FileNameBox()), L"name.txt");
    ClickEntry(kestro, 0);
    EXPECT_TRUE(WaitFor([&] { return item.Folder() == a; }, kJumpWaitMs));
    PumpFor(kNoJumpWaitMs);
    EXPECT_EQ(TextOf(item.FileNameBox()), L"name.txt") << "the name was lost by the second jump";

    PressDialogButton(item.Dialog(), IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !kestro.Visible(); }, 1500)) << "still shown after the dialog was destroyed";
    EXPECT_EQ(kestro.Caption(), L"Kestro");
}

// The jump on Windows' terms, in an item dialog of a kind the suite's Wine does not make itself.
class FollowerOnWindowsTerms : public Follower {
protected:
    void StartFollowingItem(unsigned flags)
    {
        kestro.StartReady();
        item.Start(start, L"name.txt", flags);
        ASSERT_TRUE(WaitFollowing(kestro, item.Dialog()));
    }

    TItemDialog item;
};

TEST_F(FollowerOnWindowsTerms, ADialogThatActivatesLateAndTakesTheFocusBackIsStillMoved)
{
    StartFollowingItem(idSlowActivation);
    // The file list has the focus when the dialog loses the front, and gets it back when the dialog
    // handles its activation, after Kestro has brought it forward; then it hands the focus from the
    // box back to the list twice more, each time by a message it posts itself. An Enter there would
    // open the list's file.
    // Its left end: the tool window covers the dialog's top-right corner.
    const RECT list = ClientRectOnScreen(item.FileList());
    ClickAt({list.left + 20, list.top + 8});
    ASSERT_TRUE(WaitFor([&] { return FocusOfThreadOf(item.Dialog()) == item.FileList(); }));
    item.FocusToListOnBoxFocus(2);
    ClickEntry(kestro, 1);
    EXPECT_TRUE(WaitFor([&] { return item.Folder() == b; }, kJumpWaitMs)) << Narrow(item.Report());
    EXPECT_TRUE(WaitFor([&] { return TextOf(item.FileNameBox()) == L"name.txt"; }, kJumpWaitMs));
    EXPECT_EQ(TextOf(kestro::FindChildByClass(item.Dialog(), L"Edit")), L"")
        << "the folder went into the program's own edit box, which comes before the name box";
}

// A key typed into the box between the folder and the Enter (here as an input method commits a
// character, the moment the folder is in the box): the Enter would take the text for the file's
// name. None is pressed, and the name the user had comes back.
TEST_F(FollowerOnWindowsTerms, AKeyTypedOverTheFolderGetsNoEnterAndTheNameComesBack)
{
    StartFollowingItem(0);
    item.TypeWhenAFolderIsSet();
    ClickEntry(kestro, 1);
    const auto accepted = [&] { return item.Report().rfind(L"result:", 0) == 0; };
    ASSERT_TRUE(WaitFor([&] { return accepted() || item.Typed(); }, kJumpWaitMs)) << "the jump never typed the folder";
    EXPECT_TRUE(WaitFor([&] { return accepted() || TextOf(item.FileNameBox()) == L"name.txt"; }, kJumpWaitMs))
        << "the box holds " << Narrow(TextOf(item.FileNameBox()));
    PumpFor(kNoJumpWaitMs);
    ASSERT_EQ(item.Report(), L"folder:" + start) << "an Enter reached the dialog";
    EXPECT_EQ(TextOf(item.FileNameBox()), L"name.txt");
    ClickEntry(kestro, 1);
    EXPECT_TRUE(WaitFor([&] { return item.Folder() == b; }, kJumpWaitMs)) << "the next click did not jump";
    EXPECT_TRUE(WaitFor([&] { return TextOf(item.FileNameBox()) == L"name.txt"; }, kJumpWaitMs));
}

TEST_F(FollowerOnWindowsTerms, ANameLongerThanTheOldBufferComesBackWhole)
{
    StartFollowingItem(0);
    // The names of many files chosen at once, as an Open dialog lists them.
    std::wstring names;
    for (int i = 0; i < 30; ++i) names += L"\"report-" + std::to_wstring(1000 + i) + L".txt\" ";
    ASSERT_GT(names.size(), 300u);
    SetBoxText(item.FileNameBox(), names);
    ClickEntry(kestro, 1);
    EXPECT_TRUE(WaitFor([&] { return item.Folder() == b; }, kJumpWaitMs));
    EXPECT_TRUE(WaitFor([&] { return TextOf(item.FileNameBox()) == names; }, kJumpWaitMs))
        << TextOf(item.FileNameBox()).size() << " units came back";
}

TEST_F(FollowerOnWindowsTerms, AnEnterTheDialogSwallowsGivesTheNameBackWithinASecond)
{
    StartFollowingItem(0);
    item.EatNextOk();
    ClickEntry(kestro, 1);
    ASSERT_TRUE(WaitFor([&] { return TextOf(item.FileNameBox()) == b; }, kJumpWaitMs)) << "the jump never typed";
    const ULONGLONG typed = ::GetTickCount64();
    EXPECT_TRUE(WaitFor([&] { return TextOf(item.FileNameBox()) == L"name.txt"; }, 3000));
    EXPECT_LT(::GetTickCount64() - typed, 1000u) << "the name came back late";
    EXPECT_EQ(item.Folder(), start);
    ClickEntry(kestro, 1);
    EXPECT_TRUE(WaitFor([&] { return item.Folder() == b; }, kJumpWaitMs)) << "the next click did not jump";
}

TEST_F(FollowerOnWindowsTerms, ATopmostDialogActivatedAgainStaysBelowTheToolWindow)
{
    StartFollowingItem(idTopmost);
    // Activated rather than clicked: a click right after the dock may land on the dialog while
    // it still finishes its own activation, before the next tick puts the tool window back above.
    ASSERT_TRUE(BringToFront(kestro.Main()));
    ASSERT_TRUE(BringToFront(item.Dialog()));
    EXPECT_TRUE(WaitFor([&] { return kestro::IsAbove(kestro.Main(), item.Dialog()); }, 3 * kestro::TTimings{}.TickMs))
        << "the topmost dialog covers the tool window";
}

TEST_F(FollowerOnWindowsTerms, AFolderPickerWithoutWindowsAddressBarIsLeftAlone)
{
    StartFollowingItem(idPicksFolders | idNoAddressEdit);
    ClickEntry(kestro, 1);
    PumpFor(kNoJumpWaitMs);
    EXPECT_TRUE(::IsWindow(item.Dialog())) << "the jump chose a folder in the picker: " << Narrow(item.Report());
    EXPECT_EQ(item.Folder(), start);
    EXPECT_EQ(TextOf(item.FileNameBox()), L"name.txt");
}

// One Kestro, many dialogs, each on a thread of its own as programs open them: every dialog is
// docked, followed and left at once, not only the first. The timer alone comes to a dialog
// after half its period on average, so it would keep a dozen docks and hides within a fifth
// of the period about once in a hundred million runs.
TEST_F(Follower, EveryDialogOfALongRunIsDockedFollowedAndLeftAtOnce)
{
    constexpr DWORD kAtOnceMs = kestro::TTimings{}.TickMs / 5;
    kestro.StartReady();
    TItemDialog item;
    item.Start(start, L"name.txt", idAnnounces | idSeries);
    for (int i = 0; i < 6; ++i) {
        // Each dialog at another phase of the timer.
        PumpFor(i * 83 % kestro::TTimings{}.TickMs);
        if (i > 0) item.Next(start);
        const HWND dialog = item.Dialog();
        EXPECT_TRUE(WaitFollowing(kestro, dialog, kAtOnceMs)) << "dialog " << i << " was not docked at once";
        MoveTo(dialog, 100 + 40 * i, 120);
        EXPECT_TRUE(WaitFollowing(kestro, dialog, kAtOnceMs)) << "dialog " << i << " was not followed at once";
        PressDialogButton(dialog, IDCANCEL);
        ASSERT_TRUE(WaitFor([&] { return !::IsWindow(dialog); }));
        EXPECT_TRUE(WaitFor([&] { return !kestro.Visible(); }, kAtOnceMs)) << "dialog " << i << " was not left at once";
    }
}

// Starts one of Wine's editors and opens its Save As dialog (Ctrl+S on a new document); the
// dialog in front, or 0 when it did not come up.
HWND OpenEditorsSaveAs(TProcess& editor, const std::wstring& exe)
{
    editor = TProcess::Start(exe);
    HWND main = nullptr;
    if (!WaitFor(
            [&] {
                for (HWND wnd : TopWindowsOf(editor.Id()))
                    if (::IsWindowVisible(wnd) && ClassOf(wnd) != L"#32770") main = wnd;
                return main != nullptr;
            },
            15000))
        return nullptr;
    editor.WaitInputIdle(10000);
    if (!BringToFront(main)) return nullptr;
    PressKey('S', VK_CONTROL);
    HWND dialog = nullptr;
    WaitFor([&] { return (dialog = FindDialogOf(editor.Id())) && ::GetForegroundWindow() == dialog; }, 15000);
    return dialog;
}

// The twins of the test above on the system's own dialogs, which raise their window events
// themselves where the window system does (Windows, Wine 10).
class FollowerOnRealDialogs : public Follower, public testing::WithParamInterface<const wchar_t*> {
protected:
    void SetUp() override
    {
        if (WineMajorVersion() != 0 && WineMajorVersion() < 10)
            GTEST_SKIP() << "Wine " << WineMajorVersion()
                         << " raises no window events for its own dialogs, which the timer follows; the "
                            "announcing fixture's test shows the events";
        Follower::SetUp();
    }

    // Opens the dialog of the parameter: the file-dialog fixture's, or an editor's Save As.
    HWND OpenDialog()
    {
        const std::wstring which = GetParam();
        if (which == L"open" || which == L"save") {
            app.Start(which, start, L"name.txt");
            return app.Dialog();
        }
        return OpenEditorsSaveAs(editor, which);
    }

    TFileDialogApp app;
    TProcess editor;
};

TEST_P(FollowerOnRealDialogs, AreDockedFollowedAndLeftAtOnce)
{
    constexpr DWORD kAtOnceMs = kestro::TTimings{}.TickMs / 5;
    kestro.StartReady();
    const HWND dialog = OpenDialog();
    ASSERT_NE(dialog, nullptr) << "no dialog came up";
    EXPECT_TRUE(WaitFollowing(kestro, dialog, kAtOnceMs)) << "not docked at once";
    for (int i = 0; i < 2; ++i) {
        MoveTo(dialog, 100 + 60 * i, 120);
        EXPECT_TRUE(WaitFollowing(kestro, dialog, kAtOnceMs)) << "move " << i << " was not followed at once";
    }
    PressDialogButton(dialog, IDCANCEL);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindowVisible(dialog); }));
    EXPECT_TRUE(WaitFor([&] { return !kestro.Visible(); }, kAtOnceMs)) << "not left at once";
}

constexpr const char* kRealDialogNames[] = {"Open", "Save", "Notepad", "Wordpad"};

INSTANTIATE_TEST_SUITE_P(WindowSystemsWithEvents, FollowerOnRealDialogs,
                         testing::Values(L"open", L"save", L"C:\\windows\\notepad.exe",
                                         L"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) {
                             return std::string(kRealDialogNames[info.index]);
                         });

// The editors that come with Wine: their Save As dialogs are busier than the fixtures' (a hook
// and a template, autocomplete on the name box), yet the name typed survives the jump and Save
// writes the file in the favourite.
class FollowerInAnEditor : public Follower, public testing::WithParamInterface<const wchar_t*> {};

TEST_P(FollowerInAnEditor, AJumpInItsSaveAsDialogKeepsTheNameAndSaveWritesThere)
{
    const std::wstring name = L"jumped.txt";
    // A folder that takes the dialog seconds to list, as a large one or one on a share does.
    for (int i = 0; i < 3000; ++i) {
        const std::wstring file = b + L"\\file" + std::to_wstring(i) + L".txt";
        ::CloseHandle(::CreateFileW(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr));
    }
    kestro.StartReady();
    TProcess editor;
    const HWND dialog = OpenEditorsSaveAs(editor, GetParam());
    ASSERT_NE(dialog, nullptr) << "the Save As dialog did not come up";
    ASSERT_TRUE(WaitFollowing(kestro, dialog, 5000));
    const HWND box = kestro::FindChildByClass(dialog, L"Edit");
    // Typed as a user does, which wakes the box's autocomplete.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(box, EM_SETSEL, 0, -1, SMTO_ABORTIFHUNG, 5000, &result);
    TypeText(name);
    // Two ticks read the name typed.
    PumpFor(2 * kestro::TTimings{}.TickMs + 200);

    ClickEntry(kestro, 1);
    ASSERT_TRUE(WaitFor([&] { return TextOf(box) != name; }, 5000)) << "the jump never reached the box";
    EXPECT_TRUE(WaitFor([&] { return TextOf(box) == name; }, 15000)) << "the box holds " << Narrow(TextOf(box));
    PumpFor(2000);
    EXPECT_EQ(TextOf(box), name) << "the name did not stay";
    PressDialogButton(dialog, IDOK);
    EXPECT_TRUE(
        WaitFor([&] { return ::GetFileAttributesW((b + L"\\" + name).c_str()) != INVALID_FILE_ATTRIBUTES; }, 10000))
        << "Save did not write the file in the favourite";
}

INSTANTIATE_TEST_SUITE_P(WinesEditors, FollowerInAnEditor,
                         testing::Values(L"C:\\windows\\notepad.exe",
                                         L"C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe"),
                         [](const testing::TestParamInfo<const wchar_t*>& info) {
                             return std::string(info.index == 0 ? "Notepad" : "Wordpad");
                         });

// Explorer windows as Wine's fallback reads them: top-level "CabinetWClass" windows with the
// address-bar chain of the item dialog.
class ExplorerWindows {
public:
    // Adds a window showing `folder` behind `label`; each new one comes in front of the others.
    void Open(const std::wstring& label, const std::wstring& folder)
    {
        TOwnWindow window = CreateExplorerWindow(label, folder, 60 + 30 * static_cast<int>(FWindows.size()));
        ::ShowWindow(window.get(), SW_SHOWNOACTIVATE);
        ::SetWindowPos(window.get(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
        FWindows.push_back(std::move(window));
    }

private:
    std::vector<TOwnWindow> FWindows;
};

TEST_F(Follower, TheExplorerTabListsTheOpenFoldersFrontFirstAndAClickJumpsThere)
{
    const std::wstring japanese = ScratchFolder(L"エクスプローラー表示");
    const std::wstring missing = ScratchFolder(L"ExplorerGone");
    ::RemoveDirectoryW(missing.c_str());
    ExplorerWindows explorer;
    explorer.Open(kItemBreadcrumbLabel, missing);
    explorer.Open(L"Address: ", c);
    explorer.Open(kItemBreadcrumbLabel, japanese);
    explorer.Open(L"Address: ", japanese);
    TFileDialogApp app;
    StartFollowing(app, L"save");
    ClickAt(kestro.TabPoint(2));
    EXPECT_TRUE(WaitFor(
        [&] {
            return kestro.ListItems() == std::vector<std::wstring>{japanese, c};
        },
        3000))
        << "the tab shows " << kestro.ListItems().size() << " entries";
    ClickEntry(kestro, 1);
    ExpectJumped(app, c);

    ::PostMessageW(app.Dialog(), WM_CLOSE, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return !kestro.Visible(); }));
    ASSERT_EQ(kestro.RelayShow(), 0u);
    ASSERT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
    ClickAt(kestro.TabPoint(2));
    ASSERT_TRUE(WaitFor([&] { return kestro.ListItems().size() == 2; }, 3000));
    EXPECT_FALSE(kestro.ButtonShown(tbDel));
    EXPECT_FALSE(kestro.ButtonShown(tbUp));
    ClickAt(kestro.ListItemPoint(0));
    ASSERT_TRUE(WaitFor([&] { return kestro.ListSelection() == 0; }));
    ClickAt(kestro.ButtonPoint(tbAdd));
    EXPECT_TRUE(WaitFor([&] { return kestro.TabIndex() == 0; }));
    EXPECT_EQ(kestro.ListItems(), (std::vector<std::wstring>{a, b, c, japanese}));
}

TEST_F(Follower, AnExplorerThatDoesNotAnswerLeavesKestroAnsweringAndTheTabAsItWas)
{
    ExplorerWindows shown;
    shown.Open(L"Address: ", c);
    kestro.StartReady();
    ASSERT_EQ(kestro.RelayShow(), 0u);
    ASSERT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
    ClickAt(kestro.TabPoint(2));
    ASSERT_TRUE(WaitFor([&] { return kestro.ListItems() == std::vector<std::wstring>{c}; }, 3000));

    // Explorer windows whose thread is busy: each read of them waits for its bound, and the
    // read as a whole takes longer than Kestro waits for it.
    std::atomic<bool> opened{false};
    TModalThread busy([&] {
        ExplorerWindows hung;
        for (int i = 0; i < 12; ++i) hung.Open(L"Address: ", a);
        opened = true;
        ::Sleep(4000);
    });
    ASSERT_TRUE(WaitFor([&] { return opened.load(); }));
    int unanswered = 0;
    for (const ULONGLONG end = ::GetTickCount64() + 4000; ::GetTickCount64() < end; PumpFor(20)) {
        DWORD_PTR result = 0;
        if (!::SendMessageTimeoutW(kestro.Main(), WM_NULL, 0, 0, 0, 200, &result)) ++unanswered;
        EXPECT_EQ(kestro.ListItems(), std::vector<std::wstring>{c});
    }
    EXPECT_EQ(unanswered, 0);
}

// Each case leaves Kestro following a save dialog in a state where a click on favourite 0
// must not reach the dialog. A dialog disabled by a box of its own is the message box's test
// below; every state that stops a jump is in the jump's unit table.
struct TNoJumpCase {
    const char* Name;
    bool EditMode;
    bool FavouriteMissing;
};

void PrintTo(const TNoJumpCase& c, std::ostream* os)
{
    *os << c.Name;
}

class FollowerNoJump : public Follower, public testing::WithParamInterface<TNoJumpCase> {};

TEST_P(FollowerNoJump, AClickOnAFavouriteLeavesTheDialogAlone)
{
    const TNoJumpCase& test = GetParam();
    const std::wstring missing = start + L"\\gone";
    if (test.FavouriteMissing) WriteDataFile(L"KestroF.lst", AnsiLines({missing, a}));
    kestro.StartReady();
    if (test.EditMode) {
        ASSERT_EQ(kestro.RelayShow(), 0u);
        ASSERT_TRUE(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }));
    }
    const RECT before = WindowRect(kestro.Main());
    TFileDialogApp app;
    app.Start(L"save", start, L"name.txt");
    if (test.EditMode) {
        PumpFor(1200);
        EXPECT_EQ(kestro.Caption(), L"Kestro") << "edit mode follows nothing";
        const RECT now = WindowRect(kestro.Main());
        EXPECT_TRUE(::EqualRect(&before, &now)) << "edit mode moved the window";
    } else {
        ASSERT_TRUE(WaitFollowing(kestro, app.Dialog()));
    }

    ClickEntry(kestro, 0);
    ASSERT_TRUE(WaitFor([&] { return kestro.ListSelection() == 0; }));
    ExpectNoJump(app, start);
    EXPECT_EQ(app.Caption().rfind(L"result:", 0), std::wstring::npos) << "the dialog accepted a file";

    if (test.FavouriteMissing) {
        ClickEntry(kestro, 1);
        ExpectJumped(app, a);
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, FollowerNoJump,
                         testing::Values(TNoJumpCase{"EditMode", true, false},
                                         TNoJumpCase{"FavouriteFolderDeleted", false, true}),
                         [](const testing::TestParamInfo<TNoJumpCase>& info) { return info.param.Name; });

TEST_F(Follower, AMessageBoxOfTheDialogKeepsItFollowedAndBlocksTheJump)
{
    kestro.StartReady();
    TItemDialog item;
    item.Start(start, L"name.txt");
    ASSERT_TRUE(WaitFollowing(kestro, item.Dialog()));
    const RECT before = WindowRect(kestro.Main());
    HWND box = item.ShowMessageBox();
    ASSERT_NE(box, nullptr);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == box; }));
    PumpFor(1100);
    EXPECT_TRUE(kestro.Visible()) << "a message box in front ended the following";
    EXPECT_EQ(kestro.Caption(), FollowCaption(ItemDialogFixtureExe()));
    const RECT now = WindowRect(kestro.Main());
    EXPECT_TRUE(::EqualRect(&before, &now));

    ClickEntry(kestro, 0);
    PumpFor(kNoJumpWaitMs);
    EXPECT_EQ(item.Folder(), start) << "the jump went into a dialog that its message box disables";
    EXPECT_EQ(TextOf(item.FileNameBox()), L"name.txt");

    PressDialogButton(box, IDNO);
    ASSERT_TRUE(WaitFor([&] { return !::IsWindow(box); }));
    ClickEntry(kestro, 0);
    EXPECT_TRUE(WaitFor([&] { return item.Folder() == a; }, kJumpWaitMs));
}

// The name put back after the move: read back, set once more when the dialog undid it, and not
// a third time.
struct TRestoreCase {
    const char* Name;
    DWORD Undone;
    const wchar_t* Left;
};

void PrintTo(const TRestoreCase& c, std::ostream* os)
{
    *os << c.Name;
}

class FollowerRestore : public Follower, public testing::WithParamInterface<TRestoreCase> {};

TEST_P(FollowerRestore, TheNameIsSetAgainOnceWhenTheDialogUndoesIt)
{
    kestro.StartReady();
    TItemDialog item;
    item.Start(start, L"name.txt");
    ASSERT_TRUE(WaitFollowing(kestro, item.Dialog()));
    item.UndoSetTexts(GetParam().Undone);
    ClickEntry(kestro, 0);
    ASSERT_TRUE(WaitFor([&] { return item.Folder() == a; }, kJumpWaitMs));
    PumpFor(kNoJumpWaitMs);
    EXPECT_EQ(TextOf(item.FileNameBox()), GetParam().Left);
    EXPECT_TRUE(::IsWindow(item.Dialog()));
}

INSTANTIATE_TEST_SUITE_P(Cases, FollowerRestore,
                         testing::Values(TRestoreCase{"KeptAtOnce", 0, L"name.txt"},
                                         TRestoreCase{"UndoneOnce", 1, L"name.txt"},
                                         TRestoreCase{"UndoneTwice", 2, L""}),
                         [](const testing::TestParamInfo<TRestoreCase>& info) { return info.param.Name; });

TEST_F(Follower, DoubleClickOnTheStatusLinePutsTheFirstCapturedNameBack)
{
    TFileDialogApp app;
    StartFollowing(app, L"open", L"first.txt");
    SetBoxText(app.FileNameBox(), L"second.txt");
    PumpFor(1200);
    EXPECT_EQ(kestro.StatusText(), L"first.txt") << "the status line keeps the first name";

    ASSERT_TRUE(ActivateToolWindow(kestro));
    DoubleClickAt(CentreOf(kestro.StatusBar()));
    EXPECT_TRUE(WaitFor([&] { return TextOf(app.FileNameBox()) == L"first.txt"; }, 2000));
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == app.Dialog(); }));
    ClickEntry(kestro, 2);
    ExpectJumped(app, c, L"first.txt");
}

TEST_F(Follower, MovesBetweenTwoDialogsBroughtToTheFrontInTurn)
{
    kestro.StartReady();
    TFileDialogApp one, two;
    one.Start(L"open", start, L"one.txt");
    MoveTo(one.Dialog(), 60, 80);
    two.Start(L"save", start, L"two.txt");
    MoveTo(two.Dialog(), 560, 420);
    for (TFileDialogApp* app : {&one, &two, &one}) {
        ASSERT_TRUE(BringToFront(app->Dialog()));
        EXPECT_TRUE(WaitFollowing(kestro, app->Dialog(), 1000));
    }
    // The window is over "one": a click sends "one" to the folder and gives it its name back.
    ClickEntry(kestro, 1);
    ExpectJumped(one, b, L"one.txt");
    EXPECT_TRUE(ShowsFolder(two, start));

    PressDialogButton(one.Dialog(), IDCANCEL);
    EXPECT_TRUE(WaitFor([&] { return !kestro.Visible(); }, 1500)) << "hides while the other dialog is behind";
    ASSERT_TRUE(BringToFront(two.Dialog()));
    EXPECT_TRUE(WaitFollowing(kestro, two.Dialog(), 1000));
}

}  // namespace
