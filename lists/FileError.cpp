#include "lists/FileError.h"

#include "winutil/Handles.h"

namespace kestro {

std::wstring SystemErrorMessage(DWORD error)
{
    wchar_t* buffer = nullptr;
    const DWORD length =
        ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                         nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const UniqueLocalMemory owner(buffer);
    return std::wstring(buffer ? buffer : L"", length);
}

EFileError CannotOpenError(const std::wstring& path, DWORD error)
{
    return EFileError(L"ファイル " + path + L" は開けません。 " + SystemErrorMessage(error) + L" ");
}

EFileError CannotCreateError(const std::wstring& path, DWORD error)
{
    return EFileError(L"ファイル \"" + path + L"\" を作成できません。" + SystemErrorMessage(error));
}

EFileError CannotDecodeError()
{
    return EFileError(L"Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません");
}

std::wstring ErrorBoxText(const std::wstring& message)
{
    if (!message.empty() && message.back() > L'.') return message + L".";
    return message;
}

}  // namespace kestro
