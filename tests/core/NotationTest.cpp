#include "core/Notation.h"

#include <gtest/gtest.h>

namespace huebird {
namespace {

TEST(NotationTest, CopiesInEachNotation) {
    struct Case {
        ColorValue c;
        int type;
        bool hash;
        const char* text;
    };
    const Case cases[] = {
        {MakeColor(18, 52, 86), 0, true, "#123456"},
        {MakeColor(255, 0, 10), 0, true, "#FF000A"},
        {MakeColor(255, 0, 10), 0, false, "FF000A"},
        {MakeColor(7, 128, 255), 1, true, "RGB(007, 128, 255)"},
        {MakeColor(18, 52, 86), 1, false, "RGB(018, 052, 086)"},
        {MakeColor(0, 0, 1), 2, true, "1"},
        {MakeColor(1, 0, 0), 2, false, "65536"},
        {MakeColor(255, 255, 255), 2, true, "16777215"},
        {MakeColor(18, 52, 86), 2, true, "1193046"},
        {MakeColor(18, 52, 86), 3, true, ""},
        {MakeColor(18, 52, 86), -1, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CopyText(c.c, c.type, c.hash), c.text);
    }
}

TEST(NotationTest, FunctionKeysWithAnyModifierLettersOnlyWithCtrl) {
    struct Case {
        Key key;
        bool ctrl;
        Shortcut expected;
    };
    const Case cases[] = {
        {Key::F2, false, Shortcut::Manager}, {Key::F4, true, Shortcut::Copy},
        {Key::F4, false, Shortcut::Copy},    {Key::F5, false, Shortcut::Paste},
        {Key::F6, true, Shortcut::Undo},     {Key::C, true, Shortcut::Copy},
        {Key::C, false, Shortcut::None},     {Key::O, true, Shortcut::Manager},
        {Key::V, true, Shortcut::Paste},     {Key::V, false, Shortcut::None},
        {Key::Z, true, Shortcut::Undo},      {Key::Other, true, Shortcut::None},
    };
    for (const Case& c : cases) EXPECT_EQ(ShortcutFor(c.key, c.ctrl), c.expected);
}

// Shift only matters with Ctrl+V; the keys above answer as they did.
TEST(NotationTest, CtrlShiftVPastesAnyColour) {
    EXPECT_EQ(ShortcutFor(Key::V, true, true), Shortcut::PasteAny);
    EXPECT_EQ(ShortcutFor(Key::V, true, false), Shortcut::Paste);
    EXPECT_EQ(ShortcutFor(Key::V, false, true), Shortcut::None);
    EXPECT_EQ(ShortcutFor(Key::F5, true, true), Shortcut::Paste);
    EXPECT_EQ(ShortcutFor(Key::C, true, true), Shortcut::Copy);
}

TEST(NotationTest, MenuKeyAndShiftF10OpenTheMainMenuAndNothingElse) {
    struct Case {
        Key key;
        bool shift, ctrl, alt;
        bool opens;
    };
    const Case cases[] = {
        {Key::Menu, false, false, false, true}, {Key::Menu, true, true, true, true},
        {Key::F10, true, false, false, true},   {Key::F10, false, false, false, false},
        {Key::F10, true, true, false, false},   {Key::F10, true, false, true, false},
        {Key::F4, true, false, false, false},   {Key::Other, true, false, false, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OpensMainMenu(c.key, c.shift, c.ctrl, c.alt), c.opens)
            << static_cast<int>(c.key) << " shift " << c.shift << " ctrl " << c.ctrl << " alt "
            << c.alt;
    }
    // The menu keys are no copy, paste or undo shortcut, whatever is held.
    for (Key key : {Key::Menu, Key::F10}) {
        EXPECT_EQ(ShortcutFor(key, false), Shortcut::None);
        EXPECT_EQ(ShortcutFor(key, true), Shortcut::None);
    }
}

}  // namespace
}  // namespace huebird
