#include "winutil/BrowseSelection.h"

#include <shlobj.h>

#include "winutil/BrowseDialog.h"
#include "winutil/ForeignWindow.h"
#include "winutil/Handles.h"
#include "winutil/Integrity.h"

namespace kestro {

namespace {
// A copy of a text in another process's memory, freed with the object unless it is left there.
class TRemoteText {
public:
    TRemoteText(HANDLE process, const std::wstring& text) : FProcess(process)
    {
        const SIZE_T bytes = (text.size() + 1) * sizeof(wchar_t);
        FAddress = ::VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (FAddress && !::WriteProcessMemory(process, FAddress, text.c_str(), bytes, nullptr)) Free();
    }
    TRemoteText(const TRemoteText&) = delete;
    TRemoteText& operator=(const TRemoteText&) = delete;
    ~TRemoteText() { Free(); }

    void* Address() const { return FAddress; }
    // A message that timed out may still be handled later, reading the text then: it stays.
    void Leave() { FAddress = nullptr; }

private:
    void Free()
    {
        if (FAddress) ::VirtualFreeEx(FProcess, FAddress, 0, MEM_RELEASE);
        FAddress = nullptr;
    }

    HANDLE FProcess;
    void* FAddress = nullptr;
};
}  // namespace

bool SelectInBrowseDialog(HWND dialog, const std::wstring& folder, UINT timeoutMs)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(dialog, &processId);
    // What allocating, writing and freeing memory in the dialog's process needs, and no more.
    const UniqueHandle process(::OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, processId));
    if (!process) return false;
    TRemoteText path(process.get(), folder);
    if (!path.Address()) return false;
    if (!SendToForeign(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(path.Address()), timeoutMs)) {
        path.Leave();
        return false;
    }
    ShowBrowseSelection(dialog, timeoutMs);
    return true;
}

void ShowBrowseSelection(HWND dialog, UINT timeoutMs)
{
    // The new style of Windows selects the folder without scrolling its tree to it.
    const HWND tree = FindBrowseTree(dialog);
    LRESULT item = 0;
    if (tree && SendToForeign(tree, TVM_GETNEXTITEM, TVGN_CARET, 0, timeoutMs, &item) && item)
        SendToForeign(tree, TVM_ENSUREVISIBLE, 0, item, timeoutMs);
}

void MoveBrowseDialogTo(HWND dialog, const std::wstring& folder, const TTimings& timings, ULONGLONG deadline)
{
    // A program run as administrator refuses the message and the memory alike: it is left alone.
    if (!InputReaches(dialog) || ::GetTickCount64() >= deadline) return;
    if (!SelectInBrowseDialog(dialog, folder, timings.JumpSendTimeoutMs)) return;
    // The new style of Windows fills and scrolls its tree after the message has returned.
    ::Sleep(timings.JumpRecheckMs);
    if (::GetTickCount64() < deadline) ShowBrowseSelection(dialog, timings.ReadTimeoutMs);
}

}  // namespace kestro
