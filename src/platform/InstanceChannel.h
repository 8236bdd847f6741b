// Commands from a later start to the running instance on the same display (`huebird --toggle`,
// which a user binds to a key in the desktop's own keyboard settings). The running instance
// listens on a socket beside its instance lock, in the folder only the user can enter; a later
// start connects, sends one short line and reads the answer.
#pragma once

#include <functional>
#include <string>

class QSocketNotifier;

namespace huebird {

// The commands a later start sends.
inline constexpr const char* kToggleCommand = "toggle";
inline constexpr const char* kPickCommand = "pick";

// The channel's socket beside the lock file (the lock's path with ".sock" for ".lock").
std::string ChannelPath(const std::string& lockPath);

// The running instance's end: `received` is called on the main thread with each command (one
// line, without its line break); the sender is then answered "ok". While the listener exists
// the socket is there; it goes with the listener. Only the instance that holds the lock makes
// one, so a socket left by a killed instance is taken over.
class CommandListener {
  public:
    CommandListener(std::string path, std::function<void(const std::string&)> received);
    ~CommandListener();
    CommandListener(const CommandListener&) = delete;
    CommandListener& operator=(const CommandListener&) = delete;

    // Why the listener could not be made (one line); empty when it listens.
    const std::string& problem() const { return problem_; }

  private:
    void Accept();

    std::string path_;
    std::function<void(const std::string&)> received_;
    int fd_ = -1;
    QSocketNotifier* notifier_ = nullptr;
    std::string problem_;
};

// A later start's end: sends `command` and waits (at most `timeoutMs`) for the answer. Empty
// when the running instance took it; otherwise why not, in one line.
std::string SendCommand(const std::string& path, const std::string& command, int timeoutMs = 3000);

}  // namespace huebird
