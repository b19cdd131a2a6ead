#include "ui/BrowseForFolder.h"

#include <shlobj.h>

#include <memory>
#include <vector>

#include "winutil/DataFolder.h"
#include "winutil/Handles.h"

namespace kestro {

namespace {
constexpr unsigned kAddCommandOptions = 11;

struct TBrowseContext {
    HWND Owner;
    const std::wstring* Folder;
};

int CALLBACK BrowseCallback(HWND dialog, UINT message, LPARAM, LPARAM data)
{
    if (message != BFFM_INITIALIZED) return 0;
    const auto* context = reinterpret_cast<const TBrowseContext*>(data);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    ::GetMonitorInfoW(::MonitorFromWindow(context->Owner, MONITOR_DEFAULTTONEAREST), &monitor);
    RECT rect;
    ::GetWindowRect(dialog, &rect);
    const POINT corner = CentreOnMonitor(monitor.rcMonitor, rect.right - rect.left, rect.bottom - rect.top);
    ::SetWindowPos(dialog, nullptr, corner.x, corner.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    if (!context->Folder->empty())
        ::SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, reinterpret_cast<LPARAM>(context->Folder->c_str()));
    return 0;
}

// The windows of this thread that were enabled, disabled for the length of a modal dialog.
class TThreadWindowsDisabled {
public:
    TThreadWindowsDisabled()
    {
        ::EnumThreadWindows(
            ::GetCurrentThreadId(),
            [](HWND wnd, LPARAM param) -> BOOL {
                if (::IsWindowEnabled(wnd)) reinterpret_cast<std::vector<HWND>*>(param)->push_back(wnd);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&FDisabled));
        for (HWND wnd : FDisabled) ::EnableWindow(wnd, FALSE);
    }
    TThreadWindowsDisabled(const TThreadWindowsDisabled&) = delete;
    TThreadWindowsDisabled& operator=(const TThreadWindowsDisabled&) = delete;
    ~TThreadWindowsDisabled()
    {
        for (HWND wnd : FDisabled) ::EnableWindow(wnd, TRUE);
    }

private:
    std::vector<HWND> FDisabled;
};

struct TMallocRelease {
    void operator()(IMalloc* allocator) const { allocator->Release(); }
};
}  // namespace

UINT BrowseFlagsForOptions(unsigned options)
{
    UINT flags = BIF_RETURNONLYFSDIRS;
    if (!(options & 0x01)) flags |= BIF_NONEWFOLDERBUTTON;
    if (options & 0x02) flags |= BIF_EDITBOX;
    if ((options & 0x04) && !(options & 0x08)) flags |= BIF_SHAREABLE;
    if (options & 0x08) flags |= BIF_NEWDIALOGSTYLE;
    if (options & 0x10) flags |= BIF_BROWSEINCLUDEFILES;
    if (options & 0x20) flags |= BIF_VALIDATE;
    return flags;
}

POINT CentreOnMonitor(const RECT& monitor, int width, int height)
{
    return {monitor.left + (monitor.right - monitor.left - width) / 2,
            monitor.top + (monitor.bottom - monitor.top - height) / 2};
}

bool BrowseForFolder(const std::wstring& instruction, HWND owner, std::wstring& folder)
{
    if (!FolderExists(folder)) folder.clear();
    IMalloc* rawAllocator = nullptr;
    if (FAILED(::SHGetMalloc(&rawAllocator)) || !rawAllocator) return false;
    std::unique_ptr<IMalloc, TMallocRelease> allocator(rawAllocator);
    auto* buffer = static_cast<wchar_t*>(allocator->Alloc(MAX_PATH * sizeof(wchar_t)));
    if (!buffer) return false;
    TScopeExit freeBuffer([&] { allocator->Free(buffer); });
    buffer[0] = L'\0';

    TBrowseContext context = {owner, &folder};
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = buffer;
    info.lpszTitle = instruction.c_str();
    info.ulFlags = BrowseFlagsForOptions(kAddCommandOptions);
    info.lpfn = &BrowseCallback;
    info.lParam = reinterpret_cast<LPARAM>(&context);

    PIDLIST_ABSOLUTE chosen = nullptr;
    {
        TThreadWindowsDisabled disabled;
        // A drive without a medium must not raise a system message box while browsing.
        const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
        TScopeExit restoreMode([&] { ::SetErrorMode(oldMode); });
        chosen = ::SHBrowseForFolderW(&info);
    }
    if (!chosen) return false;
    ::SHGetPathFromIDListW(chosen, buffer);
    allocator->Free(chosen);
    folder.assign(buffer, wcsnlen(buffer, MAX_PATH));
    return true;
}

}  // namespace kestro
