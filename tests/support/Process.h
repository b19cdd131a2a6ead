#pragma once
// Starting, waiting for and ending the programs a test drives. A TProcess never outlives its
// test: the destructor ends a process that is still running.
#include <windows.h>

#include <string>

#include "winutil/Handles.h"

namespace kestro::test {

// The folder of the running test executable, with a trailing backslash; the program and the
// fixtures are built next to it.
std::wstring BinDir();

class TProcess {
public:
    TProcess() = default;
    // Starts `exe` with `arguments` (already quoted as needed); fails the test when it cannot.
    // Wine may refuse a start for a moment under load (error 1359): such a start is tried
    // again for a few seconds before the test fails.
    static TProcess Start(const std::wstring& exe, const std::wstring& arguments = L"");
    TProcess(TProcess&&) noexcept = default;
    TProcess& operator=(TProcess&&) noexcept = default;
    ~TProcess() { Kill(); }

    DWORD Id() const { return FId; }
    HANDLE Handle() const { return FProcess.get(); }
    bool Running() const;
    // Waits up to `timeoutMs` for the process to end; true with its exit code when it did.
    bool WaitExit(DWORD timeoutMs, DWORD* exitCode = nullptr);
    // Waits up to `timeoutMs` until the process waits for input with none pending
    // (WaitForInputIdle); true when it did. This alone says little (a box shown while the
    // program is still starting makes it idle too): callers also wait for the state they need.
    bool WaitInputIdle(DWORD timeoutMs) const;
    void Kill();
    // Lets the process run on after this object is gone.
    void Detach();

private:
    UniqueHandle FProcess;
    DWORD FId = 0;
};

// Ends every process whose executable name is `exeName` (left over from an earlier failure)
// and waits until none is left; gives the number ended.
int KillProcessesNamed(const std::wstring& exeName);

}  // namespace kestro::test
