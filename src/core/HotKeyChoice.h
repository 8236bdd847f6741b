// The hot-key dialog's decisions: the keys it offers, which one it preselects for a stored
// virtual-key code, what OK stores, and where the dialog sits beside the main window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Translatable.h"

namespace huebird {

struct HotKeyItem {
    std::string text;  // as listed: "A", "F5"
    int code = 0;      // the virtual-key code stored for it
};

// A, B, D..U, W, Y, then F1..F12; C, V, X and Z are not offered.
const std::vector<HotKeyItem>& HotKeyItems();

// The item to preselect for a stored key (its low byte counts), or -1 for none.
int PreselectedHotKeyItem(std::uint32_t virtualKey);

// The code OK stores for the chosen item; none without a choice or for a code outside 1..123.
std::optional<int> ChosenHotKeyCode(int item);

// The dialog's left edge: 20 pixels right of the main window, or 20 pixels left of it when
// the right side has no room on a screen `screenWidth` wide. `dialogWidth` is the outer width,
// the window manager's frame included, and the result the frame's left edge.
int HotKeyDialogLeft(int screenWidth, int mainLeft, int mainWidth, int skinWidth, int dialogWidth);

// How a notice names the key: "Ctrl+W", "Ctrl+F5", "Ctrl+Num 1", "Ctrl+键码 7" for a code
// with no key, where the interface may pass `codeWord` translated (context kHotKeyContext).
inline constexpr const char* kHotKeyContext = "HotKey";
inline constexpr const char* kKeyCodeWord = HB_TR_NOOP("HotKey", "键码");
std::string HotKeyName(int virtualKey, std::string_view codeWord = kKeyCodeWord);

}  // namespace huebird
