#include "platform/InstanceLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>

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

LockPlace UserLockPlace() {
    const std::string uid = std::to_string(geteuid());
    return {"/run/user/" + uid, "/tmp/huebird-" + uid};
}

namespace {

constexpr mode_t kOthersWrite = S_IWGRP | S_IWOTH;

std::string Reason(const std::string& what, int error) {
    return what + " (" + std::strerror(error) + ")";
}

// The folder opened without following a symbolic link, when it is a folder of ours no one
// else may write to; otherwise -1.
int OpenRuntimeFolder(const std::string& path) {
    if (path.empty()) return -1;
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) return -1;
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISDIR(st.st_mode) || st.st_uid != geteuid() ||
        (st.st_mode & kOthersWrite) != 0) {
        close(fd);
        return -1;
    }
    return fd;
}

// The private folder, made when missing and closed to others when it is ours; -1 and the
// reason when it is not a folder of ours (another user may have made it first).
int OpenPrivateFolder(const std::string& path, std::string& problem) {
    if (mkdir(path.c_str(), 0700) != 0 && errno != EEXIST) {
        problem = Reason("cannot make the folder " + path + " for the instance lock", errno);
        return -1;
    }
    const int fd = open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0) {
        const int error = errno;
        if (error == ELOOP || error == ENOTDIR) {
            problem = path +
                      " is not a folder but a symbolic link or a file; remove it so "
                      "Huebird can keep its instance lock there";
        } else {
            problem = Reason("cannot open the folder " + path + " for the instance lock", error);
        }
        return -1;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0) {
        problem = Reason("cannot read the folder " + path, errno);
    } else if (st.st_uid != geteuid()) {
        problem = path + " belongs to another user (uid " + std::to_string(st.st_uid) +
                  "); remove it so Huebird can keep its instance lock there";
    } else if ((st.st_mode & 077) != 0 && fchmod(fd, 0700) != 0) {
        problem = Reason("cannot close the folder " + path + " to other users", errno);
    }
    if (!problem.empty()) {
        close(fd);
        return -1;
    }
    return fd;
}

}  // namespace

InstanceLock::InstanceLock(const std::string& name, const LockPlace& place) {
    const char* set = std::getenv("DISPLAY");
    std::string display = DisplayLockKey(set ? set : "");
    for (char& c : display) {
        if (c == '/' || c == ':') c = '_';
    }
    const std::string file = name + "-display" + display + ".lock";

    std::string folder = place.runtime;
    int dir = OpenRuntimeFolder(place.runtime);
    if (dir < 0) {
        folder = place.fallback;
        dir = OpenPrivateFolder(place.fallback, problem_);
        if (dir < 0) return;
    }
    path_ = folder + "/" + file;
    // Only this user writes in the folder; still, what is there must be a plain file of ours.
    const int fd = openat(dir, file.c_str(),
                          O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600);
    const int openError = errno;
    close(dir);
    if (fd < 0) {
        problem_ = Reason("cannot open the instance lock " + path_, openError);
        return;
    }
    struct stat st {};
    if (fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != geteuid()) {
        problem_ = "the instance lock " + path_ + " is not a plain file of this user's";
        close(fd);
        return;
    }
    if (flock(fd, LOCK_EX | LOCK_NB) != 0) {
        // Held: another start of ours runs on this display.
        if (errno != EWOULDBLOCK) problem_ = Reason("cannot lock " + path_, errno);
        close(fd);
        return;
    }
    fd_ = fd;
}

InstanceLock::~InstanceLock() {
    if (fd_ >= 0) close(fd_);
}

}  // namespace huebird
