// One instance per user and display: a lock file held with flock until the process ends.
#pragma once

#include <string>
#include <string_view>

namespace huebird {

// The folders the lock may live in, both named from the user id alone, so every start of
// the user meets the same lock whatever its environment says ($XDG_RUNTIME_DIR is not set
// under ssh -X, su or cron).
struct LockPlace {
    // The session's runtime folder, used when it is a real folder of the user's that no one
    // else may write to.
    std::string runtime;
    // Otherwise a private folder, made for the user (mode 0700) when it is missing.
    std::string fallback;
};

// /run/user/<uid> and /tmp/huebird-<uid> for the user running the program.
LockPlace UserLockPlace();

class InstanceLock {
  public:
    // Takes the lock called `name` for this user and the display named by $DISPLAY.
    explicit InstanceLock(const std::string& name, const LockPlace& place = UserLockPlace());
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // True when this process holds the lock.
    bool acquired() const { return fd_ >= 0; }
    // Why the lock could not be had, in one line: the folder or the file is another user's,
    // a symbolic link or open to others. Empty when the lock is held or another process of
    // this user holds it (a second start).
    const std::string& problem() const { return problem_; }
    const std::string& path() const { return path_; }

  private:
    int fd_ = -1;
    std::string path_;
    std::string problem_;
};

// The display named by `display` (as in $DISPLAY, "[protocol/]host:number[.screen]"), as
// "host:number": the screen is left out, since all screens of a display are one desktop; an
// empty host, "unix" and the "unix/" protocol all mean the local machine and give an empty
// host. Any other host is kept as written ("localhost:61" reaches the server over TCP and
// may be another one). Text that is not a display name is kept as it is.
std::string DisplayLockKey(std::string_view display);

}  // namespace huebird
