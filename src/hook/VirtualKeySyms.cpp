#include "hook/VirtualKeySyms.h"

#include <array>

namespace huebird {

namespace {

constexpr std::uint32_t kLastCode = 125;

// Indexed by the virtual-key code. Key symbol values are those of X11/keysymdef.h and
// XF86keysym.h; each comment names the key as the program shows it.
constexpr std::array<std::uint32_t, kLastCode + 1> BuildTable() {
    std::array<std::uint32_t, kLastCode + 1> t{};
    // 1, 2, 4, 5, 6: mouse buttons. 3 is Ctrl+Break, which X reports as Break on the Pause key.
    t[0x03] = 0xff6b;  // Break
    t[0x08] = 0xff08;  // Backspace
    t[0x09] = 0xff09;  // Tab
    // The Clear code comes from keypad 5 without Num Lock, where X gives KP_Begin.
    t[0x0c] = 0xff9d;                                                 // Clear
    t[0x0d] = 0xff0d;                                                 // Enter
    t[0x10] = 0xffe1;                                                 // Shift
    t[0x11] = 0xffe3;                                                 // Ctrl
    t[0x12] = 0xffe9;                                                 // Alt
    t[0x13] = 0xff13;                                                 // Pause
    t[0x14] = 0xffe5;                                                 // Caps Lock
    t[0x19] = 0xff21;                                                 // Kanji
    t[0x1b] = 0xff1b;                                                 // Esc
    t[0x1c] = 0xff23;                                                 // Convert; Henkan
    t[0x1d] = 0xff22;                                                 // NonConvert; Muhenkan
    t[0x1f] = 0xff7e;                                                 // Mode Change; Mode_switch
    t[0x20] = 0x0020;                                                 // Space
    t[0x21] = 0xff55;                                                 // Page Up
    t[0x22] = 0xff56;                                                 // Page Down
    t[0x23] = 0xff57;                                                 // End
    t[0x24] = 0xff50;                                                 // Home
    t[0x25] = 0xff51;                                                 // Left
    t[0x26] = 0xff52;                                                 // Up
    t[0x27] = 0xff53;                                                 // Right
    t[0x28] = 0xff54;                                                 // Down
    t[0x29] = 0xff60;                                                 // Select
    t[0x2a] = 0xff61;                                                 // Print
    t[0x2b] = 0xff62;                                                 // Execute
    t[0x2c] = 0xff61;                                                 // Print Screen
    t[0x2d] = 0xff63;                                                 // Insert
    t[0x2e] = 0xffff;                                                 // Delete
    t[0x2f] = 0xff6a;                                                 // Help
    for (std::uint32_t i = 0; i < 10; ++i) t[0x30 + i] = 0x30 + i;    // 0..9
    for (std::uint32_t i = 0; i < 26; ++i) t[0x41 + i] = 0x61 + i;    // a..z, as Ctrl gives them
    t[0x5b] = 0xffeb;                                                 // Left Windows; Super_L
    t[0x5c] = 0xffec;                                                 // Right Windows; Super_R
    t[0x5d] = 0xff67;                                                 // Menu
    t[0x5f] = 0x1008ff2f;                                             // Sleep; XF86Sleep
    for (std::uint32_t i = 0; i < 10; ++i) t[0x60 + i] = 0xffb0 + i;  // KP_0..KP_9
    t[0x6a] = 0xffaa;                                                 // Num *
    t[0x6b] = 0xffab;                                                 // Num +
    t[0x6c] = 0xffac;                                                 // Num Separator
    t[0x6d] = 0xffad;                                                 // Num -
    t[0x6e] = 0xffae;                                                 // Num .
    t[0x6f] = 0xffaf;                                                 // Num /
    for (std::uint32_t i = 0; i < 14; ++i) t[0x70 + i] = 0xffbe + i;  // F1..F14
    return t;
}

constexpr std::array<std::uint32_t, kLastCode + 1> kTable = BuildTable();

}  // namespace

std::uint32_t VirtualKeyToKeysym(std::uint32_t vk) { return vk <= kLastCode ? kTable[vk] : 0; }

}  // namespace huebird
