#include <gtest/gtest.h>

#include "TempDir.h"
#include "core/SkinDescription.h"
#include "core/SkinFiles.h"

namespace huebird {
namespace {

using testing::TempDir;

TEST(SkinDescriptionTest, ReadsEverySectionWithDefaults) {
    TempDir dir;
    const Profile skin(dir.Write("skin.ini",
                                 "[main]\nSkinDesigner=Ann\n"
                                 "[MENU]\nImg=menu.bmp\nLeft=4\nTop=3\n"
                                 "[SubRGB]\nImg=  \nLeft=x\n"
                                 "[Color3]\nLeft=17\nTop=36\nWidth=21\nHeight=22\n"
                                 "[FontColor]\nRedColor=#FF0000\nRgbColor3=ff\n"
                                 "RgbBFontTop=50\nRgbBFontLeft=60\nFontIsBold=5\n"
                                 "[AutoFlex]\nFlexWidth=40\n"));
    const SkinMain main = ReadSkinMain(skin);
    EXPECT_EQ(main.designer, "Ann");
    EXPECT_EQ(main.background, "backgrd.bmp");

    const SkinControls c = ReadSkinControls(skin);
    EXPECT_EQ(c.buttons[0].img, "menu.bmp");
    EXPECT_EQ(c.buttons[0].left, 4);
    EXPECT_EQ(c.buttons[0].top, 3);
    EXPECT_EQ(TrimBlanks(c.buttons[9].img), "");
    EXPECT_EQ(c.buttons[9].left, 0);
    EXPECT_EQ(c.buttons[1].img, "");
    EXPECT_EQ(c.swatches[2].left, 17);
    EXPECT_EQ(c.swatches[2].height, 22);
    EXPECT_EQ(c.swatches[0].width, 0);

    const SkinFonts f = ReadSkinFonts(skin);
    EXPECT_EQ(f.labels[0].colorText, "#FF0000");
    EXPECT_EQ(f.labels[5].colorText, "ff");
    EXPECT_EQ(f.labels[5].top, 50);
    EXPECT_EQ(f.labels[5].left, 60);
    EXPECT_EQ(f.labels[1].colorText, "");
    EXPECT_TRUE(f.bold);
    EXPECT_EQ(f.flexWidth, 40);
    EXPECT_EQ(f.flexHeight, 0);
}

// Every number a skin gives is brought to what can sit on a window: places into the 16-bit
// coordinate range, sizes into 0..32767 while reading and then into the background.
TEST(SkinDescriptionTest, BoundsExtremeNumbers) {
    struct Case {
        const char* written;
        int place;  // as a button, swatch or label position
        int size;   // as a swatch size or rolled-up size, before the background is known
    };
    const Case cases[] = {
        {"-2147483648", -32768, 0},
        {"2147483647", 32767, 32767},
        {"-20000", -20000, 0},
        {"20000", 20000, 20000},
        {"-32769", -32768, 0},
        {"32768", 32767, 32767},
        {"0x7FFFFFFF", 32767, 32767},
        {"99999999999", 0, 0},  // out of 32 bits: the default
        {"12", 12, 12},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.written);
        TempDir dir;
        const std::string v = c.written;
        const Profile skin(dir.Write(
            "skin.ini", "[Close]\nImg=c.bmp\nLeft=" + v + "\nTop=" + v + "\n[Color4]\nLeft=" + v +
                            "\nTop=" + v + "\nWidth=" + v + "\nHeight=" + v +
                            "\n[FontColor]\nBlueFontTop=" + v + "\nBlueFontLeft=" + v +
                            "\n[AutoFlex]\nFlexWidth=" + v + "\nFlexHeight=" + v + "\n"));
        const SkinControls controls = ReadSkinControls(skin);
        EXPECT_EQ(controls.buttons[2].left, c.place);
        EXPECT_EQ(controls.buttons[2].top, c.place);
        EXPECT_EQ(controls.swatches[3].left, c.place);
        EXPECT_EQ(controls.swatches[3].top, c.place);
        EXPECT_EQ(controls.swatches[3].width, c.size);
        EXPECT_EQ(controls.swatches[3].height, c.size);
        const SkinFonts f = ReadSkinFonts(skin);
        EXPECT_EQ(f.labels[2].top, c.place);
        EXPECT_EQ(f.labels[2].left, c.place);
        EXPECT_EQ(f.flexWidth, c.size);
        EXPECT_EQ(f.flexHeight, c.size);
    }
}

TEST(SkinDescriptionTest, SizesAreBoundToTheBackground) {
    SkinControls c;
    c.swatches[0] = {-5, 7, 20000, 21};
    c.swatches[1] = {1, 2, -3, 130};
    c.buttons[4].left = 20000;
    BoundToBackground(c, 150, 130);
    EXPECT_EQ(c.swatches[0], (SwatchPlace{-5, 7, 150, 21}));  // places are left alone
    EXPECT_EQ(c.swatches[1], (SwatchPlace{1, 2, 0, 130}));
    EXPECT_EQ(c.buttons[4].left, 20000);

    SkinFonts f;
    f.flexWidth = 20000;
    f.flexHeight = -20000;
    BoundToBackground(f, 150, 130);
    EXPECT_EQ(f.flexWidth, 150);
    EXPECT_EQ(f.flexHeight, 0);
    f.flexWidth = 40;
    f.flexHeight = 20;
    BoundToBackground(f, 150, 130);
    EXPECT_EQ(f.flexWidth, 40);
    EXPECT_EQ(f.flexHeight, 20);
}

TEST(SkinFilesTest, FindsFilesWrittenWithBackslashesAndAnyCase) {
    TempDir dir;
    dir.Write("Skins/Blue/Parts/Menu.BMP", "x");
    dir.Write("Skins/Blue/backgrd.bmp", "x");
    const auto skins = dir.path() / "Skins";
    EXPECT_EQ(ResolveInFolder(skins, "blue"), skins / "Blue");
    EXPECT_EQ(ResolveInFolder(skins / "Blue", "parts\\menu.bmp"), skins / "Blue/Parts/Menu.BMP");
    EXPECT_EQ(ResolveInFolder(skins / "Blue", "backgrd.bmp"), skins / "Blue/backgrd.bmp");
    // Nothing matches: the path as written, so a message can name it.
    EXPECT_EQ(ResolveInFolder(skins / "Blue", "parts\\none.bmp"), skins / "Blue/parts/none.bmp");
}

TEST(SkinFilesTest, ListsOnlyFolders) {
    TempDir dir;
    dir.Write("skins/DEFAULT/skin.ini", "");
    dir.Write("skins/.hidden/skin.ini", "");
    dir.Write("skins/readme.txt", "");
    auto names = ListSkinFolders(dir.path() / "skins");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{".hidden", "DEFAULT"}));
    EXPECT_TRUE(ListSkinFolders(dir.path() / "missing").empty());
}

}  // namespace
}  // namespace huebird
