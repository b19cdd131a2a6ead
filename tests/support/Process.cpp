#include "tests/support/Process.h"

#include <windows.h>
#include <tlhelp32.h>
#include <gtest/gtest.h>

#include <vector>

namespace kestro::test {

std::wstring BinDir()
{
    wchar_t path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.find_last_of(L'\\') + 1);
}

TProcess TProcess::Start(const std::wstring& exe, const std::wstring& arguments)
{
    std::wstring commandLine = L"\"" + exe + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    std::vector<wchar_t> buffer(commandLine.begin(), commandLine.end());
    buffer.push_back(L'\0');
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    TProcess process;
    // Under load Wine now and then refuses a start for a moment (error 1359, an internal
    // error): that is the platform's hiccup, not what a test checks, so the start is tried again
    // for a bounded time. A program that is not there is not waited for.
    const ULONGLONG giveUp = ::GetTickCount64() + 10000;
    DWORD error = 0;
    int attempts = 0;
    for (;;) {
        ++attempts;
        std::vector<wchar_t> commandLineCopy = buffer;  // CreateProcessW may write into it
        if (::CreateProcessW(exe.c_str(), commandLineCopy.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                             &startup, &info))
            break;
        error = ::GetLastError();
        const bool missing =
            error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND || error == ERROR_BAD_EXE_FORMAT;
        if (missing || ::GetTickCount64() >= giveUp) {
            ADD_FAILURE() << "cannot start " << std::string(exe.begin(), exe.end()) << ": error " << error << " ("
                          << attempts << " attempts)";
            return process;
        }
        ::Sleep(250);
    }
    ::CloseHandle(info.hThread);
    process.FProcess.reset(info.hProcess);
    process.FId = info.dwProcessId;
    return process;
}

bool TProcess::Running() const
{
    return FProcess && ::WaitForSingleObject(FProcess.get(), 0) == WAIT_TIMEOUT;
}

bool TProcess::WaitExit(DWORD timeoutMs, DWORD* exitCode)
{
    if (!FProcess) return false;
    if (::WaitForSingleObject(FProcess.get(), timeoutMs) != WAIT_OBJECT_0) return false;
    if (exitCode) ::GetExitCodeProcess(FProcess.get(), exitCode);
    return true;
}

bool TProcess::WaitInputIdle(DWORD timeoutMs) const
{
    return FProcess && ::WaitForInputIdle(FProcess.get(), timeoutMs) == 0;
}

void TProcess::Kill()
{
    if (Running()) {
        ::TerminateProcess(FProcess.get(), 99);
        ::WaitForSingleObject(FProcess.get(), 5000);
    }
}

void TProcess::Detach()
{
    FProcess.reset();
    FId = 0;
}

namespace {
std::vector<DWORD> ProcessesNamed(const std::wstring& exeName)
{
    std::vector<DWORD> found;
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return found;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szExeFile, exeName.c_str()) == 0 && entry.th32ProcessID != ::GetCurrentProcessId())
            found.push_back(entry.th32ProcessID);
    return found;
}
}  // namespace

int KillProcessesNamed(const std::wstring& exeName)
{
    int ended = 0;
    // A process that is still starting may not be in the first snapshot: look again until
    // none is left, for a bounded time.
    const ULONGLONG giveUp = ::GetTickCount64() + 15000;
    for (std::vector<DWORD> found = ProcessesNamed(exeName); !found.empty() && ::GetTickCount64() < giveUp;
         found = ProcessesNamed(exeName)) {
        for (DWORD pid : found) {
            UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid));
            if (!process) continue;
            if (::TerminateProcess(process.get(), 99)) ++ended;
            ::WaitForSingleObject(process.get(), 5000);
        }
        ::Sleep(20);
    }
    return ended;
}

}  // namespace kestro::test
