// The help page names every section and key the skin reader knows, and the copy settings, so
// a key added to the reader cannot go undocumented.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "core/Settings.h"
#include "core/SkinDescription.h"

using namespace huebird;

namespace {

std::string ReadmeText() {
    std::ifstream in(HUEBIRD_README, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// A name as the page shows it: in code type.
std::string Code(const std::string& name) { return "<code>" + name + "</code>"; }

}  // namespace

TEST(Readme, NamesEverySkinSectionAndKey) {
    const std::string page = ReadmeText();
    ASSERT_FALSE(page.empty()) << HUEBIRD_README;

    std::vector<std::string> sections = {"Main",   "Color1",    "Color2",  "Color3",
                                         "Color4", "FontColor", "AutoFlex"};
    std::vector<std::string> keys = {"SkinDesigner", "Background", "Img",    "Left",
                                     "Top",          "Width",      "Height", "FontIsBold",
                                     "FlexWidth",    "FlexHeight"};
    for (const char* section : kButtonSections) sections.emplace_back(section);
    for (const char* label : kLabelNames) {
        keys.push_back(std::string(label) + "Top");
        keys.push_back(std::string(label) + "Left");
    }
    for (const char* key : kLabelColorKeys) keys.emplace_back(key);

    for (const std::string& section : sections)
        EXPECT_NE(page.find(Code("[" + section + "]")), std::string::npos) << section;
    for (const std::string& key : keys) EXPECT_NE(page.find(Code(key)), std::string::npos) << key;
    // The defaults a skin author cannot see anywhere else.
    EXPECT_NE(page.find(Code(kDefaultDesigner)), std::string::npos);
    EXPECT_NE(page.find(Code(ReadSkinMain(Profile("/nonexistent/skin.ini")).background)),
              std::string::npos);
    for (const char* key : {keys::kCopyAddHash, keys::kCopyType})
        EXPECT_NE(page.find(Code(key)), std::string::npos) << key;
}
