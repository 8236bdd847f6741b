// One instance per user and display: a lock file held with flock until the process ends.
#pragma once

#include <string>

namespace huebird {

class InstanceLock {
public:
    // Takes the lock called `name` for this user and the display named by $DISPLAY.
    explicit InstanceLock(const std::string& name);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // False when another process holds the lock, or the lock could not be made.
    bool acquired() const { return fd_ >= 0; }
    const std::string& path() const { return path_; }

private:
    int fd_ = -1;
    std::string path_;
};

// Where the lock called `name` lives for this user and display.
std::string InstanceLockPath(const std::string& name);

}  // namespace huebird
