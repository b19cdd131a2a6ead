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
    // `message` is posted to `window` when a check has answered; its handler calls
    // DeliverCompletions.
    TFolderChecks(HWND window, UINT message);
    TFolderChecks(const TFolderChecks&) = delete;
    TFolderChecks& operator=(const TFolderChecks&) = delete;

    // Checks `path` (FolderState) and later calls `answer` with the result on the window's thread.
    // A path already being checked is not checked twice: its callers share the answer.
    void Check(const std::wstring& path, std::function<void(TFolderState)> answer);
    // Hands the answers that have come in to their callers.
    void DeliverCompletions();

private:
    TBackgroundWork& WorkFor(const std::wstring& drive);

    HWND FWindow;
    UINT FMessage;
    // One worker thread per drive key, made at the drive's first check; the thread itself comes
    // and goes with the work.
    std::map<std::wstring, std::unique_ptr<TBackgroundWork>> FDrives;
    std::map<std::wstring, std::vector<std::function<void(TFolderState)>>> FPending;
};

}  // namespace kestro
