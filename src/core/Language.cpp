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

// The locale that decides the language: the first of the variables set and not empty.
std::string_view DecidingLocale(const EnvironmentReader& getenv) {
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = getenv ? getenv(name) : nullptr;
        if (value == nullptr) continue;
        const std::string_view chosen =
            name == std::string_view("LANGUAGE") ? FirstEntry(value) : std::string_view(value);
        if (!chosen.empty()) return chosen;
    }
    return {};
}

}  // namespace

bool WantsChinese(const EnvironmentReader& getenv) { return IsChinese(DecidingLocale(getenv)); }

std::string ToolkitLocale(const EnvironmentReader& getenv) {
    const std::string_view locale = DecidingLocale(getenv);
    if (!IsChinese(locale)) return {};
    // The territory follows "zh_" or "zh-", before any codeset or modifier; a script tag
    // ("zh-Hant") says it outright.
    std::string rest;
    for (char c : locale.substr(2)) {
        if (c == '.' || c == '@') break;
        rest += (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c;
    }
    for (const char* traditional : {"_TW", "_HK", "_MO", "-TW", "-HK", "-MO", "-HANT"}) {
        if (rest.rfind(traditional, 0) == 0) return "zh_TW";
    }
    return "zh_CN";
}

}  // namespace huebird
