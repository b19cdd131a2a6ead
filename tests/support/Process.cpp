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
    if (!::CreateProcessW(exe.c_str(), buffer.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &info)) {
        ADD_FAILURE() << "cannot start " << std::string(exe.begin(), exe.end()) << ": error "
                      << ::GetLastError();
        return process;
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

void KillProcessesNamed(const std::wstring& exeName)
{
    UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
         more = ::Process32NextW(snapshot.get(), &entry)) {
        if (_wcsicmp(entry.szExeFile, exeName.c_str()) != 0) continue;
        UniqueHandle process(::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE,
                                           entry.th32ProcessID));
        if (!process) continue;
        ::TerminateProcess(process.get(), 99);
        ::WaitForSingleObject(process.get(), 5000);
    }
}

}  // namespace kestro::test
