#include <gtest/gtest.h>

#include <map>
#include <string>

#include "core/Language.h"

namespace huebird {
namespace {

using Env = std::map<std::string, std::string>;

bool Decide(const Env& env) {
    return WantsChinese([&env](const char* name) -> const char* {
        const auto it = env.find(name);
        return it == env.end() ? nullptr : it->second.c_str();
    });
}

TEST(LanguageTest, ChineseLocalesAreRecognisedAndOthersAreNot) {
    struct Case {
        const char* lang;
        bool chinese;
    } const cases[] = {
        {"zh_CN.UTF-8", true},  {"zh_TW.UTF-8", true},
        {"zh_HK", true},        {"zh_SG.GB18030", true},
        {"zh", true},           {"zh-Hans", true},
        {"ZH_cn.utf8", true},   {"zh@pinyin", true},
        {"en_US.UTF-8", false}, {"C", false},
        {"POSIX", false},       {"C.UTF-8", false},
        {"zu_ZA.UTF-8", false}, {"zha", false},
        {"z", false},           {"de_DE@euro", false},
    };
    for (const Case& c : cases) EXPECT_EQ(Decide({{"LANG", c.lang}}), c.chinese) << c.lang;
}

TEST(LanguageTest, TheFirstVariableSetAndNotEmptyDecides) {
    struct Case {
        Env env;
        bool chinese;
    } const cases[] = {
        {{}, false},  // nothing set: not Chinese
        {{{"LANGUAGE", "zh_CN:en"}, {"LANG", "en_US.UTF-8"}}, true},
        {{{"LANGUAGE", "en_GB:zh_CN"}, {"LANG", "zh_CN.UTF-8"}}, false},  // its first entry
        {{{"LANGUAGE", ":zh_CN"}, {"LANG", "en_US.UTF-8"}}, true},        // empty entries skipped
        {{{"LANGUAGE", ""}, {"LC_ALL", "zh_CN.UTF-8"}, {"LANG", "en_US.UTF-8"}}, true},
        {{{"LANGUAGE", ":"}, {"LC_ALL", "en_US.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, false},
        {{{"LC_ALL", "C"}, {"LC_MESSAGES", "zh_CN.UTF-8"}}, false},
        {{{"LC_ALL", ""}, {"LC_MESSAGES", "zh_TW.UTF-8"}, {"LANG", "C"}}, true},
        {{{"LC_MESSAGES", ""}, {"LANG", "zh_HK.UTF-8"}}, true},
        {{{"LC_CTYPE", "zh_CN.UTF-8"}, {"LANG", "en_US.UTF-8"}}, false},  // not a language variable
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& [k, v] : c.env) shown += k + "=" + v + " ";
        EXPECT_EQ(Decide(c.env), c.chinese) << shown;
    }
}

TEST(LanguageTest, TheToolkitTranslationFollowsTheTerritory) {
    struct Case {
        Env env;
        const char* locale;
    } const cases[] = {
        {{{"LANG", "zh_CN.UTF-8"}}, "zh_CN"},
        {{{"LANG", "zh_SG.GB18030"}}, "zh_CN"},
        {{{"LANG", "zh"}}, "zh_CN"},
        {{{"LANG", "zh@pinyin"}}, "zh_CN"},
        {{{"LANG", "zh_TW.UTF-8"}}, "zh_TW"},
        {{{"LANG", "zh_hk"}}, "zh_TW"},
        {{{"LANG", "zh_MO@euro"}}, "zh_TW"},
        {{{"LANGUAGE", "zh-Hant:en"}}, "zh_TW"},
        {{{"LANG", "en_US.UTF-8"}}, ""},
        {{}, ""},
        {{{"LANGUAGE", "en_GB"}, {"LANG", "zh_TW.UTF-8"}}, ""},
        {{{"LC_ALL", "zh_TW.UTF-8"}, {"LANG", "zh_CN.UTF-8"}}, "zh_TW"},
    };
    for (const Case& c : cases) {
        std::string shown;
        for (const auto& [k, v] : c.env) shown += k + "=" + v + " ";
        EXPECT_EQ(ToolkitLocale([&c](const char* name) -> const char* {
                      const auto it = c.env.find(name);
                      return it == c.env.end() ? nullptr : it->second.c_str();
                  }),
                  c.locale)
            << shown;
    }
}

}  // namespace
}  // namespace huebird
