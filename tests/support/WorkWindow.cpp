#include "tests/support/WorkWindow.h"

namespace kestro::test {

TWorkWindow::TWorkWindow()
    : FHandle(::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr))
{
}

TWorkWindow::~TWorkWindow()
{
    ::DestroyWindow(FHandle);
}

bool TWorkWindow::PumpUntil(const std::function<bool()>& condition, const std::function<void()>& deliver,
                            DWORD timeoutMs)
{
    const ULONGLONG end = ::GetTickCount64() + timeoutMs;
    while (!condition()) {
        if (::GetTickCount64() >= end) return false;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.hwnd == FHandle && msg.message == kDone) deliver();
            ::DispatchMessageW(&msg);
        }
    }
    return true;
}

}  // namespace kestro::test
