// The label font dialog's decisions: where the dialog sits beside the main window, and what OK
// stores in the skin's FontColor section.
#pragma once

#include <array>
#include <string>
#include <utility>
#include <vector>

#include "core/Color.h"
#include "core/SkinDescription.h"

namespace huebird {

inline constexpr const char* kFontSection = "FontColor";
inline constexpr const char* kFontBoldKey = "FontIsBold";

// The dialog's left edge: 20 pixels right of the main window, or 20 pixels left of it when a
// screen `screenWidth` wide has no room for the skin's full width and the dialog on the right.
// `dialogWidth` is the outer width, frame included, and the result the frame's left edge.
int FontDialogLeft(int screenWidth, int mainLeft, int mainWidth, int skinWidth, int dialogWidth);

// What OK writes, in order: the six label colours (red, green, blue, then the three hexadecimal
// labels) as six upper-case digits, then the weight as "1" or "0". Label places are never among
// them.
std::vector<std::pair<std::string, std::string>> FontColorEntries(
    const std::array<ColorValue, kLabelCount>& colors, bool bold);

}  // namespace huebird
