// One instance per user and display: a lock file held with flock until the process ends.
#pragma once

#include <string>
#include <string_view>

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

// The display named by `display` (as in $DISPLAY, "[protocol/]host:number[.screen]"), as
// "host:number": the screen is left out, since all screens of a display are one desktop; an
// empty host, "unix" and the "unix/" protocol all mean the local machine and give an empty
// host. Any other host is kept as written ("localhost:61" reaches the server over TCP and
// may be another one). Text that is not a display name is kept as it is.
std::string DisplayLockKey(std::string_view display);

}  // namespace huebird
