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
