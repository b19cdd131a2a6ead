#pragma once
// Moving an item dialog that is not known to open or save files (a folder picker above all) to a
// folder through its address bar: Enter in the address edit navigates and never accepts the
// dialog, where Enter with a folder in a picker's name box would choose that folder and close it.
// The name box is never touched. Made on a worker thread, as every call waits on the dialog.
#include <atomic>

#include "winutil/FolderJump.h"

namespace kestro {

// Brings the dialog forward and, only while its address bar is exactly the chain AddressBarMode
// knows, shows the address edit as a click on the bar's empty end does (or takes the edit already
// shown while it still holds the dialog's own folder), waits until that edit is shown and
// focused, puts the folder in, and presses Enter once it reads back exactly the folder, focused,
// with the dialog in front, its queue drained and no modifier down. Anything else leaves the
// edit's text as it was and presses nothing. `jump.Box` is the name box, read only for a check
// that answered late.
void SendFolderThroughAddressBar(const TFolderJump& jump, const std::atomic<bool>& stop);

}  // namespace kestro
