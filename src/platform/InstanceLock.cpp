#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>

namespace huebird {

std::string DisplayLockKey(std::string_view display) {
    // The number follows the last colon; a DECnet host ("node::0") keeps its own colon.
    const std::size_t colon = display.rfind(':');
    if (colon == std::string_view::npos) return std::string(display);
    std::string_view host = display.substr(0, colon);
    std::string_view number = display.substr(colon + 1);
    std::string_view screen;
    if (const std::size_t dot = number.find('.'); dot != std::string_view::npos) {
        screen = number.substr(dot + 1);
        number = number.substr(0, dot);
    }
    const auto allDigits = [](std::string_view s) {
        return s.find_first_not_of("0123456789") == std::string_view::npos;
    };
    if (number.empty() || !allDigits(number) || !allDigits(screen)) return std::string(display);
    // Leading zeros name the same display ("061" is 61).
    while (number.size() > 1 && number.front() == '0') number.remove_prefix(1);
    if (host.starts_with("unix/")) host.remove_prefix(5);
    if (host == "unix") host = {};
    return std::string(host) + ":" + std::string(number);
}

std::string InstanceLockPath(const std::string& name) {
    const char* set = std::getenv("DISPLAY");
    std::string display = DisplayLockKey(set ? set : "");
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
