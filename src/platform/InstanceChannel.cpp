#include "platform/InstanceChannel.h"

#include <QSocketNotifier>

#include <fcntl.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

namespace huebird {

namespace {

// A command is a word; anything longer is not one of ours.
constexpr std::size_t kMaxCommand = 64;
constexpr int kReadMs = 1000;

bool Address(const std::string& path, sockaddr_un& addr) {
    std::memset(&addr, 0, sizeof addr);
    addr.sun_family = AF_UNIX;
    if (path.size() >= sizeof addr.sun_path) return false;
    std::memcpy(addr.sun_path, path.c_str(), path.size() + 1);
    return true;
}

std::string Reason(const std::string& what, int error) {
    return what + ": " + std::strerror(error);
}

// Reads one line of at most kMaxCommand bytes, waiting at most `ms` in all.
bool ReadLine(int fd, std::string& line, int ms) {
    line.clear();
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
    char buf[kMaxCommand + 1];
    while (line.size() <= kMaxCommand) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              end - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) return false;
        pollfd p{fd, POLLIN, 0};
        const int r = poll(&p, 1, static_cast<int>(left));
        if (r < 0 && errno == EINTR) continue;
        if (r <= 0) return false;
        const ssize_t n = read(fd, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        line.append(buf, static_cast<std::size_t>(n));
        if (const auto nl = line.find('\n'); nl != std::string::npos) {
            line.resize(nl);
            return line.size() <= kMaxCommand;
        }
    }
    return false;
}

void WriteAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t n = send(fd, text.data() + done, text.size() - done, MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return;
        done += static_cast<std::size_t>(n);
    }
}

}  // namespace

std::string ChannelPath(const std::string& lockPath) {
    const std::string suffix = ".lock";
    if (lockPath.size() > suffix.size() &&
        lockPath.compare(lockPath.size() - suffix.size(), suffix.size(), suffix) == 0) {
        return lockPath.substr(0, lockPath.size() - suffix.size()) + ".sock";
    }
    return lockPath + ".sock";
}

CommandListener::CommandListener(std::string path, std::function<void(const std::string&)> received)
    : path_(std::move(path)), received_(std::move(received)) {
    sockaddr_un addr;
    if (!Address(path_, addr)) {
        problem_ = "the command socket's name is too long: " + path_;
        return;
    }
    fd_ = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd_ < 0) {
        problem_ = Reason("cannot make the command socket", errno);
        return;
    }
    // We hold the instance lock: a socket already there is one a killed instance left.
    unlink(path_.c_str());
    if (bind(fd_, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
        listen(fd_, 8) != 0) {
        problem_ = Reason("cannot listen on " + path_, errno);
        close(fd_);
        fd_ = -1;
        return;
    }
    notifier_ = new QSocketNotifier(fd_, QSocketNotifier::Read);
    QObject::connect(notifier_, &QSocketNotifier::activated, notifier_, [this] { Accept(); });
}

CommandListener::~CommandListener() {
    delete notifier_;
    if (fd_ >= 0) {
        close(fd_);
        unlink(path_.c_str());
    }
}

void CommandListener::Accept() {
    for (;;) {
        const int client = accept4(fd_, nullptr, nullptr, SOCK_CLOEXEC);
        if (client < 0) return;  // nothing more waiting (or the sender went away)
        std::string line;
        const bool got = ReadLine(client, line, kReadMs);
        WriteAll(client, got ? "ok\n" : "unknown\n");
        close(client);
        if (got) received_(line);
    }
}

std::string SendCommand(const std::string& path, const std::string& command, int timeoutMs) {
    sockaddr_un addr;
    if (!Address(path, addr)) return "the command socket's name is too long: " + path;
    // An instance that is still starting has the lock but not yet its socket: it is tried
    // again until the time is up.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    int fd = -1;
    for (;;) {
        fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0) return Reason("cannot make a socket", errno);
        if (connect(fd, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0) break;
        const int error = errno;
        close(fd);
        if ((error != ENOENT && error != ECONNREFUSED) || std::chrono::steady_clock::now() >= end)
            return Reason("the running Huebird does not take commands (" + path + ")", error);
        usleep(50 * 1000);
    }
    WriteAll(fd, command + "\n");
    std::string answer;
    const bool got = ReadLine(fd, answer, timeoutMs);
    close(fd);
    if (!got) return "the running Huebird did not answer";
    if (answer != "ok") return "the running Huebird did not take \"" + command + "\"";
    return {};
}

}  // namespace huebird
