#include <windows.h>
#include <gtest/gtest.h>

#include <mutex>
#include <vector>

#include "tests/support/DataFiles.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/OwnWindows.h"
#include "tests/support/Windows.h"
#include "winutil/FileDialog.h"
#include "winutil/Foreground.h"

namespace {

using namespace kestro::test;

constexpr DWORD kLockTimeout = 200000;

DWORD LockTimeout()
{
    DWORD value = 0xFFFFFFFF;
    ::SystemParametersInfoW(SPI_GETFOREGROUNDLOCKTIMEOUT, 0, &value, 0);
    return value;
}

void SetLockTimeout(DWORD value)
{
    ::SystemParametersInfoW(SPI_SETFOREGROUNDLOCKTIMEOUT, 0, reinterpret_cast<void*>(static_cast<UINT_PTR>(value)), 0);
}

// The foreground-lock time-out at each activation of a "KestroActivation" window. Wine sends
// no WM_SETTINGCHANGE for changes that skip the user profile, so this is where a switched-off
// lock would show.
std::mutex GActivationsLock;
std::vector<DWORD> GActivations;

std::vector<DWORD> Activations()
{
    const std::lock_guard<std::mutex> lock(GActivationsLock);
    return GActivations;
}

LRESULT CALLBACK RecordActivation(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE) {
        const std::lock_guard<std::mutex> lock(GActivationsLock);
        GActivations.push_back(LockTimeout());
    }
    return ::DefWindowProcW(wnd, message, wParam, lParam);
}

const wchar_t* ActivationClass()
{
    return OwnClass(L"KestroActivation", RecordActivation);
}

// Runs with a non-zero foreground-lock time-out, as Windows has it, with a window of the test
// thread in front; Wine's own time-out is put back afterwards.
class ForegroundTest : public testing::Test {
protected:
    void SetUp() override
    {
        FSavedTimeout = LockTimeout();
        SetLockTimeout(kLockTimeout);
        ASSERT_EQ(LockTimeout(), kLockTimeout) << "the time-out cannot be set here";
        FFront = CreateTopWindow(OwnClass(L"KestroPlain"), 100, 100, 300, 200);
        ASSERT_TRUE(BringToFront(FFront.get()));
        const std::lock_guard<std::mutex> lock(GActivationsLock);
        GActivations.clear();
    }
    void TearDown() override { SetLockTimeout(FSavedTimeout); }

    TOwnWindow FFront;

private:
    DWORD FSavedTimeout = 0;
};

// A window of another thread is activated by that thread a moment later under Wine, so what
// counts there is that the window arrives in front, not the immediate result.
TEST_F(ForegroundTest, BringsAnotherProcessDialogToTheFront)
{
    TFileDialogApp app;
    app.Start(L"open", ScratchFolder(L"foreground"), L"a.txt");
    ASSERT_TRUE(BringToFront(FFront.get()));

    kestro::ForceForeground(app.Dialog());
    EXPECT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == app.Dialog(); }, 1000));
    EXPECT_EQ(LockTimeout(), kLockTimeout);
    EXPECT_TRUE(kestro::ForceForeground(app.Dialog()));
}

TEST_F(ForegroundTest, LeavesAWindowAlreadyInFrontAsItIs)
{
    TModalThread other([] {
        const TOwnWindow wnd = CreateTopWindow(ActivationClass(), 200, 200, 300, 200);
        MSG msg;
        while (::IsWindow(wnd.get()) && ::GetMessageW(&msg, nullptr, 0, 0) > 0) ::DispatchMessageW(&msg);
    });
    HWND target = other.WaitForWindow(L"KestroActivation");
    ASSERT_NE(target, nullptr);
    ASSERT_TRUE(BringToFront(FFront.get()));

    kestro::ForceForeground(target);
    ASSERT_TRUE(WaitFor([&] { return ::GetForegroundWindow() == target; }, 1000));
    EXPECT_EQ(LockTimeout(), kLockTimeout);
    PumpFor(50);
    const size_t activations = Activations().size();

    EXPECT_TRUE(kestro::ForceForeground(target));
    PumpFor(50);
    EXPECT_EQ(Activations().size(), activations) << "the window was activated again";
}

TEST_F(ForegroundTest, TheForegroundProcessSetsTheForegroundWithoutTouchingTheLock)
{
    const TOwnWindow second = CreateTopWindow(ActivationClass(), 200, 200, 300, 200);
    ASSERT_TRUE(BringToFront(FFront.get()));
    {
        const std::lock_guard<std::mutex> lock(GActivationsLock);
        GActivations.clear();
    }

    EXPECT_TRUE(kestro::ForceForeground(second.get()));
    EXPECT_EQ(::GetForegroundWindow(), second.get());
    const std::vector<DWORD> seen = Activations();
    ASSERT_FALSE(seen.empty());
    for (DWORD timeout : seen) EXPECT_EQ(timeout, kLockTimeout) << "the lock was switched off for nothing";
    EXPECT_EQ(LockTimeout(), kLockTimeout);
}

TEST_F(ForegroundTest, TheDialogOfAnotherProcessFocusesTheControlItselfAndNoInputIsShared)
{
    TFileDialogApp app;
    app.Start(L"open", ScratchFolder(L"focus"), L"a.txt");
    ASSERT_TRUE(kestro::ForceForeground(app.Dialog()));
    HWND fileList = kestro::FindChildByClass(app.Dialog(), L"SysListView32");
    HWND box = app.FileNameBox();
    ASSERT_TRUE(fileList && box);

    for (HWND target : {fileList, box, fileList}) {
        EXPECT_TRUE(kestro::FocusForeignControl(target));
        EXPECT_TRUE(WaitFor([&] { return FocusOfThreadOf(app.Dialog()) == target; }, 2000))
            << "the focus did not reach control " << ::GetDlgCtrlID(target);
        // Detaching only succeeds between attached threads; it must fail.
        EXPECT_FALSE(::AttachThreadInput(::GetCurrentThreadId(), app.DialogThread(), FALSE))
            << "the test thread was attached to the dialog's input";
    }
}

}  // namespace
