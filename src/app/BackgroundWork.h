#pragma once
// Work that runs beside the user interface (the download workers) and that closing the program
// must stop and wait for before the lists it uses go.

namespace qm {

class BackgroundWork {
public:
    virtual ~BackgroundWork() = default;
    virtual bool running() const = 0;
    // Asks the work to stop soon; it finishes on its own, its completion on the event loop.
    virtual void requestStop() = 0;
};

} // namespace qm
