// Which language the user reads: the program's own texts are Chinese, and every other
// language gets the English translation.
#pragma once

#include <functional>
#include <string>

namespace huebird {

// Reads an environment variable: its value, or null when it is not set.
using EnvironmentReader = std::function<const char*(const char*)>;

// Whether the user's language is Chinese. The language comes from LANGUAGE (the first entry
// of its colon-separated list), then LC_ALL, LC_MESSAGES and LANG: the first one set and not
// empty decides. Chinese is "zh" on its own or followed by a territory, codeset or modifier
// (zh_CN, zh_TW.UTF-8, zh@...); "C", "POSIX" and everything else are not, and neither is
// nothing set at all.
bool WantsChinese(const EnvironmentReader& getenv);

// For a reader of Chinese, the locale of the toolkit's own translations to load (its colour
// dialog, the edit boxes' menus, standard buttons): "zh_TW" for Taiwan, Hong Kong and Macau,
// whose readers use traditional characters, "zh_CN" for everyone else. Empty for a reader of
// English, who reads the toolkit's own texts as they are.
std::string ToolkitLocale(const EnvironmentReader& getenv);

}  // namespace huebird
