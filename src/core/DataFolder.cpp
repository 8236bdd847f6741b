#include "core/DataFolder.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string_view>
#include <system_error>

#include "core/AtomicFile.h"

namespace huebird {

namespace fs = std::filesystem;

namespace {

constexpr const char* kSettingsName = "palora.ini";
constexpr const char* kSkinsName = "skins";
constexpr const char* kHelpName = "readme.htm";

std::string Why(const std::error_code& ec) { return ec.message(); }

// Copies `from` to `to` as one whole file (AtomicFile.h), so a start killed halfway leaves no
// partial file that a later start would keep as the user's own, and the leftovers of such a
// start go at the next. A file that appeared at `to` meanwhile is kept.
std::string CopyWhole(const fs::path& from, const fs::path& to) {
    auto failed = [&](const std::string& why) {
        return "cannot copy " + from.string() + " to " + to.string() + ": " + why;
    };
    UniqueFd source(::open(from.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    struct stat st {};
    if (source.get() < 0 || ::fstat(source.get(), &st) != 0) return failed(SystemReason(errno));
    if (!S_ISREG(st.st_mode)) return failed("not a regular file");
    const auto copy = [&source](int fd) {
        char buf[65536];
        for (;;) {
            const ssize_t n = ::read(source.get(), buf, sizeof buf);
            if (n < 0 && errno == EINTR) continue;
            if (n < 0) return false;
            if (n == 0) return true;
            if (!WriteAll(fd, std::string_view(buf, static_cast<std::size_t>(n)))) return false;
        }
    };
    if (auto error = CreateWhole(to, st.st_mode & 0777, copy)) return failed(*error);
    return {};
}

// True when `path` is there; an error while asking counts as "not there", and the copy that
// follows reports it.
bool Exists(const fs::path& path) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(path, ec));
}

std::string CreateFolder(const fs::path& folder) {
    std::error_code ec;
    fs::create_directories(folder, ec);
    if (ec) return "cannot create the folder " + folder.string() + ": " + Why(ec);
    return {};
}

}  // namespace

DataFolder ChooseDataFolder(const DataFolderPlace& place,
                            const std::function<bool(const fs::path&)>& exists) {
    DataFolder d;
    const fs::path stock = (place.programDir / place.stockFromProgram).lexically_normal();
    if (exists(place.programDir / kSettingsName) || !exists(stock)) {
        d.folder = place.programDir;
        d.helpPage = place.programDir / kHelpName;
        return d;
    }
    fs::path base;
    if (!place.xdgDataHome.empty() && fs::path(place.xdgDataHome).is_absolute()) {
        base = place.xdgDataHome;
    } else if (!place.home.empty() && fs::path(place.home).is_absolute()) {
        base = fs::path(place.home) / ".local" / "share";
    } else {
        d.problem =
            "no folder for the settings: neither XDG_DATA_HOME nor HOME is an absolute path";
        return d;
    }
    d.folder = (base / "huebird").lexically_normal();
    d.stock = stock;
    d.helpPage = exists(d.folder / kHelpName) ? d.folder / kHelpName : stock / kHelpName;
    return d;
}

std::string FillUserFolder(const fs::path& folder, const fs::path& stock) {
    const fs::path settings = folder / kSettingsName;
    const bool needSettings = !Exists(settings);
    // Checked before anything is created: without a settings file there is nothing to start.
    std::error_code ec;
    if (needSettings && !fs::is_regular_file(stock / kSettingsName, ec))
        return "settings file " + (stock / kSettingsName).string() + " is missing";
    if (std::string problem = CreateFolder(folder); !problem.empty()) return problem;
    if (needSettings) {
        if (std::string problem = CopyWhole(stock / kSettingsName, settings); !problem.empty())
            return problem;
    }

    const fs::path stockSkins = stock / kSkinsName;
    if (!fs::is_directory(stockSkins, ec)) return {};
    fs::recursive_directory_iterator it(stockSkins, ec);
    if (ec) return "cannot read " + stockSkins.string() + ": " + Why(ec);
    for (const fs::recursive_directory_iterator end; it != end; it.increment(ec)) {
        if (ec) break;
        if (!it->is_regular_file(ec)) continue;
        const fs::path target = folder / kSkinsName / it->path().lexically_relative(stockSkins);
        if (Exists(target)) continue;
        if (std::string problem = CreateFolder(target.parent_path()); !problem.empty())
            return problem;
        if (std::string problem = CopyWhole(it->path(), target); !problem.empty()) return problem;
    }
    if (ec) return "cannot read " + stockSkins.string() + ": " + Why(ec);
    return {};
}

}  // namespace huebird
