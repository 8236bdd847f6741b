// Which language the user reads: the program's own texts are Chinese, and every other
// language gets the English translation.
#pragma once

#include <functional>

namespace huebird {

// Reads an environment variable: its value, or null when it is not set.
using EnvironmentReader = std::function<const char*(const char*)>;

// Whether the user's language is Chinese. The language comes from LANGUAGE (the first entry
// of its colon-separated list), then LC_ALL, LC_MESSAGES and LANG: the first one set and not
// empty decides. Chinese is "zh" on its own or followed by a territory, codeset or modifier
// (zh_CN, zh_TW.UTF-8, zh@...); "C", "POSIX" and everything else are not, and neither is
// nothing set at all.
bool WantsChinese(const EnvironmentReader& getenv);

}  // namespace huebird
