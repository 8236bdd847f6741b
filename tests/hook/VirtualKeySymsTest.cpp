#include <X11/XF86keysym.h>
#include <X11/keysym.h>
#include <gtest/gtest.h>

#include <set>

#include "core/VirtualKeys.h"
#include "hook/VirtualKeySyms.h"

namespace huebird {
namespace {

// The X headers' own names, so a wrong number in the table cannot hide behind a matching one
// here.
TEST(VirtualKeysTest, MapsKeysToTheirXKeySymbols) {
    struct Case {
        std::uint32_t vk;
        std::uint32_t keysym;
        std::string_view name;
    };
    const Case cases[] = {
        {'A', XK_a, "A"},
        {'W', XK_w, "W"},
        {'Z', XK_z, "Z"},
        {'0', XK_0, "0"},
        {'9', XK_9, "9"},
        {0x70, XK_F1, "F1"},
        {0x74, XK_F5, "F5"},
        {0x7b, XK_F12, "F12"},
        {0x7c, XK_F13, "F13"},
        {0x7d, XK_F14, "F14"},
        {0x20, XK_space, "Space"},
        {0x25, XK_Left, "Left"},
        {0x26, XK_Up, "Up"},
        {0x27, XK_Right, "Right"},
        {0x28, XK_Down, "Down"},
        {0x60, XK_KP_0, "Num 0"},
        {0x69, XK_KP_9, "Num 9"},
        {0x6a, XK_KP_Multiply, "Num *"},
        {0x6b, XK_KP_Add, "Num +"},
        {0x6c, XK_KP_Separator, "Num Separator"},
        {0x6d, XK_KP_Subtract, "Num -"},
        {0x6e, XK_KP_Decimal, "Num ."},
        {0x6f, XK_KP_Divide, "Num /"},
        {0x08, XK_BackSpace, "Backspace"},
        {0x09, XK_Tab, "Tab"},
        {0x0d, XK_Return, "Enter"},
        {0x1b, XK_Escape, "Esc"},
        {0x21, XK_Prior, "Page Up"},
        {0x22, XK_Next, "Page Down"},
        {0x23, XK_End, "End"},
        {0x24, XK_Home, "Home"},
        {0x2d, XK_Insert, "Insert"},
        {0x2e, XK_Delete, "Delete"},
        {0x2c, XK_Print, "Print Screen"},
        {0x13, XK_Pause, "Pause"},
        {0x03, XK_Break, "Break"},
        {0x0c, XK_KP_Begin, "Clear"},
        {0x14, XK_Caps_Lock, "Caps Lock"},
        {0x10, XK_Shift_L, "Shift"},
        {0x11, XK_Control_L, "Ctrl"},
        {0x12, XK_Alt_L, "Alt"},
        {0x5b, XK_Super_L, "Left Windows"},
        {0x5c, XK_Super_R, "Right Windows"},
        {0x5d, XK_Menu, "Menu"},
        {0x5f, XF86XK_Sleep, "Sleep"},
        {0x1c, XK_Henkan, "Convert"},
        {0x1d, XK_Muhenkan, "NonConvert"},
        {0x19, XK_Kanji, "Kanji"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "code " << c.vk);
        EXPECT_EQ(VirtualKeyToKeysym(c.vk), c.keysym);
        EXPECT_EQ(VirtualKeyName(c.vk), c.name);
    }
}

TEST(VirtualKeysTest, CodesWithNoKeyGiveNothing) {
    // Mouse buttons, reserved and unassigned codes, input-method keys without an X key, and
    // codes beyond the table.
    for (std::uint32_t vk : {0u,  1u,  2u,  4u,  5u,  6u,  7u,  10u, 11u,  14u,  15u,        21u,
                             22u, 23u, 24u, 26u, 30u, 58u, 64u, 94u, 126u, 200u, 0xffffffffu}) {
        SCOPED_TRACE(testing::Message() << "code " << vk);
        EXPECT_EQ(VirtualKeyToKeysym(vk), 0u);
        EXPECT_TRUE(VirtualKeyName(vk).empty());
    }
}

// A code has a name exactly when it has a key, and no two codes share a name (a notice names
// the key).
TEST(VirtualKeysTest, EveryCodeWithAKeyHasItsOwnName) {
    std::set<std::string_view> names;
    for (std::uint32_t vk = 1; vk <= 125; ++vk) {
        SCOPED_TRACE(testing::Message() << "code " << vk);
        EXPECT_EQ(VirtualKeyToKeysym(vk) != 0, !VirtualKeyName(vk).empty());
        if (!VirtualKeyName(vk).empty()) {
            EXPECT_TRUE(names.insert(VirtualKeyName(vk)).second);
        }
    }
}

}  // namespace
}  // namespace huebird
