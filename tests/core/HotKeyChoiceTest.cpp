#include "core/HotKeyChoice.h"

#include <gtest/gtest.h>

#include "core/Profile.h"
#include "core/Settings.h"

namespace huebird {
namespace {

TEST(HotKeyChoiceTest, OffersTheLettersAndFunctionKeysInOrder) {
    std::string texts;
    for (const HotKeyItem& item : HotKeyItems()) texts += item.text + " ";
    EXPECT_EQ(
        texts,
        "A B D E F G H I J K L M N O P Q R S T U W Y F1 F2 F3 F4 F5 F6 F7 F8 F9 F10 F11 F12 ");
    EXPECT_EQ(HotKeyItems().front().code, 65);
    EXPECT_EQ(HotKeyItems()[20].code, 87);      // W
    EXPECT_EQ(HotKeyItems().back().code, 123);  // F12
}

// The settings new users start from take a key that the dialog offers, so it opens with it
// selected, and not Ctrl+W, which closes tabs in browsers and deletes a word in terminals.
TEST(HotKeyChoiceTest, TheStockSettingsTakeAnOfferedKeyOtherThanW) {
    const Profile stock(HUEBIRD_STOCK_SETTINGS);
    ASSERT_TRUE(stock.Exists()) << HUEBIRD_STOCK_SETTINGS;
    ASSERT_NE(stock.ReadString("System", "HookKey", ""), "") << "the stock file names its key";
    const int key = ReadAppliedSettings(stock).hookKey;
    const int item = PreselectedHotKeyItem(static_cast<std::uint32_t>(key));
    ASSERT_GE(item, 0) << key;
    EXPECT_EQ(HotKeyItems()[item].code, key);
    EXPECT_NE(HotKeyItems()[item].text, "W");
}

TEST(HotKeyChoiceTest, PreselectsByTheLowByte) {
    struct Case {
        std::uint32_t key;
        const char* expected;  // nullptr: nothing selected
    };
    const Case cases[] = {
        {87, "W"},      {65, "A"},      {89, "Y"},     {116, "F5"},   {112, "F1"},
        {123, "F12"},   {67, nullptr},  {86, nullptr}, {88, nullptr}, {90, nullptr},
        {125, nullptr}, {124, nullptr}, {64, nullptr}, {0, nullptr},  {0x100 + 87, "W"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        const int item = PreselectedHotKeyItem(c.key);
        if (!c.expected) {
            EXPECT_EQ(item, -1);
        } else {
            ASSERT_GE(item, 0);
            EXPECT_EQ(HotKeyItems()[item].text, c.expected);
        }
    }
}

TEST(HotKeyChoiceTest, OkStoresTheChosenCodeOnly) {
    EXPECT_EQ(ChosenHotKeyCode(PreselectedHotKeyItem(116)), 116);
    EXPECT_EQ(ChosenHotKeyCode(0), 65);
    EXPECT_FALSE(ChosenHotKeyCode(-1));
    EXPECT_FALSE(ChosenHotKeyCode(static_cast<int>(HotKeyItems().size())));
}

TEST(HotKeyChoiceTest, SitsRightOfTheWindowUnlessThereIsNoRoom) {
    // Screen 1024, dialog 289 wide: room on the right while 1024 >= left + skin + 289 + 20.
    EXPECT_EQ(HotKeyDialogLeft(1024, 100, 158, 158, 289), 100 + 158 + 20);
    EXPECT_EQ(HotKeyDialogLeft(1024, 557, 158, 158, 289), 557 + 158 + 20);
    EXPECT_EQ(HotKeyDialogLeft(1024, 558, 158, 158, 289), 558 - 289 - 20);
    // A rolled-up window: its width, not the skin's, puts the dialog beside it.
    EXPECT_EQ(HotKeyDialogLeft(1024, 100, 32, 158, 289), 100 + 32 + 20);
}

TEST(HotKeyChoiceTest, NamesTheKeyForNotices) {
    EXPECT_EQ(HotKeyName(87), "Ctrl+W");
    EXPECT_EQ(HotKeyName(116), "Ctrl+F5");
    EXPECT_EQ(HotKeyName(48), "Ctrl+0");
    EXPECT_EQ(HotKeyName(97), "Ctrl+Num 1");
    EXPECT_EQ(HotKeyName(7), "Ctrl+键码 7");                  // a code with no key
    EXPECT_EQ(HotKeyName(7, "key code"), "Ctrl+key code 7");  // the word as translated
    EXPECT_EQ(HotKeyName(87, "key code"), "Ctrl+W");
}

}  // namespace
}  // namespace huebird
