#include "winutil/BackgroundWork.h"

#include <deque>
#include <vector>

#include "winutil/Handles.h"

namespace kestro {

struct TBackgroundWork::TShared {
    struct TPiece {
        std::function<void()> Work;
        std::function<void()> Done;
    };
    SRWLOCK Lock = SRWLOCK_INIT;
    // Signalled when a piece comes in or the work is closed; idle threads wait on it.
    CONDITION_VARIABLE Arrived = CONDITION_VARIABLE_INIT;
    std::deque<TPiece> Waiting;
    std::vector<std::function<void()>> Finished;
    HWND Window;
    UINT Message;
    size_t MaxThreads;
    size_t Threads = 0;
    size_t IdleThreads = 0;
    DWORD LingerMs;
    bool Closed = false;
};

TBackgroundWork::TBackgroundWork(HWND window, UINT message, size_t threads, DWORD lingerMs)
    : FShared(std::make_shared<TShared>())
{
    FShared->Window = window;
    FShared->Message = message;
    FShared->MaxThreads = threads;
    FShared->LingerMs = lingerMs;
}

TBackgroundWork::~TBackgroundWork()
{
    const TLockGuard guard(FShared->Lock);
    FShared->Closed = true;
    FShared->Waiting.clear();
    FShared->Finished.clear();
    ::WakeAllConditionVariable(&FShared->Arrived);
}

void TBackgroundWork::Queue(std::function<void()> work, std::function<void()> done)
{
    {
        const TLockGuard guard(FShared->Lock);
        FShared->Waiting.push_back({std::move(work), std::move(done)});
        if (FShared->IdleThreads > 0) {
            ::WakeConditionVariable(&FShared->Arrived);
            return;
        }
        if (FShared->Threads >= FShared->MaxThreads) return;
        ++FShared->Threads;
    }
    // Threads come and go with the work: an idle Kestro keeps none for more than a few seconds,
    // and work that comes in a burst (a click, then its jump) does not wait for a new thread at
    // each piece. The thread holds its own reference to the shared state, which outlives this
    // object while a piece still runs.
    auto* reference = new std::shared_ptr<TShared>(FShared);
    const UniqueHandle thread(::CreateThread(nullptr, 0, &TBackgroundWork::Worker, reference, 0, nullptr));
    if (thread) return;
    delete reference;
    const TLockGuard guard(FShared->Lock);
    --FShared->Threads;
}

DWORD WINAPI TBackgroundWork::Worker(void* parameter)
{
    const std::unique_ptr<std::shared_ptr<TShared>> reference(static_cast<std::shared_ptr<TShared>*>(parameter));
    TShared& shared = **reference;
    for (;;) {
        TShared::TPiece piece;
        {
            const TLockGuard guard(shared.Lock);
            if (!shared.Closed && shared.Waiting.empty()) {
                ++shared.IdleThreads;
                ::SleepConditionVariableSRW(&shared.Arrived, &shared.Lock, shared.LingerMs, 0);
                --shared.IdleThreads;
            }
            if (shared.Closed || shared.Waiting.empty()) {
                --shared.Threads;
                return 0;
            }
            piece = std::move(shared.Waiting.front());
            shared.Waiting.pop_front();
        }
        piece.Work();
        const TLockGuard guard(shared.Lock);
        if (shared.Closed) continue;
        shared.Finished.push_back(std::move(piece.Done));
        ::PostMessageW(shared.Window, shared.Message, 0, 0);
    }
}

void TBackgroundWork::DeliverCompletions()
{
    std::vector<std::function<void()>> finished;
    {
        const TLockGuard guard(FShared->Lock);
        finished.swap(FShared->Finished);
    }
    for (auto& done : finished) done();
}

}  // namespace kestro
