#include "core/Settings.h"

#include <gtest/gtest.h>

#include "TempDir.h"

namespace huebird {
namespace {

using testing::TempDir;

TEST(SettingsTest, EmptySystemSectionGivesEveryDefault) {
    TempDir dir;
    const Profile p(dir.Write("palora.ini", "[System]\n"));
    const StartSettings s = LoadSettings(p);
    EXPECT_EQ(s.skinName, "DEFAULT");
    EXPECT_EQ(s.top, 10);
    EXPECT_EQ(s.left, 10);
    EXPECT_TRUE(s.copyAddHash);
    EXPECT_EQ(s.copyType, 0);
    EXPECT_EQ(s.palIndex, 0);
    const AppliedSettings a = ReadAppliedSettings(p);
    EXPECT_TRUE(a.alwaysTop);
    EXPECT_TRUE(a.autoFlex);
    EXPECT_EQ(a.hookKey, 87);

    ColorModel model;
    model.WorkColor = 0x123456;  // what the skin's label colours left behind
    LoadColors(p, model);
    EXPECT_EQ(model.BorderColor, MakeColor(0x73, 0x73, 0x73));
    EXPECT_EQ(model.ImgColor, MakeColor(0x25, 0x25, 0x20));
    for (int s = 0; s < 4; ++s) EXPECT_EQ(model.StoredColor(s), 0u);
    EXPECT_EQ(model.ActiveSwatch(), 0);
}

TEST(SettingsTest, ValuesThatFailToParseTakeTheColourParsedBeforeThem) {
    TempDir dir;
    const Profile p(dir.Write("palora.ini",
                              "[System]\nBorderColor=nothex\nImgColor=#GG0000\nColor1=12345678\n"
                              "Color2=ff8\nColor3=zz\nColor4=\n"));
    ColorModel model;
    model.WorkColor = MakeColor(1, 2, 3);  // the last label colour the skin set
    LoadColors(p, model);
    EXPECT_EQ(model.BorderColor, MakeColor(1, 2, 3));
    EXPECT_EQ(model.ImgColor, MakeColor(1, 2, 3));
    EXPECT_EQ(model.StoredColor(0), MakeColor(1, 2, 3));
    EXPECT_EQ(model.StoredColor(1), MakeColor(255, 128, 0));
    EXPECT_EQ(model.StoredColor(2), MakeColor(255, 128, 0));
    EXPECT_EQ(model.StoredColor(3), 0u);  // empty reads as black
    EXPECT_EQ(model.WorkColor, model.StoredColor(0));
}

TEST(SettingsTest, IntegersClampAndFallBack) {
    struct Case {
        const char* hookKey;
        int expected;
    };
    for (const Case& c : {Case{"0", 87}, Case{"-5", 87}, Case{"200", 125}, Case{"0x41", 65},
                          Case{"x", 87}, Case{"125", 125}, Case{"1", 1}}) {
        SCOPED_TRACE(c.hookKey);
        TempDir dir;
        const Profile p(dir.Write("palora.ini", std::string("[System]\nHookKey=") + c.hookKey +
                                                    "\nAlwaysTop=2\nAutoFlex=0\nTop=abc\n"));
        const AppliedSettings a = ReadAppliedSettings(p);
        EXPECT_EQ(a.hookKey, c.expected);
        EXPECT_TRUE(a.alwaysTop);
        EXPECT_FALSE(a.autoFlex);
        EXPECT_EQ(LoadSettings(p).top, 10);
    }
}

TEST(SettingsTest, SaveWritesEveryKeyInOrderAndKeepsTheRest) {
    TempDir dir;
    const auto file = dir.Write("palora.ini",
                                "; my colours\r\n[System]\r\nColor2=ff8000\r\nBorderColor=101010\r\n"
                                "AlwaysTop=2\r\n[BookMarks]\r\nsky=87CEEB\r\n");
    SavedSettings v;
    v.skinName = "PEBBLE";
    v.alwaysTop = true;
    v.autoFlex = false;
    v.top = 200;
    v.left = -3;
    v.hookKey = 65;
    v.colors = {MakeColor(255, 0, 10), MakeColor(255, 128, 0), 0, 0xFFFFFF};
    v.copyAddHash = false;
    v.copyType = 2;
    v.palIndex = 3;
    ASSERT_TRUE(SaveSettings(Profile(file), v));
    EXPECT_EQ(TempDir::Read(file),
              "; my colours\r\n[System]\r\nColor2=FF8000\r\nBorderColor=101010\r\nAlwaysTop=1\r\n"
              "SkinName=PEBBLE\r\nAutoFlex=0\r\nTop=200\r\nLeft=-3\r\nHookKey=65\r\n"
              "Color1=FF000A\r\nColor3=000000\r\nColor4=FFFFFF\r\nCopyAdd#=0\r\nCopyType=2\r\n"
              "PalIndex=3\r\n[BookMarks]\r\nsky=87CEEB\r\n");
}

TEST(SettingsTest, SaveNeverCreatesTheFile) {
    TempDir dir;
    const auto file = dir.path() / "palora.ini";
    EXPECT_TRUE(SaveSettings(Profile(file), SavedSettings{}));
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(SettingsTest, SaveStopsAtTheFirstValueThatCannotBeWritten) {
    TempDir dir;
    const auto file = dir.Write("palora.ini", "[System]\nTop=1\n");
    SavedSettings v;
    v.skinName = "bad\nname";  // a line break cannot be stored in an INI value
    const WriteResult r = SaveSettings(Profile(file), v);
    EXPECT_FALSE(r);
    EXPECT_NE(r.message.find("palora.ini"), std::string::npos) << r.message;
    EXPECT_EQ(TempDir::Read(file), "[System]\nTop=1\n");
}

}  // namespace
}  // namespace huebird
