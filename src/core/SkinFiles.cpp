#include "core/SkinFiles.h"

#include <algorithm>
#include <system_error>

namespace huebird {

namespace fs = std::filesystem;

fs::path ResolveInFolder(const fs::path& folder, std::string_view value) {
    std::string text(value);
    std::replace(text.begin(), text.end(), '\\', '/');
    fs::path asWritten = folder / fs::path(text).relative_path();
    std::error_code ec;
    if (fs::exists(asWritten, ec)) return asWritten;

    fs::path current = folder;
    for (const fs::path& part : fs::path(text).relative_path()) {
        const std::string name = part.string();
        if (name.empty() || name == ".") continue;
        fs::path exact = current / part;
        if (name == ".." || fs::exists(exact, ec)) {
            current = exact;
            continue;
        }
        bool found = false;
        for (fs::directory_iterator it(current, ec), end; !ec && it != end; it.increment(ec)) {
            if (EqualsIgnoringCase(it->path().filename().string(), name)) {
                current = it->path();
                found = true;
                break;
            }
        }
        if (!found) return asWritten;
    }
    return current;
}

std::vector<std::string> ListSkinFolders(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_directory(typeError)) names.push_back(it->path().filename().string());
    }
    return names;
}

}  // namespace huebird
