#pragma once
// Writes the list and size files off the window's thread, so that a file another program holds
// (a sync client, a virus scanner) never stops the window while the user works in dialogs.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace kestro {

// What puts bytes into a file: WriteFileBytes, or a stand-in in tests. Raises EFileError.
using TWriteBytes = std::function<void(const std::wstring& path, std::string_view bytes)>;

class TFileWriter {
public:
    explicit TFileWriter(TWriteBytes write);
    TFileWriter(const TFileWriter&) = delete;
    TFileWriter& operator=(const TFileWriter&) = delete;
    // Waits for the write under way, if any; the others are dropped.
    ~TFileWriter();

    // Writes `bytes` to `path` on a thread of this writer's own, after the writes asked for
    // before. A file asked for again before its write has begun is written once, with the newest
    // bytes; bytes the file will hold once the writes asked for are done are not written again. A
    // write that fails shows nothing: the next change, or the close, writes again.
    void Write(const std::wstring& path, std::string bytes);
    // Drops the writes not begun, waits for the one under way and writes `bytes` to `path` on the
    // calling thread. Raises EFileError.
    void WriteNow(const std::wstring& path, const std::string& bytes);

    struct TShared;

private:
    static DWORD WINAPI Worker(void* parameter);
    std::shared_ptr<TShared> FShared;
};

}  // namespace kestro
