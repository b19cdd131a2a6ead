#pragma once
// File errors: raised by the file layer, shown by the window's error reporting.
#include <windows.h>

#include <exception>
#include <string>

namespace kestro {

class EFileError : public std::exception {
public:
    explicit EFileError(std::wstring message) : FMessage(std::move(message)) {}
    const std::wstring& Message() const noexcept { return FMessage; }
    const char* what() const noexcept override { return "Kestro file error"; }

private:
    std::wstring FMessage;
};

// The system's own text for an error code, as FormatMessageW gives it.
std::wstring SystemErrorMessage(DWORD error);

// "ファイル <path> は開けません。 <system message> "
EFileError CannotOpenError(const std::wstring& path, DWORD error);
// "ファイル "<path>" を作成できません。<system message>"
EFileError CannotCreateError(const std::wstring& path, DWORD error);
// The text of a file that cannot be decoded.
EFileError CannotDecodeError();

// The text of an error box: `message`, with "." appended when its last character's code is
// above that of ".".
std::wstring ErrorBoxText(const std::wstring& message);

}  // namespace kestro
