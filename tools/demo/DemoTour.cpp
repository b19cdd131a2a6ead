// The tour that tools/run shows: Kestro follows a real file dialog, jumps to a favourite, and
// comes up in edit mode on a second start. At each sight worth a screenshot it prints
// "shot <name>" and waits for a line on its input, so the script can take the picture. It exits
// with 1, saying which step failed, when a step does not come about.
#include <windows.h>

#include <iostream>
#include <string>
#include <vector>

#include "tests/support/DataFiles.h"
#include "tests/support/DialogFixture.h"
#include "tests/support/Input.h"
#include "tests/support/ItemDialog.h"
#include "tests/support/Follow.h"
#include "tests/support/Kestro.h"
#include "tests/support/OwnWindows.h"
#include "tests/support/Windows.h"

using namespace kestro::test;

namespace {
void Shot(const char* name)
{
    std::cout << "shot " << name << std::endl;
    std::string answer;
    std::getline(std::cin, answer);
}

void Say(const char* text)
{
    std::cout << text << std::endl;
}

// Says why the tour stops when a step did not come about.
bool Failed(bool cameAbout, const char* failure)
{
    if (!cameAbout) Say(failure);
    return !cameAbout;
}

// The first start of a GUI program can still be slow on a busy machine; later steps are quick.
constexpr DWORD kFirstStartMs = 120000;
constexpr DWORD kStepMs = 5000;
}  // namespace

int main(int argc, char** argv)
{
    // "keep": leave Kestro running for the user at the end.
    const bool keep = argc > 1 && std::string(argv[1]) == "keep";
    KillProcessesNamed(L"Kestro.exe");
    if (!ReadDataFile(L"KestroF.lst")) {
        ResetDataDir();
        WriteDataFile(L"KestroF.lst",
                      AnsiLines({L"C:\\windows", L"C:\\windows\\system32", L"C:\\users", L"C:\\Program Files"}));
    }

    TKestro kestro;
    kestro.StartReady(kFirstStartMs);
    if (Failed(kestro.Main() != nullptr, "Kestro did not start")) return 1;
    Say("Kestro is running, hidden, in standby mode");

    // The demo program runs from a folder of its own, whose path Kestro's caption shows.
    const std::wstring demoFolder = L"C:\\Program Files\\Demo";
    const std::wstring demo = demoFolder + L"\\Demo.exe";
    ::CreateDirectoryW(demoFolder.c_str(), nullptr);
    ::CopyFileW(FileDialogAppExe().c_str(), demo.c_str(), FALSE);
    TFileDialogApp dialog;
    dialog.Start(L"save", L"C:\\users", L"report.txt", demo);
    if (Failed(WaitFor([&] { return kestro.Visible(); }, kStepMs), "Kestro did not follow the dialog")) return 1;
    PumpFor(600);
    Say("a file dialog is in front: Kestro sits on its top-right corner");
    Shot("standby");

    ClickAt(kestro.ListItemPoint(0));
    if (Failed(WaitFor([&] { return dialog.Caption() == L"folder:C:\\windows"; }, kStepMs),
               "the dialog did not move to the clicked favourite"))
        return 1;
    PumpFor(1200);
    Say("a click on the first favourite moved the dialog there and put report.txt back");
    Shot("jump");

    PressDialogButton(dialog.Dialog(), IDCANCEL);
    if (Failed(WaitFor([&] { return !kestro.Visible(); }, kStepMs), "Kestro stayed shown after the dialog closed"))
        return 1;
    Say("the dialog closed: Kestro hid again");

    kestro.RelayShow();
    if (Failed(WaitFor([&] { return kestro.Visible() && kestro.EditMode(); }, kStepMs),
               "a second start did not bring up edit mode"))
        return 1;
    PumpFor(600);
    Say("a second start brought Kestro up in edit mode");
    Shot("edit");

    // Explorer windows as Wine's fallback reads them, kept off the screen.
    std::vector<TOwnWindow> explorer;
    for (const wchar_t* folder : {L"C:\\users\\Public", L"C:\\Program Files", L"C:\\windows"}) {
        explorer.push_back(CreateExplorerWindow(kItemBreadcrumbLabel, folder));
    }
    ClickAt(kestro.TabPoint(2));
    if (Failed(WaitFor([&] { return kestro.ListItems().size() == 3; }, kStepMs),
               "the Explorer tab did not list the open folders"))
        return 1;
    ClickAt(kestro.ListItemPoint(0));
    PumpFor(600);
    Say("the Explorer tab lists the folders open in Explorer, the front window first");
    Shot("explorer");

    if (keep) {
        // The user goes on with the running instance.
        kestro.Process().Detach();
        return 0;
    }
    kestro.Close();
    return 0;
}
