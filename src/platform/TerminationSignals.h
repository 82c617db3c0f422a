#pragma once
// A desktop program asked to end by the system (logging out, `kill`, Ctrl+C in the terminal it
// was started from) ends as if the user had closed its windows, so that its shutdown saves
// what a close saves.

namespace qm::platform {

// From now on SIGTERM, SIGINT and SIGHUP close every top-level window of the application, and
// the application quits when none is left. A second such signal ends the program at once, as
// it would without this. Call once, after the application object is made.
void closeWindowsOnTerminationSignals();

} // namespace qm::platform
