// Whole-or-nothing files: a file's new content is written to a temporary file beside it, made
// durable and renamed into place, so a crash leaves the old file or the new one and never a
// mix. Writers of one file take turns through a lock file beside it. Errors come back as one
// line of text (what could not be done and the system's reason) for the caller's message.
#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

struct stat;

namespace huebird {

using FileError = std::optional<std::string>;

// An open file descriptor, closed with its owner.
class UniqueFd {
  public:
    explicit UniqueFd(int fd = -1) : fd_(fd) {}
    ~UniqueFd() { reset(); }
    UniqueFd(UniqueFd&& other) noexcept : fd_(other.release()) {}
    UniqueFd& operator=(UniqueFd&& other) noexcept;
    UniqueFd(const UniqueFd&) = delete;
    UniqueFd& operator=(const UniqueFd&) = delete;
    int get() const { return fd_; }
    int release();
    void reset(int fd = -1);

  private:
    int fd_;
};

// Writes all of data, retrying short writes; false with errno set when it cannot.
bool WriteAll(int fd, std::string_view data);

// The system's reason for an error number, as messages show it.
std::string SystemReason(int errnum);

// A plain file read whole: opened without blocking (a pipe or a device at the path cannot hang
// us), at most `maxBytes` (a file that grows while it is read counts as it is then). The file
// stays open (`fd`) with what fstat said of it (`st`), for a replacement that may follow.
enum class LoadError { kNone, kMissing, kNotRegular, kTooLarge, kSystem };
struct Loaded {
    LoadError error = LoadError::kNone;
    int errnum = 0;  // for kSystem (and kMissing): the system's error number
    struct stat st {};
    std::string bytes;
    UniqueFd fd;
};
Loaded ReadPlainFile(const std::filesystem::path& path, std::uintmax_t maxBytes);

// Writes the whole content to a descriptor; false with errno set when it cannot.
using ContentWriter = std::function<bool(int fd)>;

// The exclusive lock every writer of a file holds from reading it until its replacement has
// been renamed over it: an flock on ".NAME.lock" in the same folder. The lock file is created
// when needed (never through a symbolic link) and stays; the kernel lets go of the lock when
// its holder ends, however it ends, so a lock file left behind blocks nobody.
class WriteLock {
  public:
    WriteLock() = default;
    ~WriteLock();
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;

    // Takes the lock for `file` (its real path), waiting at most WriteLockWait(). In a folder
    // where nothing can be created no file can be replaced either: there the call succeeds
    // without a lock and the write that follows reports why it cannot be done.
    FileError Acquire(const std::filesystem::path& file);

    static std::filesystem::path LockFileFor(const std::filesystem::path& file);

  private:
    int fd_ = -1;
};

// How long a writer waits for another to finish before it gives up (a few seconds).
std::chrono::milliseconds WriteLockWait();
void SetWriteLockWait(std::chrono::milliseconds wait);

// Replaces `target` (an existing regular file, by its real path, not a link) with the content
// `write` gives. The new file keeps the owner, group, mode and extended attributes (access
// control lists among them) of `originalFd`, the open original; when one of them cannot be
// kept nothing is changed and the error says which. Temporary files that killed writers of
// `target` left are removed first.
FileError ReplaceWhole(const std::filesystem::path& target, int originalFd,
                       const struct stat& original, const ContentWriter& write);

// Creates `target`, which must not exist yet, with the content `write` gives and the
// permissions `mode` (less the umask). It appears whole or not at all, and a file that is
// already there (made meanwhile by someone else) is left as it is, which is no error.
// Temporary files that killed writers of `target` left are removed first.
FileError CreateWhole(const std::filesystem::path& target, mode_t mode, const ContentWriter& write);

// Where the file system allows it, temporary files have no name while they are written
// (O_TMPFILE). Tests turn this off to exercise the named files other file systems get.
void SetUnnamedTemporaryFiles(bool allowed);

}  // namespace huebird
