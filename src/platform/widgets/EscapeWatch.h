#pragma once
// Whether the user holds the Escape key down, for the transfer workers, which look at it from
// their own threads once per symbol: holding the key stops every running transfer.

namespace qm::platform {

// Starts watching the key in every window of the program; on the user-interface thread, once
// an application object exists. Further calls do nothing.
void watchEscapeKey();

// Any thread: the key went down in one of the program's windows and has not come up since.
// Leaving the program (another program's window becomes active) counts as letting go, since the
// key's release would go to that program.
bool escapeHeld();

} // namespace qm::platform
