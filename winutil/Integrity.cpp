#include "winutil/Integrity.h"

#include <vector>

#include "winutil/Handles.h"

namespace kestro {

namespace {
// The mandatory level of the process's token (SECURITY_MANDATORY_*_RID); 0 when it cannot be read.
DWORD IntegrityLevel(HANDLE process)
{
    HANDLE rawToken = nullptr;
    if (!::OpenProcessToken(process, TOKEN_QUERY, &rawToken)) return 0;
    const UniqueHandle token(rawToken);
    DWORD size = 0;
    ::GetTokenInformation(token.get(), TokenIntegrityLevel, nullptr, 0, &size);
    if (size == 0) return 0;
    std::vector<BYTE> buffer(size);
    if (!::GetTokenInformation(token.get(), TokenIntegrityLevel, buffer.data(), size, &size)) return 0;
    const PSID sid = reinterpret_cast<const TOKEN_MANDATORY_LABEL*>(buffer.data())->Label.Sid;
    const UCHAR count = *::GetSidSubAuthorityCount(sid);
    return count == 0 ? 0 : *::GetSidSubAuthority(sid, count - 1);
}
}  // namespace

bool InputReaches(HWND wnd)
{
    DWORD processId = 0;
    ::GetWindowThreadProcessId(wnd, &processId);
    const UniqueHandle process(::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, processId));
    if (!process) return true;
    const DWORD theirs = IntegrityLevel(process.get());
    const DWORD ours = IntegrityLevel(::GetCurrentProcess());
    return theirs == 0 || ours == 0 || theirs <= ours;
}

}  // namespace kestro
