#pragma once
// Every wait and bound of the program, in one place. Users get TTimings{}; a test may hand an
// owner shorter bounds where the length of the wait is not what it is about.
#include <windows.h>

#include <string_view>

namespace kestro {

struct TTimings {
    // The follow loop looks at the window in front this often.
    UINT TickMs = 500;
    // A foreground event may come before its window is shown: it is looked at again this often,
    // this many times.
    UINT RecheckMs = 10;
    int Rechecks = 30;
    // A worker thread without work waits this long for more before it ends.
    UINT WorkerLingerMs = 5000;
    // Changed history and window size are written this long after their first change.
    UINT SaveDelayMs = 1500;
    // A replace of a list file that another program blocks is tried again this often, this many
    // times (about a second in all), before it counts as failed.
    UINT ReplaceRetryMs = 50;
    int ReplaceRetries = 20;

    // A tick's reads of a dialog wait this long: a dialog that stops answering then holds a tick
    // up for a fraction of its period, not for seconds.
    UINT ReadTimeoutMs = 250;
    // A followed dialog that stopped answering is read again only once it answers this quickly.
    UINT QuickCheckMs = 15;

    // One message of a jump waits this long for a dialog that is busy but not hung. Windows
    // counts a thread that has not looked at its messages for 5 s as hung, and a bounded send to
    // it then fails at once: a dialog busy for longer is waited for by looking at it again.
    UINT JumpSendTimeoutMs = 5000;
    // From the folder typed, the dialog has this long to come to the front with its name box
    // focused and the folder read back there before the Enter; past it the name goes back.
    UINT JumpFocusBoundMs = 2000;
    // The box is asked for the focus again this often while another control has it.
    UINT JumpFocusRetryMs = 50;
    // A dialog that answers, shows no box of its own and still shows the folder in its box and what
    // it showed before in its address bar for this long without a pause has not taken the Enter: the
    // name goes back at once. A dialog that does not answer, or shows a box of its own, is moving:
    // the jump waits for it, and the follower after the jump's bound.
    UINT JumpNoMoveBoundMs = 600;
    // The name is checked once more this much later, in case the dialog emptied the box after it.
    UINT JumpRecheckMs = 150;
    // A folder check that answers later than this after the click goes ahead only on a dialog and
    // box as they were at the click.
    UINT JumpLateCheckMs = 1000;
    // The whole jump: past this it acts no more, and the follower takes over again; the name the
    // jump holds goes back when the follower next finds the dialog moved with its box emptied.
    UINT JumpBoundMs = 12000;
    // How often a jump looks at the dialog while it waits for it: the user waits for each look.
    UINT JumpPollMs = 1;
    // How often it looks at a dialog that did not answer, which a hung one does at once.
    UINT JumpBusyPollMs = 25;

    // The Explorer tab is read at most this often while it is shown, and a read that takes longer
    // than the bound is given up.
    UINT ExplorerReadIntervalMs = 1000;
    UINT ExplorerReadBoundMs = 2000;
};

// The timings Kestro.exe runs with: the users' own, or with "quick" (the value of the environment
// variable KESTRO_TIMINGS, which only the tests set) shorter bounds for dialogs that stop
// answering, so that a test of a hung dialog need not hang it for seconds.
constexpr TTimings TimingsNamed(std::wstring_view name)
{
    TTimings timings;
    if (name != L"quick") return timings;
    timings.JumpSendTimeoutMs = 1500;
    timings.JumpBoundMs = 4000;
    return timings;
}

}  // namespace kestro
