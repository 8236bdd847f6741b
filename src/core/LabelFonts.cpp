#include "core/LabelFonts.h"

namespace huebird {

int FontDialogLeft(int screenWidth, int mainLeft, int mainWidth, int skinWidth, int dialogWidth) {
    if (screenWidth < mainLeft + skinWidth + dialogWidth + 20) return mainLeft - dialogWidth - 20;
    return mainLeft + mainWidth + 20;
}

std::vector<std::pair<std::string, std::string>> FontColorEntries(
    const std::array<ColorValue, kLabelCount>& colors, bool bold) {
    std::vector<std::pair<std::string, std::string>> entries;
    entries.reserve(kLabelCount + 1);
    for (int i = 0; i < kLabelCount; ++i)
        entries.emplace_back(kLabelColorKeys[i], ColorToHex(colors[i]));
    entries.emplace_back(kFontBoldKey, bold ? "1" : "0");
    return entries;
}

}  // namespace huebird
