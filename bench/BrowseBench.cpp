// Measures the real Kestro.exe over another program's folder-browse dialog, in both of its styles,
// and prints the figures; nothing is asserted. It ends with one summary line per figure.
//
// The dock is timed from the moment the dialog is visible until the tool window sits on its
// top-right corner; under Wine 8, which raises no events for the dialog, the 500 ms timer serves
// it. The jump is timed from the button press on an entry until the dialog reports the folder
// selected in its tree.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "bench/Timing.h"
#include "tests/support/BrowseFixture.h"
#include "tests/support/DataFiles.h"
#include "tests/support/Follow.h"
#include "tests/support/Input.h"
#include "tests/support/Kestro.h"
#include "tests/support/Windows.h"

using namespace kestro::bench;
using namespace kestro::test;

namespace {

constexpr int kDocks = 8;
constexpr int kJumps = 20;

// One fixture started while Kestro waits: milliseconds from the dialog shown to the dock.
double TimeDock(const TKestro& kestro, const std::wstring& style, const std::wstring& folder)
{
    TProcess app = TProcess::Start(BrowseDialogAppExe(), style + L" \"" + folder + L"\"");
    HWND dialog = nullptr;
    const bool shown = WaitFor(
        [&] {
            dialog = FindDialogOf(app.Id());
            return dialog != nullptr;
        },
        30000);
    if (!shown) return -1;
    const double ms = MillisecondsUntil([&] { return SitsOnTopRightOf(kestro, dialog); });
    if (ms < 0)
        std::printf("  a dialog not docked within %.0f s: %s in front, the tool window %s\n", kGiveUpSeconds,
                    ::GetForegroundWindow() == dialog ? "it is" : "another window is",
                    kestro.Visible() ? "shown elsewhere" : "hidden");
    PressDialogButton(dialog, IDCANCEL);
    WaitFor([&] { return !kestro.Visible(); }, 3000);
    return ms;
}

double TimeJump(const TKestro& kestro, const TBrowseDialogApp& app, int entry, const std::wstring& folder)
{
    if (!ActivateToolWindow(kestro)) return -1;
    const POINT point = kestro.ListItemPoint(entry);
    ::SetCursorPos(point.x, point.y);
    SendMouse(point, 0);
    PumpFor(50);
    SendMouse(point, MOUSEEVENTF_LEFTDOWN);
    SendMouse(point, MOUSEEVENTF_LEFTUP);
    return MillisecondsUntil([&] { return app.Caption() == L"selected:" + folder; });
}

}  // namespace

int main()
{
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    ResetDataDir();
    const std::wstring start = BrowseableFolder(L"BenchStart");
    const std::wstring a = BrowseableFolder(L"BenchA");
    const std::wstring b = BrowseableFolder(L"BenchB");
    WriteDataFile(L"KestroF.lst", AnsiLines({a, b}));
    TKestro kestro;
    kestro.StartReady();
    if (!kestro.Main()) {
        std::printf("Kestro did not start\n");
        return 1;
    }
    std::printf("Kestro over the folder-browse dialog (%d docks, %d jumps per style)\n\n", kDocks, kJumps);
    std::vector<std::string> summary;
    for (const wchar_t* style : {L"old", L"new"}) {
        std::vector<double> docks, jumps;
        for (int i = 0; i < kDocks; ++i) docks.push_back(TimeDock(kestro, style, start));
        TBrowseDialogApp app;
        app.Start(style, start);
        WaitFollowing(kestro, app.Dialog());
        for (int i = 0; i < kJumps; ++i) jumps.push_back(TimeJump(kestro, app, i % 2, i % 2 ? b : a));
        PressDialogButton(app.Dialog(), IDCANCEL);
        const std::string name = Narrow(style);
        PrintTimes(("dock, " + name + " style").c_str(), docks, "a trial did not finish");
        PrintTimes(("jump (click to selected), " + name + " style").c_str(), jumps, "a trial did not finish");
        char line[200];
        std::snprintf(line, sizeof line, "browse_%s dock_p50=%.1f dock_p95=%.1f jump_p50=%.1f jump_p95=%.1f",
                      name.c_str(), Percentile(docks, 0.5), Percentile(docks, 0.95), Percentile(jumps, 0.5),
                      Percentile(jumps, 0.95));
        summary.push_back(line);
    }
    std::printf("\n");
    for (const std::string& line : summary) std::printf("%s\n", line.c_str());
    kestro.Close();
    for (const std::wstring& folder : {start, a, b}) ::RemoveDirectoryW(folder.c_str());
    return 0;
}
