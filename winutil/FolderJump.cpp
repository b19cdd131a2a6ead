#include "winutil/FolderJump.h"

#include <optional>

#include "winutil/FileDialog.h"
#include "winutil/Foreground.h"
#include "winutil/ForeignWindow.h"

namespace kestro {

namespace {
constexpr DWORD kTakePollMs = 50;

// Bringing the dialog forward and focusing its box wait for its thread without a limit, so it
// must answer first.
bool FocusBox(HWND dialog, HWND box)
{
    // The worker thread needs a message queue of its own to share another thread's input.
    MSG msg;
    ::PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    if (!ForeignWindowAnswers(dialog, kJumpSendTimeoutMs)) return false;
    ForceForeground(dialog);
    FocusForeignControl(box);
    return true;
}

bool SetBoxText(HWND box, const std::wstring& text)
{
    return SetForeignText(box, text, kJumpSendTimeoutMs);
}

void WaitUntilTaken(HWND dialog, HWND box, const std::wstring& folder)
{
    const ULONGLONG enter = ::GetTickCount64();
    ::Sleep(kJumpPauseMs);
    while (::GetTickCount64() - enter < kJumpTakeBoundMs && !DialogTookFolder(dialog, box, folder))
        ::Sleep(kTakePollMs);
}
}  // namespace

bool DialogTookFolder(HWND dialog, HWND box, const std::wstring& folder)
{
    if (!::IsWindow(dialog)) return true;
    const std::optional<std::wstring> text = QueryForeignText(box);
    if (!text) return false;
    if (*text != folder) return true;
    HWND bar = FindBreadcrumbBar(dialog);
    if (!bar) return false;
    const std::optional<std::wstring> shown = QueryForeignText(bar);
    if (!shown) return false;
    const std::wstring current = FolderFromBreadcrumbText(*shown);
    return ::CompareStringOrdinal(current.c_str(), static_cast<int>(current.size()), folder.c_str(),
                                  static_cast<int>(folder.size()), TRUE) == CSTR_EQUAL;
}

void SendFolderToDialog(HWND dialog, HWND box, const std::wstring& folder, const std::wstring& name)
{
    if (!FocusBox(dialog, box)) return;
    // Without the folder in the box the Enter would accept the user's file name in the folder
    // the dialog shows; a dialog that stops answering here gets no Enter, only its name back.
    if (!SendToForeign(box, WM_CLEAR, 0, 0, kJumpSendTimeoutMs) || !SetBoxText(box, folder)) {
        if (!name.empty()) SetBoxText(box, name);
        return;
    }
    ::keybd_event(VK_RETURN, 0, 0, 0);
    ::keybd_event(VK_RETURN, 0, KEYEVENTF_KEYUP, 0);
    // The name must not go into the box before the dialog has moved: the move empties the box.
    WaitUntilTaken(dialog, box, folder);
    if (name.empty()) return;
    SetBoxText(box, name);
    if (ReadForeignText(box) != name) SetBoxText(box, name);
}

void PutNameIntoDialog(HWND dialog, HWND box, const std::wstring& name)
{
    if (FocusBox(dialog, box)) SetBoxText(box, name);
}

}  // namespace kestro
