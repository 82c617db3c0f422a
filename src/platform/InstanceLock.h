#pragma once
// Tells whether another instance of the desktop program runs for this user: each instance holds
// one lock file (in the user's runtime folder) while it runs. A second instance still starts;
// it only learns that it is not alone.

#include <memory>

class QLockFile;

namespace qm::platform {

class InstanceLock {
public:
    // Tries to take the lock named `name`; an instance killed while holding it does not count.
    explicit InstanceLock(const char* name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when another running instance holds the lock.
    bool anotherInstanceRuns() const { return !held_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool held_ = false;
};

} // namespace qm::platform
