#include "ui/FolderChecks.h"

#include <utility>

namespace kestro {

TFolderChecks::TFolderChecks(HWND window, UINT message, TLook look, DWORD lingerMs)
    : FWindow(window), FMessage(message), FLook(std::move(look)), FLingerMs(lingerMs)
{
}

void TFolderChecks::Check(const std::wstring& path, std::function<void(TFolderState)> answer)
{
    std::vector<std::function<void(TFolderState)>>& waiting = FPending[path];
    waiting.push_back(std::move(answer));
    if (waiting.size() > 1) return;
    WorkFor(DriveKeyOf(path))
        .Run([look = FLook, path] { return look(path); },
             [this, path](TFolderState state) {
                 auto node = FPending.extract(path);
                 for (auto& callback : node.mapped()) callback(state);
             });
}

TBackgroundWork& TFolderChecks::WorkFor(const std::wstring& drive)
{
    std::unique_ptr<TBackgroundWork>& work = FDrives[drive];
    if (!work) work = std::make_unique<TBackgroundWork>(FWindow, FMessage, 1, FLingerMs);
    return *work;
}

void TFolderChecks::DeliverCompletions()
{
    // An answer may ask for a check on a new drive; the map keeps its other entries in place.
    for (auto& drive : FDrives) drive.second->DeliverCompletions();
}

}  // namespace kestro
