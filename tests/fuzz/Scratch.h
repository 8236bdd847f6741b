// A scratch folder per fuzzing process, on a memory file system where there is one, so every
// input can be a real file without touching the disk.
#pragma once

#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "Reference.h"

namespace scratch {

inline std::filesystem::path& Folder() {
    static std::filesystem::path folder;
    return folder;
}

inline void RemoveFolder() {
    std::error_code ec;
    std::filesystem::remove_all(Folder(), ec);
}

// Made on first use and removed at exit.
inline const std::filesystem::path& Dir() {
    if (Folder().empty()) {
        std::string base = "/dev/shm";
        if (::access(base.c_str(), W_OK) != 0) {
            const char* tmp = std::getenv("TMPDIR");
            base = tmp != nullptr && *tmp != '\0' ? tmp : "/tmp";
        }
        std::string pattern = base + "/huebird-fuzz.XXXXXX";
        if (::mkdtemp(pattern.data()) == nullptr) reference::Fail("cannot make " + pattern);
        Folder() = pattern;
        std::atexit(RemoveFolder);
    }
    return Folder();
}

inline void WriteFile(const std::filesystem::path& path, std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) reference::Fail("cannot write " + path.string());
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n <= 0) reference::Fail("cannot write " + path.string());
        done += static_cast<std::size_t>(n);
    }
    ::close(fd);
}

inline std::string ReadFile(const std::filesystem::path& path) {
    std::string out;
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) reference::Fail("cannot read " + path.string());
    char buf[65536];
    ssize_t n;
    while ((n = ::read(fd, buf, sizeof buf)) > 0) out.append(buf, static_cast<std::size_t>(n));
    ::close(fd);
    return out;
}

inline std::vector<std::string> List(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        names.push_back(it->path().filename().string());
    }
    return names;
}

}  // namespace scratch
