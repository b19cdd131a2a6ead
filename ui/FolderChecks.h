#pragma once
// Checks of listed folders, made on worker threads, one drive apart from another: a share that
// answers only after a minute holds the checks of its own drive, never those of the others.
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "winutil/BackgroundWork.h"
#include "winutil/PathChecks.h"

namespace kestro {

class TFolderChecks {
public:
    // What a look at a folder says (FolderState, or a stand-in in tests); it may wait as long as
    // the folder's drive or share does.
    using TLook = std::function<TFolderState(const std::wstring& path)>;

    // `message` is posted to `window` when a check has answered; its handler calls
    // DeliverCompletions. A drive's worker waits `lingerMs` for more checks before it ends.
    TFolderChecks(HWND window, UINT message, TLook look, DWORD lingerMs);
    TFolderChecks(const TFolderChecks&) = delete;
    TFolderChecks& operator=(const TFolderChecks&) = delete;

    // Checks `path` (FolderState) and later calls `answer` with the result on the window's thread.
    // A path already being checked is not checked twice: its callers share the answer.
    void Check(const std::wstring& path, std::function<void(TFolderState)> answer);
    // Hands the answers that have come in to their callers.
    void DeliverCompletions();

private:
    TBackgroundWork& WorkFor(const std::wstring& drive);

    const HWND FWindow;
    const UINT FMessage;
    const TLook FLook;
    const DWORD FLingerMs;
    // One worker thread per drive key, made at the drive's first check; the thread itself comes
    // and goes with the work.
    std::map<std::wstring, std::unique_ptr<TBackgroundWork>> FDrives;
    std::map<std::wstring, std::vector<std::function<void(TFolderState)>>> FPending;
};

}  // namespace kestro
