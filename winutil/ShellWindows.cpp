#include "winutil/ShellWindows.h"

#include <shlguid.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>

#include "winutil/ComPtr.h"
#include "winutil/FileDialog.h"
#include "winutil/ForeignWindow.h"
#include "winutil/Timings.h"

namespace kestro {

namespace {
// Defined here, not taken from the system's uuid library, whose one object of every known
// identifier would add some 46 KB to Kestro.exe.
constexpr GUID kTopLevelBrowserService = {0x4C96BE40, 0x915C, 0x11CF, {0x99, 0xD3, 0x00, 0xAA, 0x00, 0x4A, 0xE8, 0x37}};
constexpr GUID kShellWindowsClass = {0x9BA05972, 0xF6A8, 0x11CF, {0xA4, 0x42, 0x00, 0xA0, 0xC9, 0x0A, 0x8F, 0x39}};

// The folder and top-level window of one item of the shell's list; nothing for an item that
// fails or shows no file-system folder.
std::optional<TExplorerView> ReadShellWindow(IDispatch& item)
{
    TComPtr<IServiceProvider> services;
    if (FAILED(item.QueryInterface(__uuidof(IServiceProvider), services.outVoid()))) return std::nullopt;
    TComPtr<IShellBrowser> browser;
    if (FAILED(services->QueryService(kTopLevelBrowserService, __uuidof(IShellBrowser), browser.outVoid())))
        return std::nullopt;
    TComPtr<IShellView> view;
    if (FAILED(browser->QueryActiveShellView(view.out())) || !view) return std::nullopt;
    TComPtr<IFolderView> folderView;
    if (FAILED(view->QueryInterface(__uuidof(IFolderView), folderView.outVoid()))) return std::nullopt;
    TComPtr<IPersistFolder2> folder;
    if (FAILED(folderView->GetFolder(__uuidof(IPersistFolder2), folder.outVoid()))) return std::nullopt;
    PIDLIST_ABSOLUTE location = nullptr;
    if (FAILED(folder->GetCurFolder(&location)) || !location) return std::nullopt;
    wchar_t path[MAX_PATH] = {};
    const bool onDisk = ::SHGetPathFromIDListW(location, path) && path[0];
    ::CoTaskMemFree(location);
    if (!onDisk) return std::nullopt;
    HWND window = nullptr;
    browser->GetWindow(&window);
    return TExplorerView{::GetAncestor(window, GA_ROOT), path};
}
}  // namespace

HRESULT ReadShellWindows(IShellWindows& windows, std::vector<TExplorerView>& views)
{
    long count = 0;
    if (const HRESULT counted = windows.get_Count(&count); FAILED(counted)) return counted;
    for (long i = 0; i < count; ++i) {
        VARIANT index = {};
        index.vt = VT_I4;
        index.lVal = i;
        TComPtr<IDispatch> item;
        if (const HRESULT found = windows.Item(index, item.out()); FAILED(found)) return found;
        if (!item) continue;
        if (std::optional<TExplorerView> view = ReadShellWindow(*item.get())) views.push_back(*view);
    }
    return S_OK;
}

std::vector<HWND> TopLevelWindowsInZOrder()
{
    std::vector<HWND> windows;
    ::EnumWindows(
        [](HWND wnd, LPARAM param) -> BOOL {
            reinterpret_cast<std::vector<HWND>*>(param)->push_back(wnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::vector<TExplorerView> ReadCabinetWindows(const std::vector<TExplorerView>& named)
{
    std::vector<TExplorerView> views;
    for (HWND window : TopLevelWindowsInZOrder()) {
        if (GetWindowClass(window) != L"CabinetWClass") continue;
        if (std::any_of(named.begin(), named.end(), [&](const TExplorerView& view) { return view.Window == window; }))
            continue;
        HWND bar = FindBreadcrumbBar(window);
        if (!bar) continue;
        const std::optional<std::wstring> text = QueryForeignText(bar, TTimings{}.ReadTimeoutMs);
        if (text && !text->empty()) views.push_back({window, FolderFromBreadcrumbText(*text)});
    }
    return views;
}

std::vector<TExplorerView> ReadExplorerViews(bool& shellListImplemented)
{
    std::vector<TExplorerView> views;
    TComPtr<IShellWindows> windows;
    if (shellListImplemented && SUCCEEDED(::CoCreateInstance(kShellWindowsClass, nullptr, CLSCTX_ALL,
                                                             __uuidof(IShellWindows), windows.outVoid()))) {
        const HRESULT walked = ReadShellWindows(*windows.get(), views);
        if (FAILED(walked)) views.clear();
        shellListImplemented = walked != E_NOTIMPL;
    }
    // The shell's list may leave windows out, or answer with none at all (to a program run as
    // administrator, which does not see the user's own Explorer): every Explorer window it did not
    // name is read from its address bar.
    const std::vector<TExplorerView> unnamed = ReadCabinetWindows(views);
    views.insert(views.end(), unnamed.begin(), unnamed.end());
    return views;
}

}  // namespace kestro
