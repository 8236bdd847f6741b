#include "core/SkinFiles.h"

#include <algorithm>
#include <system_error>

#include "core/Text.h"

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

bool SkinNameStorable(std::string_view name) {
    if (name.empty() || ValueProblem(name) || TrimBlanksView(name).size() != name.size())
        return false;
    // A value in one matching pair of quotes reads back without them.
    const bool quoted = name.size() >= 2 && (name.front() == '"' || name.front() == '\'') &&
                        name.back() == name.front();
    return !quoted;
}

std::vector<std::string> ListSkinFolders(const fs::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        std::string name = it->path().filename().string();
        if (it->is_directory(typeError) && SkinNameStorable(name)) names.push_back(std::move(name));
    }
    return names;
}

}  // namespace huebird
