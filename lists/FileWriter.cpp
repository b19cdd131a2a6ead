#include "lists/FileWriter.h"

#include <deque>
#include <map>

#include "lists/FileError.h"
#include "winutil/Handles.h"

namespace kestro {

struct TFileWriter::TShared {
    explicit TShared(TWriteBytes write) : WriteBytes(std::move(write)) {}

    const TWriteBytes WriteBytes;
    SRWLOCK Lock = SRWLOCK_INIT;
    CONDITION_VARIABLE Idle = CONDITION_VARIABLE_INIT;
    // Files in the order their writes were asked for, and the newest bytes of each.
    std::deque<std::wstring> Order;
    std::map<std::wstring, std::string> Pending;
    // What each file will hold once the writes asked for are done, where that is known: a change
    // back to it while a write is under way is then nothing new, and any other change is.
    std::map<std::wstring, std::string> Expected;
    bool Running = false;
    bool Writing = false;

    // Drops what is not begun and waits, with the lock held, for the write under way. A dropped
    // write never reaches its file, so what the file will hold is no longer known.
    void DropAndWait()
    {
        for (const auto& pending : Pending) Expected.erase(pending.first);
        Order.clear();
        Pending.clear();
        while (Writing) ::SleepConditionVariableSRW(&Idle, &Lock, INFINITE, 0);
    }
};

TFileWriter::TFileWriter(TWriteBytes write) : FShared(std::make_shared<TShared>(std::move(write)))
{
}

TFileWriter::~TFileWriter()
{
    const TLockGuard lock(FShared->Lock);
    FShared->DropAndWait();
}

void TFileWriter::Write(const std::wstring& path, std::string bytes)
{
    {
        const TLockGuard lock(FShared->Lock);
        const auto expected = FShared->Expected.find(path);
        if (expected != FShared->Expected.end() && expected->second == bytes) return;
        FShared->Expected[path] = bytes;
        if (FShared->Pending.count(path) == 0) FShared->Order.push_back(path);
        FShared->Pending[path] = std::move(bytes);
        if (FShared->Running) return;
        FShared->Running = true;
    }
    // The thread comes and goes with the writes, and holds its own reference to the shared state.
    auto* reference = new std::shared_ptr<TShared>(FShared);
    if (UniqueHandle(::CreateThread(nullptr, 0, &TFileWriter::Worker, reference, 0, nullptr))) return;
    delete reference;
    const TLockGuard lock(FShared->Lock);
    FShared->Running = false;
}

void TFileWriter::WriteNow(const std::wstring& path, const std::string& bytes)
{
    {
        const TLockGuard lock(FShared->Lock);
        FShared->DropAndWait();
        FShared->Expected.erase(path);
    }
    FShared->WriteBytes(path, bytes);
    const TLockGuard lock(FShared->Lock);
    FShared->Expected[path] = bytes;
}

DWORD WINAPI TFileWriter::Worker(void* parameter)
{
    const std::unique_ptr<std::shared_ptr<TShared>> reference(static_cast<std::shared_ptr<TShared>*>(parameter));
    TShared& shared = **reference;
    for (;;) {
        std::wstring path;
        std::string bytes;
        {
            const TLockGuard lock(shared.Lock);
            if (shared.Order.empty()) {
                shared.Running = false;
                return 0;
            }
            path = std::move(shared.Order.front());
            shared.Order.pop_front();
            auto node = shared.Pending.extract(path);
            bytes = std::move(node.mapped());
            shared.Writing = true;
        }
        bool written = true;
        try {
            shared.WriteBytes(path, bytes);
        } catch (const EFileError&) {
            written = false;
        }
        const TLockGuard lock(shared.Lock);
        // A failed write leaves the file as it was, unknown here, unless a newer write waits.
        if (!written && shared.Pending.count(path) == 0) shared.Expected.erase(path);
        shared.Writing = false;
        ::WakeAllConditionVariable(&shared.Idle);
    }
}

}  // namespace kestro
