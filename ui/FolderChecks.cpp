#include "ui/FolderChecks.h"

#include "winutil/DataFolder.h"
#include "winutil/PathChecks.h"

namespace kestro {

TFolderChecks::TFolderChecks(HWND window, UINT message) : FWindow(window), FMessage(message)
{
}

void TFolderChecks::Check(const std::wstring& path, TFolderCheck check, std::function<void(bool)> answer)
{
    // The kind of check as one character: a number formatted as text would bring the C library's
    // formatted printing into Kestro.exe.
    const std::wstring key = static_cast<wchar_t>(L'0' + check) + path;
    std::vector<std::function<void(bool)>>& waiting = FPending[key];
    waiting.push_back(std::move(answer));
    if (waiting.size() > 1) return;
    WorkFor(DriveKeyOf(path))
        .Run([path, check] { return check == fcReachable ? FolderReachable(path) : FolderExists(path); },
             [this, key](bool result) {
                 auto node = FPending.extract(key);
                 for (auto& callback : node.mapped()) callback(result);
             });
}

TBackgroundWork& TFolderChecks::WorkFor(const std::wstring& drive)
{
    std::unique_ptr<TBackgroundWork>& work = FDrives[drive];
    if (!work) work = std::make_unique<TBackgroundWork>(FWindow, FMessage, 1);
    return *work;
}

void TFolderChecks::DeliverCompletions()
{
    // An answer may ask for a check on a new drive; the map keeps its other entries in place.
    for (auto& drive : FDrives) drive.second->DeliverCompletions();
}

}  // namespace kestro
