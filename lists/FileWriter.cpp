#include "lists/FileWriter.h"

#include "lists/FileError.h"
#include "lists/TextFile.h"
#include "winutil/Handles.h"

namespace kestro {

struct TFileWriter::TShared {
    SRWLOCK Lock = SRWLOCK_INIT;
    CONDITION_VARIABLE Idle = CONDITION_VARIABLE_INIT;
    // Files in the order their writes were asked for, and the newest bytes of each.
    std::deque<std::wstring> Order;
    std::map<std::wstring, std::string> Pending;
    // What each file last got from this writer.
    std::map<std::wstring, std::string> Written;
    bool Running = false;
    bool Writing = false;

    // Drops what is not begun and waits, with the lock held, for the write under way.
    void DropAndWait()
    {
        Order.clear();
        Pending.clear();
        while (Writing) ::SleepConditionVariableSRW(&Idle, &Lock, INFINITE, 0);
    }
};

TFileWriter::TFileWriter() : FShared(std::make_shared<TShared>())
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
        const auto written = FShared->Written.find(path);
        const bool pending = FShared->Pending.count(path) > 0;
        if (!pending && written != FShared->Written.end() && written->second == bytes) return;
        if (!pending) FShared->Order.push_back(path);
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
        FShared->Written.erase(path);
    }
    WriteFileBytes(path, bytes);
    const TLockGuard lock(FShared->Lock);
    FShared->Written[path] = bytes;
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
            WriteFileBytes(path, bytes);
        } catch (const EFileError&) {
            written = false;
        }
        const TLockGuard lock(shared.Lock);
        if (written)
            shared.Written[path] = std::move(bytes);
        else
            shared.Written.erase(path);
        shared.Writing = false;
        ::WakeAllConditionVariable(&shared.Idle);
    }
}

}  // namespace kestro
