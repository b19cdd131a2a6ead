#include <gtest/gtest.h>

#include <windows.h>
#include <sddl.h>

#include "tests/support/DataFiles.h"
#include "tests/support/Kestro.h"
#include "tests/support/Windows.h"
#include "winutil/DataFolder.h"
#include "winutil/Handles.h"

using namespace kestro;
using namespace kestro::test;

namespace {
constexpr wchar_t kMutexName[] = L"Kestro/Tamsa Project";

bool MutexExists()
{
    UniqueHandle mutex(::OpenMutexW(SYNCHRONIZE, FALSE, kMutexName));
    return static_cast<bool>(mutex);
}

// The receiver a test makes in place of a running instance: the mutex and a hidden window of
// class "TMainForm" with caption "Kestro" that records every WM_COPYDATA.
class TFakeInstance {
public:
    struct TRecord {
        DWORD SenderPid;
        bool SenderTopLevel;
        ULONG_PTR DwData;
        std::string Bytes;
    };

    // `mutexRights`, when given, is the SDDL of the only rights others get on the mutex, as an
    // instance run as administrator leaves a normal start.
    explicit TFakeInstance(const wchar_t* mutexRights = nullptr)
    {
        SECURITY_ATTRIBUTES attributes = {sizeof attributes, nullptr, FALSE};
        if (mutexRights)
            ::ConvertStringSecurityDescriptorToSecurityDescriptorW(mutexRights, SDDL_REVISION_1,
                                                                   &attributes.lpSecurityDescriptor, nullptr);
        FMutex.reset(::CreateMutexW(mutexRights ? &attributes : nullptr, FALSE, kMutexName));
        ::LocalFree(attributes.lpSecurityDescriptor);
        WNDCLASSW wc = {};
        wc.lpfnWndProc = &TFakeInstance::Proc;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"TMainForm";
        ::RegisterClassW(&wc);
        FWindow = ::CreateWindowExW(0, L"TMainForm", L"Kestro", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr, nullptr,
                                    wc.hInstance, nullptr);
        ::SetWindowLongPtrW(FWindow, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    ~TFakeInstance()
    {
        ::DestroyWindow(FWindow);
        ::UnregisterClassW(L"TMainForm", ::GetModuleHandleW(nullptr));
    }
    const std::vector<TRecord>& Records() const { return FRecords; }
    HWND Window() const { return FWindow; }

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_COPYDATA) {
            auto* self = reinterpret_cast<TFakeInstance*>(::GetWindowLongPtrW(wnd, GWLP_USERDATA));
            const auto* record = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
            // The sender ends right after the call, so its window is looked at now.
            HWND sender = reinterpret_cast<HWND>(wParam);
            DWORD senderPid = 0;
            ::GetWindowThreadProcessId(sender, &senderPid);
            self->FRecords.push_back({senderPid, ::GetAncestor(sender, GA_ROOT) == sender, record->dwData,
                                      std::string(static_cast<const char*>(record->lpData), record->cbData)});
            return 0;
        }
        return ::DefWindowProcW(wnd, message, wParam, lParam);
    }

    UniqueHandle FMutex;
    HWND FWindow = nullptr;
    std::vector<TRecord> FRecords;
};

class Startup : public testing::Test {
protected:
    void SetUp() override
    {
        KillProcessesNamed(L"Kestro.exe");
        ResetDataDir();
        WriteDataFile(L"KestroF.lst", "");
    }
};
}  // namespace

TEST_F(Startup, SecondStartRelaysExactlyOneShowRecord)
{
    TFakeInstance running;
    TProcess second = TProcess::Start(KestroExe(), L"a b");
    DWORD code = 1;
    ASSERT_TRUE(WaitFor([&] { return second.WaitExit(0, &code); }, 15000));
    PumpFor(100);
    EXPECT_EQ(code, 0u);
    ASSERT_EQ(running.Records().size(), 1u);
    const auto& record = running.Records()[0];
    EXPECT_EQ(record.DwData, 2u);
    EXPECT_EQ(record.Bytes, std::string("/\0S\0h\0o\0w\0\0\0\0\0", 14));
    // wParam is a top-level window of the process that sent the record.
    EXPECT_EQ(record.SenderPid, second.Id());
    EXPECT_TRUE(record.SenderTopLevel);
}

TEST_F(Startup, AnInstanceWhoseMutexGrantsOnlySynchronizeGetsTheRelayAndTheListsStayUntouched)
{
    WriteDataFile(L"KestroF.lst", AnsiLines({L"C:\\windows"}));
    WriteDataFile(L"KestroH.lst", AnsiLines({L"C:\\users"}));
    TFakeInstance running(L"D:(A;;0x00100000;;;WD)");  // SYNCHRONIZE for everyone
    ASSERT_EQ(UniqueHandle(::OpenMutexW(MUTEX_ALL_ACCESS, FALSE, kMutexName)).get(), nullptr)
        << "the mutex grants more than it should";
    TProcess second = TProcess::Start(KestroExe());
    DWORD code = 1;
    ASSERT_TRUE(WaitFor([&] { return second.WaitExit(0, &code); }, 15000)) << "the start did not end";
    PumpFor(100);
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(running.Records().size(), 1u);
    EXPECT_EQ(ReadDataFile(L"KestroF.lst"), AnsiLines({L"C:\\windows"}));
    EXPECT_EQ(ReadDataFile(L"KestroH.lst"), AnsiLines({L"C:\\users"}));
    EXPECT_EQ(ReadDataFile(L"Kestro.ini"), std::nullopt);
}

TEST_F(Startup, MutexWithoutWindowEndsAtOnceAndSendsNothing)
{
    UniqueHandle mutex(::CreateMutexW(nullptr, FALSE, kMutexName));
    TProcess second = TProcess::Start(KestroExe());
    DWORD code = 1;
    ASSERT_TRUE(WaitFor([&] { return second.WaitExit(0, &code); }, 15000));
    EXPECT_EQ(code, 0u);
    EXPECT_EQ(FindTopWindow(second.Id(), L"TMainForm"), nullptr);
}

TEST_F(Startup, MakerFolderTakenByAFileEndsSilently)
{
    RemoveDataFolders();
    const std::wstring maker = MakerFolderPath(GetShellFolder(1));
    WriteBytes(maker, "not a folder");
    TProcess first = TProcess::Start(KestroExe());
    DWORD code = 1;
    const bool ended = WaitFor([&] { return first.WaitExit(0, &code); }, 15000);
    ::DeleteFileW(maker.c_str());
    ASSERT_TRUE(ended);
    EXPECT_EQ(code, 0u);
    EXPECT_FALSE(MutexExists());
}

TEST_F(Startup, FirstStartCreatesFoldersAndHiddenWindowThatASecondStartShows)
{
    RemoveDataFolders();
    // The favourites file needs the folder, which the program creates: no welcome box then
    // would be a fault, so dismiss it and go on.
    TKestro kestro;
    kestro.Start();
    HWND welcome = nullptr;
    ASSERT_TRUE(WaitFor([&] { return (welcome = FindDialogOf(kestro.Process().Id())) != nullptr; }, 15000));
    EXPECT_TRUE(FolderExists(TestDataDir()));
    // A second start while the welcome box waits finds no window to call up: creation is not over.
    ASSERT_NE(kestro.WaitForMainWindow(), nullptr);
    EXPECT_EQ(kestro.RelayShow(), 0u);
    PressDialogButton(welcome, IDOK);
    ASSERT_TRUE(kestro.WaitReady());
    EXPECT_TRUE(MutexExists());
    ASSERT_TRUE(WaitFor([&] { return kestro.Caption() == L"Kestro" && !kestro.EditMode(); }));
    EXPECT_EQ(ClassOf(kestro.Main()), L"TMainForm");
    EXPECT_FALSE(kestro.Visible());

    EXPECT_EQ(kestro.RelayShow(), 0u);
    EXPECT_TRUE(WaitFor([&] { return kestro.Visible(); }));
    EXPECT_TRUE(kestro.Close());
    EXPECT_FALSE(MutexExists());
}

// A second start while the first still shows its welcome box (creation waits in it) is acted on
// once creation has ended: edit mode, not a shown window that creation then put in standby.
TEST_F(Startup, HostileRecordsAreIgnoredAndAValidRelayStillWorks)
{
    TKestro kestro;
    kestro.StartReady();
    auto send = [&](const void* data, DWORD bytes) {
        COPYDATASTRUCT record = {0, bytes, const_cast<void*>(data)};
        DWORD_PTR result = 0;
        return ::SendMessageTimeoutW(kestro.Main(), WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&record), SMTO_ABORTIFHUNG,
                                     5000, &result) != 0;
    };
    // A long block without any NUL: reading past cbData would run off the copied block.
    std::vector<wchar_t> noNul(100000, L'A');
    EXPECT_TRUE(send(noNul.data(), static_cast<DWORD>(noNul.size() * sizeof(wchar_t))));
    EXPECT_TRUE(send(L"/Show", 9));    // odd byte count
    EXPECT_TRUE(send(nullptr, 14));    // no data
    EXPECT_TRUE(send(L"/Show", 0));    // no bytes
    EXPECT_TRUE(send(L"/show", 12));   // wrong case
    EXPECT_TRUE(send(L"/Show!", 14));  // one more character
    // A record without lParam cannot cross processes at all; the window must survive the try.
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(kestro.Main(), WM_COPYDATA, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
    PumpFor(200);
    EXPECT_TRUE(kestro.Process().Running());
    EXPECT_FALSE(kestro.Visible());

    EXPECT_EQ(kestro.RelayShow(), 0u);
    EXPECT_TRUE(WaitFor([&] { return kestro.Visible(); }));
    EXPECT_TRUE(kestro.Close());
}
