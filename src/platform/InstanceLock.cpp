#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace huebird {

std::string InstanceLockPath(const std::string& name) {
    std::string display = std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "";
    for (char& c : display) {
        if (c == '/' || c == ':') c = '_';
    }
    // The runtime folder is per user already; /tmp is shared, so the user id goes in the name.
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    struct stat st {};
    if (runtime && *runtime && stat(runtime, &st) == 0 && S_ISDIR(st.st_mode) &&
        st.st_uid == getuid()) {
        return std::string(runtime) + "/" + name + "-display" + display + ".lock";
    }
    return "/tmp/" + name + "-" + std::to_string(getuid()) + "-display" + display + ".lock";
}

InstanceLock::InstanceLock(const std::string& name) : path_(InstanceLockPath(name)) {
    const int fd = open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) return;
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        close(fd);
        return;
    }
    fd_ = fd;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) close(fd_);
}

}  // namespace huebird
