// Measures the dialog follower of the real Kestro.exe against fixture dialogs and prints the
// figures; nothing is asserted. A tick is run by a WM_TIMER with the follow loop's timer id sent
// to Kestro's main window; the same message with another id returns at once, so the difference
// between the two is the tick itself without the cost of carrying the message across.
#include <windows.h>
#include <psapi.h>
#include <winternl.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/DataFiles.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/Follow.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/Kestro.h"
#include "tests/support/Windows.h"
#include "ui/ControlIds.h"
#include "winutil/ProcessPath.h"

using namespace kestro::test;

namespace {

constexpr UINT_PTR kOtherTimerId = kestro::kTimerId + 1;
constexpr int kRounds = 7;
constexpr int kTicksPerRound = 300;
constexpr int kFloorCalls = 20000;
constexpr int kJumps = 10;
constexpr int kLeakTicks = 10000;

double Seconds()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        ::QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    ::QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void SendTimer(HWND main, UINT_PTR id)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(main, WM_TIMER, id, 0, 0, 30000, &result);
}

// Microseconds per call of `body`, the median of several rounds of `count` calls.
template <typename F>
double MicrosecondsPerCall(int count, F body)
{
    std::vector<double> rounds;
    for (int r = 0; r < kRounds; ++r) {
        const double start = Seconds();
        for (int i = 0; i < count; ++i) body();
        rounds.push_back((Seconds() - start) * 1e6 / count);
    }
    return Median(rounds);
}

// The follow loop's own time per tick: ticks against ignored timer messages, round by round.
double TickMicroseconds(HWND main)
{
    for (int i = 0; i < 20; ++i) SendTimer(main, kestro::kTimerId);
    std::vector<double> differences;
    for (int r = 0; r < kRounds; ++r) {
        double start = Seconds();
        for (int i = 0; i < kTicksPerRound; ++i) SendTimer(main, kestro::kTimerId);
        const double ticks = Seconds() - start;
        start = Seconds();
        for (int i = 0; i < kTicksPerRound; ++i) SendTimer(main, kOtherTimerId);
        const double carried = Seconds() - start;
        differences.push_back((ticks - carried) * 1e6 / kTicksPerRound);
    }
    return Median(differences);
}

double IdleFloorMicroseconds()
{
    wchar_t name[MAX_PATH];
    return MicrosecondsPerCall(kFloorCalls, [&] { ::GetClassNameW(::GetForegroundWindow(), name, MAX_PATH); });
}

// The messages a tick must send to a dialog: length and text of each window it reads.
double MessageFloorMicroseconds(const std::vector<HWND>& windows)
{
    wchar_t text[MAX_PATH];
    return MicrosecondsPerCall(kFloorCalls / 10, [&] {
        for (HWND wnd : windows) {
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
            ::SendMessageTimeoutW(wnd, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                                  1000, &result);
        }
    });
}

void PrintRatio(const char* what, double tick, double floor)
{
    std::printf("%-44s %9.1f us   floor %8.1f us   ratio %6.1f\n", what, tick, floor, tick / floor);
}

std::wstring BoxTextNow(HWND box)
{
    wchar_t text[MAX_PATH] = {};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(box, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                          &result);
    return text;
}

std::wstring FolderOf(const std::wstring& report)
{
    return report.rfind(L"folder:", 0) == 0 ? report.substr(7) : L"";
}

// A button event that carries its position, so that it lands where the pointer was moved.
void Press(POINT screen, DWORD button)
{
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dx = ::MulDiv(screen.x, 65536, ::GetSystemMetrics(SM_CXSCREEN));
    input.mi.dy = ::MulDiv(screen.y, 65536, ::GetSystemMetrics(SM_CYSCREEN));
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | button;
    ::SendInput(1, &input, sizeof input);
}

// From the button press on an entry until the dialog shows `folder` and its box holds `name`
// again: what the user waits for. Returns milliseconds, or -1 when the jump did not finish.
double TimeJump(const TKestro& kestro, int entry, const std::function<std::wstring()>& folderShown,
                const std::wstring& folder, HWND box, const std::wstring& name)
{
    if (!ActivateToolWindow(kestro)) return -1;
    const POINT point = kestro.ListItemPoint(entry);
    ::SetCursorPos(point.x, point.y);
    Press(point, 0);
    PumpFor(50);
    const double start = Seconds();
    Press(point, MOUSEEVENTF_LEFTDOWN);
    Press(point, MOUSEEVENTF_LEFTUP);
    bool moved = false;
    while (Seconds() - start < 10) {
        moved = moved || folderShown() == folder;
        if (moved && BoxTextNow(box) == name) return (Seconds() - start) * 1000;
        ::Sleep(1);
    }
    return -1;
}

void PrintJumps(const char* what, const std::vector<double>& times)
{
    if (std::find(times.begin(), times.end(), -1.0) != times.end()) {
        std::printf("%-44s a jump did not finish\n", what);
        return;
    }
    const double median = Median(times);
    std::printf("%-44s median %7.1f ms (min %.1f, max %.1f): 500 ms pause + %.1f ms\n", what, median,
                *std::min_element(times.begin(), times.end()), *std::max_element(times.begin(), times.end()),
                median - 500);
}

struct TCounts {
    DWORD Handles = 0;
    DWORD Gdi = 0;
    DWORD User = 0;
    DWORD Windows = 0;
    SIZE_T PrivateBytes = 0;
};

// One entry of the system's handle list (SystemHandleInformation, class 16).
struct THandleEntry {
    ULONG ProcessId;
    BYTE ObjectType;
    BYTE Flags;
    USHORT Handle;
    PVOID Object;
    ACCESS_MASK Access;
};

// The process's handles as the system's handle list counts them; for window systems whose
// GetProcessHandleCount does not count another process's handles.
DWORD HandlesInSystemList(DWORD pid)
{
    std::vector<BYTE> buffer(1 << 22);
    ULONG length = 0;
    if (::NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(16), buffer.data(),
                                   static_cast<ULONG>(buffer.size()), &length) != 0)
        return 0;
    const ULONG count = *reinterpret_cast<const ULONG*>(buffer.data());
    const auto* entries = reinterpret_cast<const THandleEntry*>(buffer.data() + sizeof(ULONG_PTR));
    DWORD owned = 0;
    for (ULONG i = 0; i < count; ++i)
        if ((entries[i].ProcessId & 0xFFFF) == (pid & 0xFFFF)) ++owned;
    return owned;
}

DWORD WindowsOf(DWORD pid)
{
    DWORD count = 0;
    for (HWND top : TopWindowsOf(pid)) {
        ++count;
        ::EnumChildWindows(
            top,
            [](HWND, LPARAM param) -> BOOL {
                ++*reinterpret_cast<DWORD*>(param);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&count));
    }
    return count;
}

TCounts CountsOf(HANDLE process, DWORD pid)
{
    TCounts counts;
    if (!::GetProcessHandleCount(process, &counts.Handles) || counts.Handles == 0)
        counts.Handles = HandlesInSystemList(pid);
    counts.Gdi = ::GetGuiResources(process, GR_GDIOBJECTS);
    counts.User = ::GetGuiResources(process, GR_USEROBJECTS);
    counts.Windows = WindowsOf(pid);
    PROCESS_MEMORY_COUNTERS_EX memory = {};
    memory.cb = sizeof memory;
    // The commit charge is the process's private bytes; PrivateUsage repeats it where filled in.
    if (::GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory))
        counts.PrivateBytes = memory.PrivateUsage ? memory.PrivateUsage : memory.PagefileUsage;
    return counts;
}

void PrintCount(const char* what, unsigned long long before, unsigned long long after)
{
    std::printf("  %-16s before %12llu   after %12llu   change %+lld\n", what, before, after,
                static_cast<long long>(after) - static_cast<long long>(before));
}

}  // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ResetDataDir();
    const std::wstring start = ScratchFolder(L"BenchStart");
    const std::wstring a = ScratchFolder(L"BenchA");
    const std::wstring b = ScratchFolder(L"BenchB");
    WriteDataFile(L"KestroF.lst", AnsiLines({a, b}));
    TKestro kestro;
    kestro.StartReady();
    const HWND main = kestro.Main();
    if (!main) {
        std::printf("Kestro did not start\n");
        return 1;
    }
    std::printf("Kestro follower benchmark (%d rounds, medians)\n\n", kRounds);

    PrintRatio("idle tick (no dialog in front)", TickMicroseconds(main), IdleFloorMicroseconds());

    TItemDialog item;
    item.Start(start, L"name.txt");
    WaitFollowing(kestro, item.Dialog());
    PrintRatio("tick, item dialog in front (4 messages)", TickMicroseconds(main),
               MessageFloorMicroseconds({item.FileNameBox(), item.Breadcrumb()}));
    std::printf("  of which the owner's path (GetProcessImagePath) %9.1f us\n",
                MicrosecondsPerCall(kFloorCalls / 100, [&] { kestro::GetProcessImagePath(item.Dialog()); }));

    std::vector<double> itemJumps;
    for (int i = 0; i < kJumps; ++i)
        itemJumps.push_back(TimeJump(kestro, i % 2, [&] { return item.Folder(); }, i % 2 ? b : a,
                                     item.FileNameBox(), L"name.txt"));
    std::printf("\n");
    PrintJumps("jump, item dialog (click to name back)", itemJumps);

    item.Process().Kill();
    WaitFor([&] { return !kestro.Visible(); });
    TFileDialogApp real;
    real.Start(L"save", start, L"name.txt");
    WaitFollowing(kestro, real.Dialog());
    std::vector<double> realJumps;
    for (int i = 0; i < kJumps; ++i)
        realJumps.push_back(TimeJump(kestro, i % 2, [&] { return FolderOf(real.Caption()); }, i % 2 ? b : a,
                                     real.FileNameBox(), L"name.txt"));
    PrintJumps("jump, real save dialog (click to name back)", realJumps);
    BringToFront(real.Dialog());
    WaitFor([&] { return ::GetForegroundWindow() == real.Dialog(); });
    std::printf("\n");
    PrintRatio("tick, real save dialog in front (2 messages)", TickMicroseconds(main),
               MessageFloorMicroseconds({real.FileNameBox()}));

    real.Process().Kill();
    WaitFor([&] { return !kestro.Visible(); });
    TItemDialog leak;
    leak.Start(start, L"name.txt");
    WaitFollowing(kestro, leak.Dialog());
    for (int i = 0; i < 200; ++i) SendTimer(main, kestro::kTimerId);
    const TCounts before = CountsOf(kestro.Process().Handle(), kestro.Process().Id());
    const double leakStart = Seconds();
    for (int i = 0; i < kLeakTicks; ++i) SendTimer(main, kestro::kTimerId);
    const double leakSeconds = Seconds() - leakStart;
    const TCounts after = CountsOf(kestro.Process().Handle(), kestro.Process().Id());
    std::printf("\nKestro before and after %d ticks with the item dialog in front (%.1f s):\n", kLeakTicks,
                leakSeconds);
    PrintCount("handles", before.Handles, after.Handles);
    PrintCount("GDI objects", before.Gdi, after.Gdi);
    PrintCount("USER objects", before.User, after.User);
    PrintCount("windows", before.Windows, after.Windows);
    PrintCount("private bytes", before.PrivateBytes, after.PrivateBytes);
    if (before.Gdi == 0 && after.Gdi == 0 && before.User == 0 && after.User == 0)
        std::printf("  (GDI and USER objects read 0: this window system does not count them; the\n"
                    "   windows of the process stand in for the USER objects)\n");

    // A dialog that stops answering: what each tick then costs Kestro's thread.
    leak.Hang(9000);
    const double hangStart = Seconds();
    std::printf("\nticks while the item dialog does not answer (hang of 9 s):\n");
    while (Seconds() - hangStart < 8) {
        const double tickStart = Seconds();
        SendTimer(main, kestro::kTimerId);
        std::printf("  at %4.1f s: tick %7.1f ms\n", tickStart - hangStart, (Seconds() - tickStart) * 1000);
        ::Sleep(500);
    }
    kestro.Close();
    return 0;
}
