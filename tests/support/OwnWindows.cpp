#include "tests/support/OwnWindows.h"

#include <string>
#include <utility>

#include "tests/support/Windows.h"

namespace kestro::test {

TOwnWindow& TOwnWindow::operator=(TOwnWindow&& other) noexcept
{
    if (this != &other) {
        TOwnWindow old(std::exchange(FWnd, std::exchange(other.FWnd, nullptr)));
    }
    return *this;
}

TOwnWindow::~TOwnWindow()
{
    if (FWnd && ::IsWindow(FWnd)) ::DestroyWindow(FWnd);
}

const wchar_t* OwnClass(const wchar_t* name, WNDPROC proc)
{
    WNDCLASSW existing = {};
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    if (!::GetClassInfoW(instance, name, &existing)) {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = proc ? proc : ::DefWindowProcW;
        wc.hInstance = instance;
        wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
        wc.lpszClassName = name;
        ::RegisterClassW(&wc);
    }
    return name;
}

TOwnWindow CreateTopWindow(const wchar_t* className, int left, int top, int width, int height, DWORD style)
{
    return TOwnWindow(::CreateWindowExW(0, className, L"Kestro test", style, left, top, width, height, nullptr, nullptr,
                                        ::GetModuleHandleW(nullptr), nullptr));
}

HWND CreateChild(HWND parent, const wchar_t* className, int id, DWORD style)
{
    return ::CreateWindowExW(0, className, L"", style, 0, 0, 50, 20, parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), ::GetModuleHandleW(nullptr), nullptr);
}

TModalThread::TModalThread(std::function<void()> body)
    : FThread([this, body = std::move(body)] {
          FId = ::GetCurrentThreadId();
          body();
          FDone = true;
      })
{
}

TModalThread::~TModalThread()
{
    while (!FDone) {
        ::EnumThreadWindows(
            FId,
            [](HWND wnd, LPARAM) -> BOOL {
                ::PostMessageW(wnd, WM_COMMAND, IDCANCEL, 0);
                ::PostMessageW(wnd, WM_CLOSE, 0, 0);
                return TRUE;
            },
            0);
        PumpFor(50);
    }
    FThread.join();
}

HWND TModalThread::WaitForWindow(const wchar_t* className, DWORD timeoutMs) const
{
    struct TSearch {
        std::wstring ClassName;
        HWND Found;
    } search{className, nullptr};
    WaitFor(
        [&] {
            ::EnumThreadWindows(
                FId,
                [](HWND wnd, LPARAM param) -> BOOL {
                    auto* s = reinterpret_cast<TSearch*>(param);
                    if (ClassOf(wnd) != s->ClassName || !::IsWindowVisible(wnd)) return TRUE;
                    s->Found = wnd;
                    return FALSE;
                },
                reinterpret_cast<LPARAM>(&search));
            return search.Found != nullptr;
        },
        timeoutMs);
    return search.Found;
}

}  // namespace kestro::test
