#pragma once
// Writes the list and size files off the window's thread, so that a file another program holds
// (a sync client, a virus scanner) never stops the window while the user works in dialogs.
#include <windows.h>

#include <deque>
#include <map>
#include <memory>
#include <string>

namespace kestro {

class TFileWriter {
public:
    TFileWriter();
    TFileWriter(const TFileWriter&) = delete;
    TFileWriter& operator=(const TFileWriter&) = delete;
    // Waits for the write under way, if any; the others are dropped.
    ~TFileWriter();

    // Writes `bytes` to `path` (WriteFileBytes) on a thread of this writer's own, after the writes
    // asked for before. A file asked for again before its write has begun is written once, with
    // the newest bytes; bytes that this writer last wrote to the file are not written again. A
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
