// Measures the dialog follower of the real Kestro.exe against fixture dialogs and prints the
// figures; nothing is asserted. It ends with one summary line per figure.
//
// Latencies are taken from outside, as a user sees them: the bench polls the windows every
// millisecond. The dialogs come one after another in one run of Kestro, each on a thread of its
// own, as programs open them. A "silent" dialog raises no window events (as under Wine), so only the 500 ms
// timer serves it; an "announcing" one raises those Windows raises.
//
// A tick is run by a WM_TIMER with the follow loop's timer id sent to Kestro's main window; the
// same message with another id returns at once, so the difference between the two is the tick
// itself without the cost of carrying the message across. Kestro's own timer goes on ticking
// meanwhile; a tick sent while one runs is held back, as any tick then is.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/ProcessCounts.h"
#include "bench/Timing.h"
#include "tests/support/DataFiles.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/Follow.h"
#include "tests/support/Input.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/Kestro.h"
#include "tests/support/OwnWindows.h"
#include "tests/support/Windows.h"
#include "ui/ControlIds.h"
#include "ui/ExplorerFolders.h"
#include "winutil/Timings.h"

using namespace kestro::bench;
using namespace kestro::test;

namespace {

// An id none of Kestro's timers has, so that its WM_TIMER returns at once.
constexpr UINT_PTR kOtherTimerId = 0x7E57;
constexpr int kRounds = 7;
constexpr int kTicksPerRound = 300;
constexpr int kFloorCalls = 20000;
constexpr int kJumps = 20;
constexpr int kRealTrials = 12;
constexpr int kTrials = 40;
constexpr int kGrowthSteps = 10000;

void SendTimer(HWND main, UINT_PTR id)
{
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(main, WM_TIMER, id, 0, 0, 30000, &result);
}

// Trial `i` of `kTrials` starts this far into the timer's period: spread evenly over it, in
// an order that does not follow the trials.
void WaitForPhase(int i)
{
    ::Sleep(static_cast<DWORD>((i * 37 % kTrials) * kestro::TTimings{}.TickMs / kTrials));
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
    return Percentile(differences, 0.5);
}

double IdleFloorMicroseconds()
{
    wchar_t name[MAX_PATH];
    return MicrosecondsPerCall(kRounds, kFloorCalls, [&] { ::GetClassNameW(::GetForegroundWindow(), name, MAX_PATH); });
}

// The messages a tick must send to a dialog: length and text of each window it reads.
double MessageFloorMicroseconds(const std::vector<HWND>& windows)
{
    wchar_t text[MAX_PATH];
    return MicrosecondsPerCall(kRounds, kFloorCalls / 10, [&] {
        for (HWND wnd : windows) {
            DWORD_PTR result = 0;
            ::SendMessageTimeoutW(wnd, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 1000, &result);
            ::SendMessageTimeoutW(wnd, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000,
                                  &result);
        }
    });
}

double PrintRatio(const char* what, double tick, double floor)
{
    std::printf("%-44s %9.1f us   floor %8.1f us   ratio %6.1f\n", what, tick, floor, tick / floor);
    return tick / floor;
}

std::wstring BoxTextNow(HWND box)
{
    wchar_t text[MAX_PATH] = {};
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(box, WM_GETTEXT, MAX_PATH, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG, 1000, &result);
    return text;
}

std::wstring FolderOf(const std::wstring& report)
{
    return report.rfind(L"folder:", 0) == 0 ? report.substr(7) : L"";
}

// From the button press on an entry until the box holds `name` again after the jump, which puts
// it back only once the dialog has moved: what the user waits for. The dialog must then show
// `folder`. Returns milliseconds, or -1 when the jump did not finish. The move itself is not
// timed: the real dialog's fixture reports its folder only every 50 ms.
double TimeJump(const TKestro& kestro, int entry, const std::function<std::wstring()>& folderShown,
                const std::wstring& folder, HWND box, const std::wstring& name)
{
    if (!ActivateToolWindow(kestro)) return -1;
    const POINT point = kestro.ListItemPoint(entry);
    ::SetCursorPos(point.x, point.y);
    SendMouse(point, 0);
    PumpFor(50);
    SendMouse(point, MOUSEEVENTF_LEFTDOWN);
    SendMouse(point, MOUSEEVENTF_LEFTUP);
    bool left = false;
    const double ms = MillisecondsUntil([&] {
        const std::wstring text = BoxTextNow(box);
        left = left || text != name;
        return left && text == name;
    });
    return ms >= 0 && WaitFor([&] { return folderShown() == folder; }, 2000) ? ms : -1;
}

bool Complete(const std::vector<double>& times)
{
    return std::find(times.begin(), times.end(), -1.0) == times.end();
}

// Latencies of one kind of dialog, in milliseconds.
struct TLatencies {
    std::vector<double> Dock;
    std::vector<double> Move;
    std::vector<double> Hide;
};

// Item dialogs one after another in one process, each on a thread of its own, as programs
// open them over a long run of Kestro; each is timed from its first moment in front.
class TDialogSeries {
public:
    explicit TDialogSeries(const std::wstring& folder, unsigned flags)
        : FProcess(TProcess::Start(ItemDialogFixtureExe(), ItemDialogArguments(folder, L"name.txt", flags | idSeries)))
    {
    }
    ~TDialogSeries() { FProcess.Kill(); }

    // Milliseconds from the next dialog taking the front to the tool window aligned on it.
    double Dock(const TKestro& kestro)
    {
        const HWND previous = FDialog;
        FDialog = nullptr;
        if (previous)
            ::PostMessageW(FindTopWindow(FProcess.Id(), kItemStateClass), ::RegisterWindowMessageW(kItemNextMessage), 0,
                           0);
        const double start = Seconds();
        while (!FDialog && Seconds() - start < 30) {
            HWND front = ::GetForegroundWindow();
            DWORD pid = 0;
            ::GetWindowThreadProcessId(front, &pid);
            if (pid == FProcess.Id() && front != previous && ClassOf(front) == L"#32770") FDialog = front;
            ::Sleep(1);
        }
        return FDialog ? MillisecondsUntil([&] { return SitsOnTopRightOf(kestro, FDialog); }) : -1;
    }

    // Milliseconds from the dialog's move (which has happened when SetWindowPos returns) to
    // the tool window aligned on it again.
    double Move(const TKestro& kestro, int left, int top)
    {
        MoveTo(FDialog, left, top);
        return MillisecondsUntil([&] { return SitsOnTopRightOf(kestro, FDialog); });
    }

    // Milliseconds from the dialog's destruction to the tool window hidden.
    double Hide(const TKestro& kestro)
    {
        PressDialogButton(FDialog, IDCANCEL);
        if (MillisecondsUntil([&] { return !::IsWindow(FDialog); }) < 0) return -1;
        return MillisecondsUntil([&] { return !kestro.Visible(); });
    }

private:
    TProcess FProcess;
    HWND FDialog = nullptr;
};

TLatencies MeasureLatencies(const TKestro& kestro, const std::wstring& folder, unsigned flags)
{
    TLatencies latencies;
    TDialogSeries series(folder, flags);
    for (int i = 0; i < kTrials; ++i) {
        WaitForPhase(i);
        latencies.Dock.push_back(series.Dock(kestro));
        WaitForPhase(i);
        latencies.Move.push_back(series.Move(kestro, 100 + (i % 5) * 90, 80 + (i % 3) * 70));
        WaitForPhase(i);
        latencies.Hide.push_back(series.Hide(kestro));
    }
    return latencies;
}

// The system's own dialogs, each in a process of its own (the file-dialog fixture), which raise
// whatever events the window system raises for them; each is timed from its first moment in front.
TLatencies MeasureRealLatencies(const TKestro& kestro, const std::wstring& folder)
{
    TLatencies latencies;
    for (int i = 0; i < kRealTrials; ++i) {
        WaitForPhase(i);
        TProcess app = TProcess::Start(FileDialogAppExe(), L"save \"" + folder + L"\" name.txt");
        HWND dialog = nullptr;
        for (const double start = Seconds(); !dialog && Seconds() - start < 30; ::Sleep(1)) {
            HWND front = ::GetForegroundWindow();
            DWORD pid = 0;
            ::GetWindowThreadProcessId(front, &pid);
            if (pid == app.Id() && ClassOf(front) == L"#32770" && ::IsWindowVisible(front)) dialog = front;
        }
        if (!dialog) return latencies;
        latencies.Dock.push_back(MillisecondsUntil([&] { return SitsOnTopRightOf(kestro, dialog); }));
        WaitForPhase(i);
        MoveTo(dialog, 100 + (i % 5) * 90, 80 + (i % 3) * 70);
        latencies.Move.push_back(MillisecondsUntil([&] { return SitsOnTopRightOf(kestro, dialog); }));
        WaitForPhase(i);
        PressDialogButton(dialog, IDCANCEL);
        if (MillisecondsUntil([&] { return !::IsWindowVisible(dialog); }) < 0) return latencies;
        latencies.Hide.push_back(MillisecondsUntil([&] { return !kestro.Visible(); }));
        app.Kill();
    }
    return latencies;
}

// One line of latencies, named after the Wine it was measured on.
void PrintLatency(const char* name, const std::vector<double>& events, const std::vector<double>& timer,
                  const std::vector<double>& real)
{
    std::printf("%s p50=%.1f p95=%.1f timer_p50=%.1f timer_p95=%.1f real_p50=%.1f real_p95=%.1f wine=%d\n", name,
                Percentile(events, 0.5), Percentile(events, 0.95), Percentile(timer, 0.5), Percentile(timer, 0.95),
                Percentile(real, 0.5), Percentile(real, 0.95), WineMajorVersion());
}

// Ticks while the followed dialog does not answer: the first to read it waits for it once, the
// later ones must not. Returns the slowest tick after the first, in milliseconds.
double HungTicks(HWND main, TItemDialog& dialog)
{
    constexpr DWORD kTickGapMs = 250;
    dialog.Hang(9000);
    ::Sleep(50);
    std::printf("\nticks while the item dialog does not answer (hang of 9 s), %lu ms apart:\n", kTickGapMs);
    const double hangStart = Seconds();
    double slowestAfterFirst = 0;
    for (int i = 0; Seconds() - hangStart < 8; ++i) {
        const double tickStart = Seconds();
        SendTimer(main, kestro::kTimerId);
        const double ms = (Seconds() - tickStart) * 1000;
        if (i % 4 == 0) std::printf("  at %4.1f s: tick %7.1f ms\n", tickStart - hangStart, ms);
        if (i > 0) slowestAfterFirst = std::max(slowestAfterFirst, ms);
        ::Sleep(kTickGapMs);
    }
    std::printf("  slowest tick after the first: %.1f ms\n", slowestAfterFirst);
    return slowestAfterFirst;
}

double WaitForReply(HWND main)
{
    const double start = Seconds();
    DWORD_PTR result = 0;
    ::SendMessageTimeoutW(main, WM_NULL, 0, 0, 0, 30000, &result);
    return (Seconds() - start) * 1000;
}

ULONGLONG LastWriteOf(const std::wstring& name)
{
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    ::GetFileAttributesExW((TestDataDir() + name).c_str(), GetFileExInfoStandard, &data);
    return (static_cast<ULONGLONG>(data.ftLastWriteTime.dwHighDateTime) << 32) | data.ftLastWriteTime.dwLowDateTime;
}

// How often history is written while a dialog walks through 100 folders in 10 s, one every
// 100 ms: the file's time stamp is watched every 2 ms.
int HistoryWrites(const TKestro& kestro, const std::wstring& start)
{
    std::vector<std::wstring> folders;
    for (int i = 0; i < 100; ++i) folders.push_back(ScratchFolder(L"BenchWalk" + std::to_wstring(i)));
    TItemDialog walker;
    walker.Start(start, L"name.txt");
    WaitFollowing(kestro, walker.Dialog());
    PumpFor(3000);
    ULONGLONG stamp = LastWriteOf(L"KestroH.lst");
    int writes = 0;
    auto watch = [&](double ms) {
        const double end = Seconds() + ms / 1000;
        while (Seconds() < end) {
            const ULONGLONG now = LastWriteOf(L"KestroH.lst");
            if (now != stamp) ++writes;
            stamp = now;
            ::Sleep(2);
        }
    };
    for (const std::wstring& folder : folders) {
        walker.Submit(folder);
        watch(100);
    }
    watch(3000);
    walker.Process().Kill();
    WaitFor([&] { return !kestro.Visible(); });
    return writes;
}

// The longest wait for Kestro's answer to WM_NULL while a jump to a folder on the slow share and
// a purge of ten history entries on it are under way; -1 without a slow share.
double SlowFolderStall(const std::wstring& start)
{
    if (SlowDrive().empty()) return -1;
    std::vector<std::wstring> slow;
    for (int i = 0; i < 11; ++i) {
        const std::wstring name = L"\\BenchSlow" + std::to_wstring(i);
        ::CreateDirectoryW((FastDrive() + name).c_str(), nullptr);
        slow.push_back(SlowDrive() + name);
    }
    WriteDataFile(L"KestroF.lst", AnsiLines({slow[0]}));
    std::string history;
    for (int i = 1; i < 11; ++i) history += AnsiLines({slow[i]});
    WriteDataFile(L"KestroH.lst", history);
    TKestro kestro;
    kestro.StartReady();
    TItemDialog item;
    item.Start(start, L"name.txt");
    WaitFollowing(kestro, item.Dialog());
    ClickAt(kestro.TabPoint(1));
    WaitFor([&] { return kestro.TabIndex() == 1; });
    ClickAt(kestro.TabPoint(0));
    ClickEntry(kestro, 0);
    double longest = 0;
    const double end = Seconds() + 10 * SlowDriveDelayMs() / 1000.0 + 5;
    while (Seconds() < end && item.Folder() != slow[0]) {
        longest = std::max(longest, WaitForReply(kestro.Main()));
        ::Sleep(5);
    }
    std::printf("\njump to a folder on the slow share and a purge of ten entries on it: the dialog %s\n",
                item.Folder() == slow[0] ? "reached the folder" : "did not reach the folder");
    kestro.Close();
    return longest;
}

// Top-level "CabinetWClass" windows with the address-bar chain, made and served by a thread of
// their own, which can be told to stop answering for a while.
class TExplorerFixtures {
public:
    TExplorerFixtures(int count, const std::wstring& folder)
        : FThread([this, count, folder] {
              std::vector<TOwnWindow> windows;
              for (int i = 0; i < count; ++i)
                  windows.push_back(CreateExplorerWindow(L"Address: ", folder, 40 + 10 * i));
              FReady = true;
              MSG msg;
              while (::GetMessageW(&msg, nullptr, 0, 0) > 0) {
                  if (msg.message == WM_APP) {
                      ::Sleep(static_cast<DWORD>(msg.wParam));
                      continue;
                  }
                  ::DispatchMessageW(&msg);
              }
          })
    {
        while (!FReady) ::Sleep(1);
    }
    ~TExplorerFixtures() { ::PostThreadMessageW(FThread.Id(), WM_QUIT, 0, 0); }
    // The windows' thread sleeps `ms` milliseconds from now.
    void Hang(DWORD ms) { ::PostThreadMessageW(FThread.Id(), WM_APP, ms, 0); }

private:
    std::atomic<bool> FReady{false};
    TModalThread FThread;
};

// One read of the Explorer tab as Kestro makes it, through the fallback, in milliseconds.
std::vector<double> ExplorerReads(const std::wstring& folder)
{
    TExplorerFixtures windows(10, folder);
    std::vector<double> times;
    // As Kestro's reads after its first: Wine's list of shell windows is known to be missing.
    bool shellList = true;
    for (int i = 0; i < kTrials; ++i) {
        const double start = Seconds();
        kestro::ReadExplorerTabEntries(shellList);
        times.push_back((Seconds() - start) * 1000);
    }
    return times;
}

// The longest wait for Kestro's answer to WM_NULL while its Explorer tab is shown and its reads
// wait on Explorer windows that do not answer.
double ExplorerStall(const std::wstring& folder)
{
    TExplorerFixtures windows(10, folder);
    TKestro kestro;
    kestro.StartReady();
    kestro.RelayShow();
    WaitFor([&] { return kestro.Visible() && kestro.EditMode(); });
    ClickAt(kestro.TabPoint(2));
    WaitFor([&] { return kestro.TabIndex() == 2; });
    windows.Hang(8000);
    double longest = 0;
    for (const double end = Seconds() + 8; Seconds() < end; ::Sleep(5))
        longest = std::max(longest, WaitForReply(kestro.Main()));
    kestro.Close();
    return longest;
}

// Jumps back and forth between favourites `a` and `b` in a dialog whose folder `shown` reads.
std::vector<double> TimeJumps(const TKestro& kestro, const std::function<std::wstring()>& shown, HWND box,
                              const std::wstring& a, const std::wstring& b)
{
    std::vector<double> jumps;
    for (int i = 0; i < kJumps; ++i) jumps.push_back(TimeJump(kestro, i % 2, shown, i % 2 ? b : a, box, L"name.txt"));
    return jumps;
}

// The summary line of the jumps: the item dialog's and the real save dialog's.
void PrintJumpLine(const std::vector<double>& itemJumps, const std::vector<double>& realJumps)
{
    std::printf("jump_ms item_p50=%.1f item_p95=%.1f real_p50=%.1f real_p95=%.1f\n", Percentile(itemJumps, 0.5),
                Percentile(itemJumps, 0.95), Percentile(realJumps, 0.5), Percentile(realJumps, 0.95));
}

}  // namespace

// With the argument "jumps" only the jumps are measured and printed, with their summary line.
int main(int argc, char** argv)
{
    const bool jumpsOnly = argc > 1 && std::string(argv[1]) == "jumps";
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
    std::printf("Kestro follower benchmark (%d trials for latencies, %d rounds for ticks)\n\n", kTrials, kRounds);

    if (jumpsOnly) {
        TItemDialog item;
        item.Start(start, L"name.txt");
        WaitFollowing(kestro, item.Dialog());
        const std::vector<double> itemJumps = TimeJumps(
            kestro, [&] { return item.Folder(); }, item.FileNameBox(), a, b);
        item.Process().Kill();
        TFileDialogApp real;
        real.Start(L"save", start, L"name.txt");
        WaitFollowing(kestro, real.Dialog());
        const std::vector<double> realJumps = TimeJumps(
            kestro, [&] { return FolderOf(real.Caption()); }, real.FileNameBox(), a, b);
        PrintTimes("jump, item dialog (click to name back)", itemJumps, "a jump did not finish");
        PrintTimes("jump, real save dialog (click to name back)", realJumps, "a jump did not finish");
        PrintJumpLine(itemJumps, realJumps);
        return 0;
    }
    const TLatencies announcing = MeasureLatencies(kestro, start, idAnnounces);
    const TLatencies silent = MeasureLatencies(kestro, start, 0);
    const TLatencies system = MeasureRealLatencies(kestro, start);
    std::printf(
        "latencies measured: announcing dialog, silent dialog (the timer alone), then the system's own\n"
        "save dialog (whatever events this window system raises for it) under Wine %d\n\n",
        WineMajorVersion());

    const double idleRatio =
        PrintRatio("idle tick (no dialog in front)", TickMicroseconds(main), IdleFloorMicroseconds());

    TItemDialog item;
    item.Start(start, L"name.txt");
    WaitFollowing(kestro, item.Dialog());
    const double itemRatio = PrintRatio("tick, item dialog in front (4 messages)", TickMicroseconds(main),
                                        MessageFloorMicroseconds({item.FileNameBox(), item.Breadcrumb()}));
    const std::vector<double> itemJumps = TimeJumps(
        kestro, [&] { return item.Folder(); }, item.FileNameBox(), a, b);
    PrintTimes("jump, item dialog (click to name back)", itemJumps, "a jump did not finish");
    BringToFront(item.Dialog());
    WaitFollowing(kestro, item.Dialog());
    const double hungAfterFirst = HungTicks(main, item);
    item.Process().Kill();
    WaitFor([&] { return !kestro.Visible(); });

    TFileDialogApp real;
    real.Start(L"save", start, L"name.txt");
    WaitFollowing(kestro, real.Dialog());
    const std::vector<double> realJumps = TimeJumps(
        kestro, [&] { return FolderOf(real.Caption()); }, real.FileNameBox(), a, b);
    std::printf("\n");
    PrintTimes("jump, real save dialog (click to name back)", realJumps, "a jump did not finish");
    BringToFront(real.Dialog());
    WaitFor([&] { return ::GetForegroundWindow() == real.Dialog(); });
    const double realRatio = PrintRatio("tick, real save dialog in front (2 messages)", TickMicroseconds(main),
                                        MessageFloorMicroseconds({real.FileNameBox()}));
    real.Process().Kill();
    WaitFor([&] { return !kestro.Visible(); });

    // Moves the dialog announces and ticks, one after the other, on one followed dialog.
    TItemDialog moving;
    moving.Start(start, L"name.txt", idAnnounces);
    WaitFollowing(kestro, moving.Dialog());
    auto moveAndTick = [&](int i) {
        MoveTo(moving.Dialog(), 100 + i % 7 * 40, 80 + i % 5 * 30);
        SendTimer(main, kestro::kTimerId);
    };
    for (int i = 0; i < 200; ++i) moveAndTick(i);
    const TCounts before = CountsOf(kestro.Process().Handle(), kestro.Process().Id());
    const double growthStart = Seconds();
    for (int i = 0; i < kGrowthSteps; ++i) moveAndTick(i);
    PumpFor(500);
    const TCounts after = CountsOf(kestro.Process().Handle(), kestro.Process().Id());
    std::printf("\nKestro before and after %d announced moves and ticks (%.1f s):\n", kGrowthSteps,
                Seconds() - growthStart);
    PrintCounts(before, after);
    const int historyWrites = HistoryWrites(kestro, start);
    kestro.Close();
    const double slowStall = SlowFolderStall(start);
    const std::vector<double> explorerReads = ExplorerReads(a);
    const double explorerStall = ExplorerStall(a);

    std::printf("\n");
    for (const TLatencies* latencies : {&announcing, &silent})
        if (!Complete(latencies->Dock) || !Complete(latencies->Move) || !Complete(latencies->Hide))
            std::printf("(a latency trial did not finish within %.0f s; it counts as -1 ms)\n", kGiveUpSeconds);
    PrintLatency("dock_ms", announcing.Dock, silent.Dock, system.Dock);
    PrintLatency("move_ms", announcing.Move, silent.Move, system.Move);
    PrintLatency("hide_ms", announcing.Hide, silent.Hide, system.Hide);
    PrintJumpLine(itemJumps, realJumps);
    std::printf("tick_ratio idle=%.1f dialog=%.1f\n", idleRatio, std::max(itemRatio, realRatio));
    std::printf("hung_tick_ms after_first=%.1f\n", hungAfterFirst);
    std::printf("growth handles=%lld windows=%lld private_bytes=%lld\n",
                static_cast<long long>(after.Handles) - static_cast<long long>(before.Handles),
                static_cast<long long>(after.Windows) - static_cast<long long>(before.Windows),
                static_cast<long long>(after.PrivateBytes) - static_cast<long long>(before.PrivateBytes));
    std::printf("history_writes folder_changes=100 seconds=10 writes=%d\n", historyWrites);
    std::printf("slow_folder_gui_stall_ms max=%.1f share_delay_ms=%lu\n", slowStall, SlowDriveDelayMs());
    std::printf("explorer_read_ms p50=%.1f p95=%.1f\n", Percentile(explorerReads, 0.5),
                Percentile(explorerReads, 0.95));
    std::printf("explorer_gui_stall_ms max=%.1f\n", explorerStall);
    return 0;
}
