#include "winutil/AddressBarJump.h"

#include "winutil/AddressBar.h"
#include "winutil/FileDialog.h"
#include "winutil/Foreground.h"
#include "winutil/ForeignWindow.h"
#include "winutil/Integrity.h"

namespace kestro {

namespace {
// How far left of the bar's right edge the click lands: past the last crumb, inside the bar.
constexpr int kBarEndInsetPx = 4;

bool Before(ULONGLONG deadline)
{
    return ::GetTickCount64() < deadline;
}

// The click on the bar's empty end, which shows the address edit; as messages, so that neither
// the user's pointer moves nor a window above the bar (Kestro's own) takes the click.
bool ClickBarEnd(HWND breadcrumbs)
{
    RECT client = {};
    if (!::GetClientRect(breadcrumbs, &client) || client.right <= 2 * kBarEndInsetPx) return false;
    const LPARAM point = MAKELPARAM(client.right - kBarEndInsetPx, client.bottom / 2);
    return ::PostMessageW(breadcrumbs, WM_LBUTTONDOWN, MK_LBUTTON, point) &&
           ::PostMessageW(breadcrumbs, WM_LBUTTONUP, 0, point);
}

bool EditShownAndFocused(HWND dialog, HWND edit)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetForegroundWindow() == dialog &&
           ::GetGUIThreadInfo(::GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndActive == dialog &&
           info.hwndFocus == edit && ReadAddressBarMode(dialog) == TAddressBarMode::Edit;
}

// Waits, within the focus bound, until the dialog shows its address edit with the focus in it.
bool WaitForEdit(const TFolderJump& jump, HWND edit, const std::atomic<bool>& stop)
{
    const ULONGLONG since = ::GetTickCount64();
    while (!stop && Before(jump.Deadline) && ::GetTickCount64() - since < jump.Timings.JumpFocusBoundMs) {
        if (EditShownAndFocused(jump.Dialog, edit)) return true;
        ::Sleep(jump.Timings.JumpBusyPollMs);
    }
    return false;
}

// An address edit already shown may hold what the user is typing: it is taken only while it
// holds the folder the breadcrumbs show.
bool EditHoldsShownFolder(const TAddressBar& bar, UINT timeoutMs)
{
    const std::optional<std::wstring> shown = QueryForeignText(bar.Breadcrumbs, timeoutMs);
    const std::optional<std::wstring> text = QueryForeignText(bar.Edit, timeoutMs);
    return shown && text && !text->empty() && *text == FolderFromBreadcrumbText(*shown);
}
}  // namespace

void SendFolderThroughAddressBar(const TFolderJump& jump, const std::atomic<bool>& stop)
{
    const TTimings& timings = jump.Timings;
    const auto acting = [&] { return !stop && Before(jump.Deadline); };
    if (!InputReaches(jump.Dialog)) return;
    if (jump.AtClick && !SameAsAtClick(*jump.AtClick, LookAtDialog(jump.Dialog, jump.Box, timings.ReadTimeoutMs)))
        return;
    const TAddressBarMode mode = ReadAddressBarMode(jump.Dialog);
    const TAddressBar bar = FindAddressBar(jump.Dialog);
    if (mode == TAddressBarMode::None || !bar.Edit) return;
    if (mode == TAddressBarMode::Edit && !EditHoldsShownFolder(bar, timings.ReadTimeoutMs)) return;
    // Bringing the dialog forward waits for its thread without a limit, so it must answer first.
    if (!acting() || !ForeignWindowAnswers(jump.Dialog, timings.JumpSendTimeoutMs)) return;
    ForceForeground(jump.Dialog);
    if (mode == TAddressBarMode::Breadcrumbs && !ClickBarEnd(bar.Breadcrumbs)) return;
    if (!WaitForEdit(jump, bar.Edit, stop)) return;
    const std::optional<std::wstring> before = QueryForeignText(bar.Edit, timings.JumpSendTimeoutMs);
    if (!before || !acting() || !SetForeignText(bar.Edit, jump.Folder, timings.JumpSendTimeoutMs)) return;
    TFolderJump press = jump;
    press.Box = bar.Edit;
    const auto editShown = [&] { return ReadAddressBarMode(jump.Dialog) == TAddressBarMode::Edit; };
    switch (WaitToPress(press, false, stop, editShown)) {
    case TPressStep::Press:
        ::keybd_event(VK_RETURN, 0, 0, 0);
        ::keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
        return;
    case TPressStep::GiveUp:
        // Whatever took the folder's place goes, and the edit gets back what it held.
        if (acting()) SetForeignText(bar.Edit, *before, timings.JumpSendTimeoutMs);
        return;
    default: return;
    }
}

}  // namespace kestro
