#pragma once
// Work that may wait on another program or on the file system runs on worker threads, never on
// the window's thread. A finished piece is announced to the window with a posted message, and
// its completion then runs on the window's thread with the piece's result.
#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <type_traits>
#include <utility>

namespace kestro {

class TBackgroundWork {
public:
    // At most `threads` pieces run at once; the others wait their turn. `message` is posted to
    // `window` whenever a piece has finished; its handler calls DeliverCompletions. A thread out of
    // work waits `lingerMs` for more before it ends.
    TBackgroundWork(HWND window, UINT message, size_t threads, DWORD lingerMs);
    TBackgroundWork(const TBackgroundWork&) = delete;
    TBackgroundWork& operator=(const TBackgroundWork&) = delete;
    // A piece stuck in the system cannot be stopped: it runs on, and its completion is dropped.
    ~TBackgroundWork();

    // Runs `work` (which must not throw) on a worker thread, then `done` on the window's thread
    // with what `work` returned.
    template <typename Work, typename Done>
    void Run(Work work, Done done)
    {
        using TResult = std::invoke_result_t<Work>;
        if constexpr (std::is_void_v<TResult>) {
            Queue(std::move(work), std::move(done));
        } else {
            auto result = std::make_shared<std::optional<TResult>>();
            Queue([result, work = std::move(work)]() mutable { result->emplace(work()); },
                  [result, done = std::move(done)]() mutable { done(std::move(**result)); });
        }
    }

    // Runs, on the calling thread, the completions of the pieces that have finished.
    void DeliverCompletions();

private:
    struct TShared;
    void Queue(std::function<void()> work, std::function<void()> done);
    static DWORD WINAPI Worker(void* parameter);

    std::shared_ptr<TShared> FShared;
};

}  // namespace kestro
