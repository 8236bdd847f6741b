#include "core/VirtualKeys.h"

#include <array>

namespace huebird {

namespace {

constexpr std::uint32_t kLastCode = 125;

// Indexed by the virtual-key code; empty for codes with no key.
constexpr std::array<std::string_view, kLastCode + 1> BuildTable() {
    std::array<std::string_view, kLastCode + 1> t{};
    // 1, 2, 4, 5, 6: mouse buttons. 3 is Ctrl+Break, which X reports as Break on the Pause key.
    t[0x03] = "Break";
    t[0x08] = "Backspace";
    t[0x09] = "Tab";
    // The Clear code comes from keypad 5 without Num Lock, where X gives KP_Begin.
    t[0x0c] = "Clear";
    t[0x0d] = "Enter";
    t[0x10] = "Shift";
    t[0x11] = "Ctrl";
    t[0x12] = "Alt";
    t[0x13] = "Pause";
    t[0x14] = "Caps Lock";
    t[0x19] = "Kanji";
    t[0x1b] = "Esc";
    t[0x1c] = "Convert";      // Henkan
    t[0x1d] = "NonConvert";   // Muhenkan
    t[0x1f] = "Mode Change";  // Mode_switch
    t[0x20] = "Space";
    t[0x21] = "Page Up";
    t[0x22] = "Page Down";
    t[0x23] = "End";
    t[0x24] = "Home";
    t[0x25] = "Left";
    t[0x26] = "Up";
    t[0x27] = "Right";
    t[0x28] = "Down";
    t[0x29] = "Select";
    t[0x2a] = "Print";
    t[0x2b] = "Execute";
    t[0x2c] = "Print Screen";
    t[0x2d] = "Insert";
    t[0x2e] = "Delete";
    t[0x2f] = "Help";
    constexpr std::string_view digits = "0123456789";
    for (std::uint32_t i = 0; i < 10; ++i) t[0x30 + i] = digits.substr(i, 1);
    constexpr std::string_view letters = "ABCDEFGHIJKLMNOPQRSTUVWXYZ";
    for (std::uint32_t i = 0; i < 26; ++i) t[0x41 + i] = letters.substr(i, 1);
    t[0x5b] = "Left Windows";   // Super_L
    t[0x5c] = "Right Windows";  // Super_R
    t[0x5d] = "Menu";
    t[0x5f] = "Sleep";  // XF86Sleep
    constexpr std::array<std::string_view, 10> keypad = {
        "Num 0", "Num 1", "Num 2", "Num 3", "Num 4", "Num 5", "Num 6", "Num 7", "Num 8", "Num 9"};
    for (std::uint32_t i = 0; i < 10; ++i) t[0x60 + i] = keypad[i];
    t[0x6a] = "Num *";
    t[0x6b] = "Num +";
    t[0x6c] = "Num Separator";
    t[0x6d] = "Num -";
    t[0x6e] = "Num .";
    t[0x6f] = "Num /";
    constexpr std::array<std::string_view, 14> functionKeys = {
        "F1", "F2", "F3", "F4", "F5", "F6", "F7", "F8", "F9", "F10", "F11", "F12", "F13", "F14"};
    for (std::uint32_t i = 0; i < 14; ++i) t[0x70 + i] = functionKeys[i];
    return t;
}

constexpr std::array<std::string_view, kLastCode + 1> kTable = BuildTable();

}  // namespace

std::string_view VirtualKeyName(std::uint32_t vk) {
    return vk <= kLastCode ? kTable[vk] : std::string_view();
}

}  // namespace huebird
