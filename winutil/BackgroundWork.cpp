#include "winutil/BackgroundWork.h"

#include <deque>
#include <mutex>
#include <thread>
#include <vector>

namespace kestro {

struct TBackgroundWork::TShared {
    struct TPiece {
        std::function<void()> Work;
        std::function<void()> Done;
    };
    std::mutex Lock;
    std::deque<TPiece> Waiting;
    std::vector<std::function<void()>> Finished;
    HWND Window;
    UINT Message;
    size_t MaxThreads;
    size_t Threads = 0;
    bool Closed = false;
};

TBackgroundWork::TBackgroundWork(HWND window, UINT message, size_t threads)
    : FShared(std::make_shared<TShared>())
{
    FShared->Window = window;
    FShared->Message = message;
    FShared->MaxThreads = threads;
}

TBackgroundWork::~TBackgroundWork()
{
    const std::lock_guard<std::mutex> guard(FShared->Lock);
    FShared->Closed = true;
    FShared->Waiting.clear();
    FShared->Finished.clear();
}

void TBackgroundWork::Queue(std::function<void()> work, std::function<void()> done)
{
    {
        const std::lock_guard<std::mutex> guard(FShared->Lock);
        FShared->Waiting.push_back({std::move(work), std::move(done)});
        if (FShared->Threads >= FShared->MaxThreads) return;
        ++FShared->Threads;
    }
    // Threads come and go with the work: an idle Kestro keeps none.
    std::thread(&TBackgroundWork::Worker, FShared).detach();
}

void TBackgroundWork::Worker(std::shared_ptr<TShared> shared)
{
    for (;;) {
        TShared::TPiece piece;
        {
            const std::lock_guard<std::mutex> guard(shared->Lock);
            if (shared->Closed || shared->Waiting.empty()) {
                --shared->Threads;
                return;
            }
            piece = std::move(shared->Waiting.front());
            shared->Waiting.pop_front();
        }
        piece.Work();
        const std::lock_guard<std::mutex> guard(shared->Lock);
        if (shared->Closed) continue;
        shared->Finished.push_back(std::move(piece.Done));
        ::PostMessageW(shared->Window, shared->Message, 0, 0);
    }
}

void TBackgroundWork::DeliverCompletions()
{
    std::vector<std::function<void()>> finished;
    {
        const std::lock_guard<std::mutex> guard(FShared->Lock);
        finished.swap(FShared->Finished);
    }
    for (auto& done : finished) done();
}

}  // namespace kestro
