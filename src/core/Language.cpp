#include "core/Language.h"

#include <string_view>

namespace huebird {

namespace {

// The first non-empty entry of a colon-separated list.
std::string_view FirstEntry(std::string_view list) {
    while (!list.empty()) {
        const std::size_t colon = list.find(':');
        const std::string_view entry = list.substr(0, colon);
        if (!entry.empty()) return entry;
        if (colon == std::string_view::npos) break;
        list.remove_prefix(colon + 1);
    }
    return {};
}

bool IsChinese(std::string_view locale) {
    if (locale.size() < 2) return false;
    const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
    if (lower(locale[0]) != 'z' || lower(locale[1]) != 'h') return false;
    // "zh" must be the whole language, not the start of a longer one.
    return locale.size() == 2 || locale[2] == '_' || locale[2] == '-' || locale[2] == '.' ||
           locale[2] == '@';
}

}  // namespace

bool WantsChinese(const EnvironmentReader& getenv) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv ? getenv(name) : nullptr;
        if (value == nullptr) continue;
        const std::string_view chosen =
            name == std::string_view("LANGUAGE") ? FirstEntry(value) : std::string_view(value);
        if (!chosen.empty()) return IsChinese(chosen);
    }
    return false;
}

}  // namespace huebird
