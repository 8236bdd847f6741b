#include "core/AtomicFile.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <thread>
#include <utility>
#include <vector>

namespace huebird {

namespace fs = std::filesystem;

UniqueFd& UniqueFd::operator=(UniqueFd&& other) noexcept {
    if (this != &other) reset(other.release());
    return *this;
}

int UniqueFd::release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
}

void UniqueFd::reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
}

bool WriteAll(int fd, std::string_view data) {
    const char* p = data.data();
    std::size_t left = data.size();
    while (left > 0) {
        ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

std::string SystemReason(int errnum) { return std::strerror(errnum); }

Loaded ReadPlainFile(const fs::path& path, std::uintmax_t maxBytes) {
    Loaded r;
    // O_NONBLOCK so that a FIFO in place of the file cannot hang us in open().
    UniqueFd& fd = r.fd;
    fd.reset(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0) {
        r.errnum = errno;
        r.error =
            (r.errnum == ENOENT || r.errnum == ENOTDIR) ? LoadError::kMissing : LoadError::kSystem;
        return r;
    }
    if (::fstat(fd.get(), &r.st) != 0) {
        r.errnum = errno;
        r.error = LoadError::kSystem;
        return r;
    }
    if (!S_ISREG(r.st.st_mode)) {
        r.error = LoadError::kNotRegular;
        return r;
    }
    if (r.st.st_size < 0 || static_cast<std::uintmax_t>(r.st.st_size) > maxBytes) {
        r.error = LoadError::kTooLarge;
        return r;
    }
    r.bytes.reserve(static_cast<std::size_t>(r.st.st_size));
    char buf[65536];
    for (;;) {
        ssize_t n = ::read(fd.get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR) continue;
            r.errnum = errno;
            r.error = LoadError::kSystem;
            r.bytes.clear();
            return r;
        }
        if (n == 0) break;
        r.bytes.append(buf, static_cast<std::size_t>(n));
        // The file may grow while we read it; the limit holds for what we actually got.
        if (r.bytes.size() > maxBytes) {
            r.error = LoadError::kTooLarge;
            r.bytes.clear();
            return r;
        }
    }
    return r;
}

namespace {

// ---------------------------------------------------------------------------------------------
// Temporary files
//
// Where the file system allows it the temporary file has no name while it is written
// (O_TMPFILE) and gets one just before the rename; elsewhere it is created with its name.
// Either way a process killed at the wrong moment can leave a named one behind, so each
// writer first removes those whose writer is gone. A writer holds an exclusive flock on its
// temporary file from before the file has a name until it has been renamed, so a file of ours
// that can be locked has no living writer.

std::atomic<bool> unnamedTemporaries{true};
std::atomic<long> lockWaitMs{5000};

// ".palora.ini.tmp-" for palora.ini; TempName adds "<pid>-<counter>-<hex>".
// (Appended piece by piece: GCC 12 warns falsely about "." + a string.)
std::string HiddenName(const fs::path& file, std::string_view suffix) {
    std::string name = ".";
    name += file.filename().string();
    name += suffix;
    return name;
}

std::string TempPrefix(const fs::path& target) { return HiddenName(target, ".tmp-"); }

std::string TempName(std::string_view prefix) {
    static std::atomic<unsigned> counter{0};
    auto now = std::chrono::steady_clock::now().time_since_epoch().count();
    char buf[64];
    std::snprintf(buf, sizeof buf, "%ld-%u-%llx", static_cast<long>(::getpid()),
                  counter.fetch_add(1), static_cast<unsigned long long>(now) & 0xFFFFFFu);
    return std::string(prefix) + buf;
}

// Exactly the names TempName makes for this prefix, nothing looser.
bool IsTempName(std::string_view name, std::string_view prefix) {
    if (!name.starts_with(prefix)) return false;
    name.remove_prefix(prefix.size());
    auto field = [&name](bool hex) {
        std::size_t n = 0;
        while (n < name.size() &&
               ((name[n] >= '0' && name[n] <= '9') || (hex && name[n] >= 'a' && name[n] <= 'f'))) {
            ++n;
        }
        name.remove_prefix(n);
        return n > 0;
    };
    auto dash = [&name]() {
        if (name.empty() || name.front() != '-') return false;
        name.remove_prefix(1);
        return true;
    };
    return field(false) && dash() && field(false) && dash() && field(true) && name.empty();
}

// An exclusive flock, waiting for it or not. False where it cannot be had (held by another,
// or locks do not work on this file system).
bool Lock(int fd, bool wait) {
    int r;
    do {
        r = ::flock(fd, LOCK_EX | (wait ? 0 : LOCK_NB));
    } while (r != 0 && errno == EINTR);
    return r == 0;
}

// Removes the temporary files of earlier writers of this file that died before renaming them.
// Only regular files with exactly our names are considered, never through a link, and only
// the very file that was locked is unlinked.
void RemoveStaleTemporaries(int dirFd, std::string_view prefix) {
    int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0) return;  // an unreadable folder: nothing can be found, nothing is removed
    DIR* dir = ::fdopendir(listFd);
    if (dir == nullptr) {
        ::close(listFd);
        return;
    }
    std::vector<std::string> names;
    while (const dirent* e = ::readdir(dir)) {
        if (IsTempName(e->d_name, prefix)) names.emplace_back(e->d_name);
    }
    ::closedir(dir);
    for (const std::string& name : names) {
        constexpr int kFlags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
        int raw = ::openat(dirFd, name.c_str(), O_RDONLY | kFlags);
        if (raw < 0 && errno == EACCES) raw = ::openat(dirFd, name.c_str(), O_WRONLY | kFlags);
        UniqueFd fd(raw);
        if (fd.get() < 0) continue;
        struct stat st {};
        if (::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        // Held: its writer is alive. (Where locks do not work at all, nothing is removed.)
        if (!Lock(fd.get(), false)) continue;
        struct stat now {};
        if (::fstatat(dirFd, name.c_str(), &now, AT_SYMLINK_NOFOLLOW) == 0 &&
            now.st_dev == st.st_dev && now.st_ino == st.st_ino) {
            ::unlinkat(dirFd, name.c_str(), 0);
        }
    }
}

// The temporary file of one write, locked while it lives; removed again unless it was renamed
// over the target.
class TempFile {
  public:
    TempFile(int dirFd, const fs::path& dir, std::string prefix)
        : dirFd_(dirFd), dir_(dir), prefix_(std::move(prefix)) {}
    ~TempFile() {
        if (!name_.empty() && !renamed_) ::unlinkat(dirFd_, name_.c_str(), 0);
        if (fd_ >= 0) ::close(fd_);
        if (lock_ >= 0) ::close(lock_);
    }
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;

    int fd() const { return fd_; }

    FileError Create(mode_t mode) {
        // Naming an unnamed file goes through /proc; without it, use a named one.
        static const bool procFds = ::access("/proc/self/fd", X_OK) == 0;
        if (unnamedTemporaries && procFds) {
            fd_ = ::openat(dirFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, mode);
            if (fd_ >= 0) {
                Lock(fd_, true);  // nobody else can see it yet: never contended
                return std::nullopt;
            }
            // Not supported by this file system: the named way below says what else is wrong.
        }
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = TempName(prefix_);
            int fd = ::openat(dirFd_, name.c_str(),
                              O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
            if (fd < 0) {
                if (errno == EEXIST) continue;
                return "cannot create a temporary file in " + dir_.string() + ": " +
                       SystemReason(errno);
            }
            // Another writer's clean-up may have taken the file for an orphan before we locked
            // it. It unlinks only while holding the lock, so once the lock is ours a file that
            // still has a link is safe; one without is left to close, and we start again.
            Lock(fd, true);
            struct stat st {};
            if (::fstat(fd, &st) == 0 && st.st_nlink == 0) {
                ::close(fd);
                continue;
            }
            fd_ = fd;
            name_ = std::move(name);
            return std::nullopt;
        }
        return "cannot create a temporary file in " + dir_.string();
    }

    // The content, flushed to the disk, and the file closed to see the write errors some file
    // systems report only then. The lock belongs to the open file, not to one descriptor, so
    // a duplicate keeps holding it.
    FileError Fill(const ContentWriter& write) {
        if (!write(fd_) || ::fsync(fd_) != 0) return "writing failed: " + SystemReason(errno);
        lock_ = ::dup(fd_);
        if (lock_ < 0) return std::nullopt;  // then keep fd_ itself; it was fsynced already
        const int r = ::close(fd_);
        fd_ = -1;
        if (r != 0) return "writing failed: " + SystemReason(errno);
        return std::nullopt;
    }

    // Renames the file over target; or, with noReplace, puts it there only when there is no
    // target yet (`placed` tells which).
    FileError MoveTo(const fs::path& target, bool noReplace, bool& placed) {
        placed = false;
        const std::string targetName = target.filename().string();
        if (name_.empty() && noReplace) {
            // An unnamed file can be linked straight in: never over an existing file.
            if (::linkat(AT_FDCWD, ProcPath().c_str(), dirFd_, targetName.c_str(),
                         AT_SYMLINK_FOLLOW) == 0) {
                placed = renamed_ = true;
                return std::nullopt;
            }
            if (errno == EEXIST) return std::nullopt;
            return "cannot create the file: " + SystemReason(errno);
        }
        if (auto error = Name()) return error;
        if (!noReplace) {
            if (::renameat(dirFd_, name_.c_str(), dirFd_, targetName.c_str()) != 0) {
                return "cannot replace the file: " + SystemReason(errno);
            }
            placed = renamed_ = true;
            return std::nullopt;
        }
        if (::renameat2(dirFd_, name_.c_str(), dirFd_, targetName.c_str(), RENAME_NOREPLACE) == 0) {
            placed = renamed_ = true;
            return std::nullopt;
        }
        if (errno == EEXIST) return std::nullopt;
        if (errno != EINVAL && errno != ENOSYS) {
            return "cannot create the file: " + SystemReason(errno);
        }
        // No RENAME_NOREPLACE here: a second link does the same, and the temporary name goes.
        if (::linkat(dirFd_, name_.c_str(), dirFd_, targetName.c_str(), 0) == 0) {
            placed = true;
            return std::nullopt;
        }
        if (errno == EEXIST) return std::nullopt;
        return "cannot create the file: " + SystemReason(errno);
    }

  private:
    std::string ProcPath() const {
        char proc[64];
        std::snprintf(proc, sizeof proc, "/proc/self/fd/%d", fd_ >= 0 ? fd_ : lock_);
        return proc;
    }

    // Gives an unnamed file its name just before it is renamed.
    FileError Name() {
        if (!name_.empty()) return std::nullopt;
        const std::string proc = ProcPath();
        for (int attempt = 0; attempt < 100 && name_.empty(); ++attempt) {
            std::string name = TempName(prefix_);
            if (::linkat(AT_FDCWD, proc.c_str(), dirFd_, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                name_ = std::move(name);
            } else if (errno != EEXIST) {
                return "cannot name the temporary file in " + dir_.string() + ": " +
                       SystemReason(errno);
            }
        }
        if (name_.empty()) return "cannot name the temporary file in " + dir_.string();
        return std::nullopt;
    }

    int dirFd_;
    fs::path dir_;
    std::string prefix_;
    int fd_ = -1;
    int lock_ = -1;
    std::string name_;  // empty while the file has no name
    bool renamed_ = false;
};

// ---------------------------------------------------------------------------------------------
// Extended attributes (access control lists, labels, users' own attributes)

// The attribute names of a file; an empty list where the file system has none.
FileError ListAttributes(int fd, std::vector<std::string>& names) {
    names.clear();
    std::vector<char> buf;
    for (;;) {
        ssize_t n = ::flistxattr(fd, nullptr, 0);
        if (n < 0) {
            if (errno == ENOTSUP) return std::nullopt;
            return SystemReason(errno);
        }
        buf.resize(static_cast<std::size_t>(n));
        if (n == 0) break;
        n = ::flistxattr(fd, buf.data(), buf.size());
        if (n >= 0) {
            buf.resize(static_cast<std::size_t>(n));
            break;
        }
        if (errno != ERANGE) return SystemReason(errno);  // grew meanwhile: ask again
    }
    for (std::size_t i = 0; i < buf.size();) {
        const std::size_t len = ::strnlen(buf.data() + i, buf.size() - i);
        if (len > 0) names.emplace_back(buf.data() + i, len);
        i += len + 1;
    }
    return std::nullopt;
}

// The attribute's value, or nothing when the file does not have it.
std::optional<std::string> AttributeValue(int fd, const std::string& name, int& errnum) {
    errnum = 0;
    for (;;) {
        ssize_t n = ::fgetxattr(fd, name.c_str(), nullptr, 0);
        if (n < 0) break;
        std::string value(static_cast<std::size_t>(n), '\0');
        n = ::fgetxattr(fd, name.c_str(), value.data(), value.size());
        if (n >= 0) {
            value.resize(static_cast<std::size_t>(n));
            return value;
        }
        if (errno != ERANGE) break;
    }
    if (errno != ENODATA) errnum = errno;
    return std::nullopt;
}

// Gives `to` exactly the extended attributes of `from`: an access control list in particular
// is a file's permissions as much as its mode is.
FileError CopyAttributes(int from, int to) {
    std::vector<std::string> wanted, present;
    if (auto error = ListAttributes(from, wanted)) {
        return "cannot read the file's extended attributes: " + *error;
    }
    if (auto error = ListAttributes(to, present)) {
        if (wanted.empty()) return std::nullopt;
        return "cannot give the new file extended attributes: " + *error;
    }
    // What the new file got from its folder (a default access control list) and the old one
    // did not have goes again.
    for (const std::string& name : present) {
        if (std::find(wanted.begin(), wanted.end(), name) != wanted.end()) continue;
        if (::fremovexattr(to, name.c_str()) != 0 && errno != ENODATA) {
            return "cannot remove the extended attribute " + name +
                   " from the new file: " + SystemReason(errno);
        }
    }
    for (const std::string& name : wanted) {
        int errnum = 0;
        std::optional<std::string> value = AttributeValue(from, name, errnum);
        if (!value) {
            if (errnum == 0) continue;  // removed meanwhile
            return "cannot read the extended attribute " + name + ": " + SystemReason(errnum);
        }
        // Some, like a security label, the new file already has as it should; setting them
        // again may need privileges a plain user lacks.
        if (AttributeValue(to, name, errnum) == value) continue;
        if (::fsetxattr(to, name.c_str(), value->data(), value->size(), 0) != 0) {
            return "cannot keep the extended attribute " + name + ": " + SystemReason(errno);
        }
    }
    return std::nullopt;
}

// Makes the rename durable. The new file is already in place, so a failure here is not
// reported: either content is whole, and the caller's change is visible.
void SyncFolder(const fs::path& dir) {
    UniqueFd fd(::open(dir.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd.get() >= 0) ::fsync(fd.get());
}

// The folder of target, opened to create, rename and unlink in (O_PATH: that needs the folder
// writable, not readable), with the leftovers of killed writers of target removed.
FileError OpenFolder(const fs::path& target, UniqueFd& dirFd) {
    const fs::path dir = target.parent_path();
    dirFd.reset(::open(dir.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC));
    if (dirFd.get() < 0)
        return "cannot open the folder " + dir.string() + ": " + SystemReason(errno);
    RemoveStaleTemporaries(dirFd.get(), TempPrefix(target));
    return std::nullopt;
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The write lock

std::chrono::milliseconds WriteLockWait() { return std::chrono::milliseconds(lockWaitMs.load()); }

void SetWriteLockWait(std::chrono::milliseconds wait) { lockWaitMs = wait.count(); }

fs::path WriteLock::LockFileFor(const fs::path& file) {
    return file.parent_path() / HiddenName(file, ".lock");
}

WriteLock::~WriteLock() {
    if (fd_ >= 0) ::close(fd_);  // closing lets go of the lock
}

FileError WriteLock::Acquire(const fs::path& file) {
    const fs::path lockFile = LockFileFor(file);
    // Read-only is all flock needs, so a lock file made by another user serves too. Never
    // through a link, and never blocking on something that is not a file.
    const int fd =
        ::open(lockFile.c_str(),
               O_RDONLY | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0644);
    if (fd < 0) {
        const int errnum = errno;
        if ((errnum == EACCES || errnum == EPERM || errnum == EROFS) &&
            ::faccessat(AT_FDCWD, file.parent_path().c_str(), W_OK, AT_EACCESS) != 0) {
            return std::nullopt;  // nothing can be created here: the write will say so
        }
        if (errnum == ELOOP) return "the lock file " + lockFile.string() + " is a symbolic link";
        return "cannot open the lock file " + lockFile.string() + ": " + SystemReason(errnum);
    }
    UniqueFd held(fd);
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return "cannot open the lock file " + lockFile.string() + ": " + SystemReason(errno);
    }
    if (!S_ISREG(st.st_mode)) return "the lock file " + lockFile.string() + " is not a file";
    // flock cannot wait with a limit; asking often is cheap, and the pause grows a little
    // while another writer keeps the file.
    const auto deadline = std::chrono::steady_clock::now() + WriteLockWait();
    auto pause = std::chrono::microseconds(200);
    for (;;) {
        if (::flock(fd, LOCK_EX | LOCK_NB) == 0) break;
        if (errno == EINTR) continue;
        if (errno != EWOULDBLOCK) {
            return "cannot lock " + lockFile.string() + ": " + SystemReason(errno);
        }
        if (std::chrono::steady_clock::now() >= deadline) {
            const long ms = WriteLockWait().count();
            const std::string wait = ms % 1000 == 0 ? std::to_string(ms / 1000) + " seconds"
                                                    : std::to_string(ms) + " ms";
            return "another program has been writing the file for over " + wait + " (it holds " +
                   lockFile.string() + "); nothing was written";
        }
        std::this_thread::sleep_for(pause);
        pause = std::min(pause * 2, std::chrono::microseconds(2000));
    }
    if (fd_ >= 0) ::close(fd_);
    fd_ = held.release();
    return std::nullopt;
}

// ---------------------------------------------------------------------------------------------
// Replacing and creating

FileError ReplaceWhole(const fs::path& target, int originalFd, const struct stat& original,
                       const ContentWriter& write) {
    UniqueFd dirFd;
    if (auto error = OpenFolder(target, dirFd)) return error;
    TempFile temp(dirFd.get(), target.parent_path(), TempPrefix(target));
    if (auto error = temp.Create(0600)) return error;
    // Owner first (changing it clears set-id bits), then the attributes, then the exact mode,
    // whatever the umask. Only a privileged process may give a file away: a file of another
    // user is not taken over, while the group stays ours where we may not keep its own.
    if (original.st_uid != ::geteuid() || original.st_gid != ::getegid()) {
        if (::fchown(temp.fd(), original.st_uid, original.st_gid) != 0 &&
            original.st_uid != ::geteuid()) {
            return "cannot keep the file's owner (user " + std::to_string(original.st_uid) +
                   "): " + SystemReason(errno) + "; nothing was written";
        }
    }
    if (auto error = CopyAttributes(originalFd, temp.fd())) return *error + "; nothing was written";
    if (::fchmod(temp.fd(), original.st_mode & 07777) != 0) {
        return "cannot set permissions: " + SystemReason(errno);
    }
    if (auto error = temp.Fill(write)) return error;
    bool placed = false;
    if (auto error = temp.MoveTo(target, false, placed)) return error;
    SyncFolder(target.parent_path());
    return std::nullopt;
}

FileError CreateWhole(const fs::path& target, mode_t mode, const ContentWriter& write) {
    UniqueFd dirFd;
    if (auto error = OpenFolder(target, dirFd)) return error;
    TempFile temp(dirFd.get(), target.parent_path(), TempPrefix(target));
    if (auto error = temp.Create(mode & 0777)) return error;
    if (auto error = temp.Fill(write)) return error;
    bool placed = false;
    if (auto error = temp.MoveTo(target, true, placed)) return error;
    if (placed) SyncFolder(target.parent_path());
    return std::nullopt;
}

void SetUnnamedTemporaryFiles(bool allowed) { unnamedTemporaries = allowed; }

}  // namespace huebird
