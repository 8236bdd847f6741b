// When a skin is missing or unusable, judged from plain facts, and the message that says why.
#include <sys/stat.h>

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "TempDir.h"
#include "core/SkinCheck.h"

namespace huebird {
namespace {

using testing::TempDir;
using Kind = SkinProblem::Kind;

const std::filesystem::path kFile = "/skins/Blue/skin.ini";
const std::filesystem::path kPicture = "/skins/Blue/b0.bmp";

std::string Said(const std::optional<SkinProblem>& problem) {
    return problem ? FillIn(problem->text, problem->args) : std::string("(none)");
}

TEST(SkinCheckTest, FillInReplacesEveryMarkerInOnePass) {
    EXPECT_EQ(FillIn("%1 的 [%2]", {"/a%2b", "Menu"}), "/a%2b 的 [Menu]");
    EXPECT_EQ(FillIn("%2 then %1", {"x", "y"}), "y then x");
    EXPECT_EQ(FillIn("100% of %1, %3", {"it"}), "100% of it, %3");  // nothing to fill stays
    EXPECT_EQ(FillIn("ends in %", {"x"}), "ends in %");
}

TEST(SkinCheckTest, LooksUpWhatLiesAtAPath) {
    TempDir dir;
    const auto file = dir.Write("skin.ini", "[Main]\n");
    std::filesystem::create_directory(dir.path() / "folder");
    ASSERT_EQ(::mkfifo((dir.path() / "pipe").c_str(), 0600), 0);
    std::filesystem::create_symlink(file, dir.path() / "link");
    const struct {
        const char* name;
        bool exists, plain;
        std::optional<unsigned long long> bytes;
    } cases[] = {
        {"skin.ini", true, true, 7},
        {"link", true, true, 7},  // followed
        {"folder", true, false, std::nullopt},
        {"pipe", true, false, std::nullopt},
        {"nothing", false, false, std::nullopt},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FileLookup found = LookUpFile(dir.path() / c.name);
        EXPECT_EQ(found.exists, c.exists);
        EXPECT_EQ(found.plain, c.plain);
        EXPECT_EQ(found.bytes, c.bytes);
    }
}

TEST(SkinCheckTest, SkinFileMustBeAPlainFileOfAtMostItsLimit) {
    const struct {
        const char* what;
        FileLookup found;
        std::optional<Kind> kind;
        std::string message;
    } cases[] = {
        {"nothing there",
         {false, false, std::nullopt},
         Kind::kMissing,
         "皮肤文件不存在：/skins/Blue/skin.ini"},
        {"a folder",
         {true, false, std::nullopt},
         Kind::kMissing,
         "皮肤文件不存在：/skins/Blue/skin.ini"},
        {"at the limit", {true, true, kMaxSkinFileSize}, std::nullopt, "(none)"},
        {"a byte over",
         {true, true, kMaxSkinFileSize + 1},
         Kind::kUnusable,
         "皮肤文件 /skins/Blue/skin.ini 太大（1048577 字节），最多 1048576 字节"},
        {"size not told", {true, true, std::nullopt}, std::nullopt, "(none)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<SkinProblem> problem = SkinFileProblem(kFile, c.found);
        EXPECT_EQ(problem ? std::optional(problem->kind) : std::nullopt, c.kind);
        EXPECT_EQ(Said(problem), c.message);
    }
}

TEST(SkinCheckTest, EveryButtonMustNameItsPicture) {
    SkinControls controls;
    for (auto& button : controls.buttons) button.img = "b.bmp";
    EXPECT_EQ(StripNameProblem(kFile, controls), std::nullopt);
    controls.buttons[9].img = "";
    controls.buttons[5].img = " \t ";  // blanks name nothing; the first such button is named
    const std::optional<SkinProblem> problem = StripNameProblem(kFile, controls);
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->kind, Kind::kMissing);
    EXPECT_EQ(Said(problem), "皮肤文件 /skins/Blue/skin.ini 的 [SubGreen] 没有指定按钮图片 (Img)");
}

TEST(SkinCheckTest, PicturesAreRefusedFromWhatLiesThereAndTheirHeader) {
    constexpr FileLookup kPlain{true, true, 100};
    const struct {
        const char* what;
        FileLookup found;
        std::optional<PictureSize> header;
        std::string message;
    } cases[] = {
        {"a pipe",
         {true, false, std::nullopt},
         PictureSize{1, 1},
         "无法读取皮肤图片 /skins/Blue/b0.bmp：不是普通文件"},
        {"nothing there",
         {false, false, std::nullopt},
         std::nullopt,
         "无法读取皮肤图片 /skins/Blue/b0.bmp：文件头无效"},
        {"no header", kPlain, std::nullopt, "无法读取皮肤图片 /skins/Blue/b0.bmp：文件头无效"},
        {"widest", kPlain, PictureSize{kMaxWindowExtent, 1}, "(none)"},
        {"too wide", kPlain, PictureSize{kMaxWindowExtent + 1, 1},
         "皮肤图片 /skins/Blue/b0.bmp 太大（32768 x 1）：宽和高都不能超过 32767 像素"},
        {"too tall", kPlain, PictureSize{1, kMaxWindowExtent + 1},
         "皮肤图片 /skins/Blue/b0.bmp 太大（1 x 32768）：宽和高都不能超过 32767 像素"},
        {"the whole share", kPlain, PictureSize{2048, 1024}, "(none)"},
        {"past the share", kPlain, PictureSize{2049, 1024},
         "皮肤图片 /skins/Blue/b0.bmp 太大（2049 x 1024）：一套皮肤的图片合计不能超过 2097152 "
         "像素"},
    };
    const SkinPictureBudget budget;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const std::optional<SkinProblem> problem =
            budget.BeforeReading(kPicture, c.found, c.header);
        if (problem) {
            EXPECT_EQ(problem->kind, Kind::kUnusable);
        }
        EXPECT_EQ(Said(problem), c.message);
    }
    EXPECT_EQ(Said(SkinPictureBudget::Unreadable(kPicture, "bad data")),
              "无法读取皮肤图片 /skins/Blue/b0.bmp：bad data");
}

TEST(SkinCheckTest, ThePicturesOfASkinShareOneBudget) {
    constexpr FileLookup kPlain{true, true, 100};
    SkinPictureBudget budget;
    budget.Spend({2048, 1000});  // 49152 pixels left
    EXPECT_EQ(budget.PixelsLeft(), kMaxSkinPixels - 2048 * 1000);
    EXPECT_EQ(budget.BeforeReading(kPicture, kPlain, PictureSize{128, 384}), std::nullopt);
    EXPECT_NE(budget.BeforeReading(kPicture, kPlain, PictureSize{129, 384}), std::nullopt);
    budget.Spend({128, 384});
    EXPECT_NE(budget.BeforeReading(kPicture, kPlain, PictureSize{1, 1}), std::nullopt);
    EXPECT_EQ(budget.BeforeReading(kPicture, kPlain, PictureSize{0, 0}), std::nullopt);
}

TEST(SkinCheckTest, ABackgroundWithoutAnOpaquePartIsUnusable) {
    const std::filesystem::path background = "/skins/Blue/backgrd.bmp";
    EXPECT_EQ(OutlineProblem(background, {20, 20}, {{0, 1, 2}}), std::nullopt);
    const std::optional<SkinProblem> problem = OutlineProblem(background, {20, 10}, {});
    ASSERT_TRUE(problem);
    EXPECT_EQ(problem->kind, Kind::kUnusable);
    EXPECT_EQ(Said(problem),
              "皮肤背景 /skins/Blue/backgrd.bmp（20 x 10）没有不透明的部分，窗口将不可见");
}

// An outline of rows 10..19, columns 10..29, with a hole at columns 18..21.
std::vector<OutlineSpan> RingOutline() {
    std::vector<OutlineSpan> spans;
    for (int y = 10; y < 20; ++y) {
        spans.push_back({y, 10, 18});
        spans.push_back({y, 22, 30});
    }
    return spans;
}

TEST(SkinCheckTest, MenuAndCloseButtonsMustShowAClickablePart) {
    struct Case {
        const char* what;
        int button;  // placed and sized; every other button sits well inside
        int left, top;
        PictureSize strip;    // two faces side by side
        std::string refused;  // the section named, or empty
    };
    const Case cases[] = {
        {"inside", 0, 12, 12, {8, 4}, ""},
        {"one column over the right edge", 0, 29, 12, {8, 4}, ""},
        {"past the right edge", 0, 30, 12, {8, 4}, "Menu"},
        {"one column over the left edge", 2, 7, 12, {8, 4}, ""},
        {"left of the left edge", 2, 6, 12, {8, 4}, "Close"},
        {"one row over the top", 0, 12, 7, {8, 4}, ""},
        {"above the top", 0, 12, 6, {8, 4}, "Menu"},
        {"on the last row", 2, 12, 19, {8, 4}, ""},
        {"below the last row", 2, 12, 20, {8, 4}, "Close"},
        {"in the hole", 0, 18, 12, {8, 4}, "Menu"},
        {"across the hole", 0, 17, 12, {12, 4}, ""},
        {"a strip one pixel wide has no face", 2, 12, 12, {1, 6}, "Close"},
        {"a strip of no height", 0, 12, 12, {8, 0}, "Menu"},
        {"the minimise button may be anywhere", 1, 500, 500, {8, 4}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        SkinControls controls;
        std::array<PictureSize, kButtonCount> strips;
        for (int i = 0; i < kButtonCount; ++i) {
            controls.buttons[i] = {"b.bmp", 12, 12};
            strips[i] = {8, 4};
        }
        controls.buttons[c.button] = {"b.bmp", c.left, c.top};
        strips[c.button] = c.strip;
        const std::optional<SkinProblem> problem =
            NeededButtonProblem(kFile, controls, strips, RingOutline());
        if (c.refused.empty()) {
            EXPECT_EQ(Said(problem), "(none)");
            continue;
        }
        ASSERT_TRUE(problem);
        EXPECT_EQ(problem->kind, Kind::kUnusable);
        EXPECT_EQ(Said(problem), "皮肤文件 /skins/Blue/skin.ini 的 [" + c.refused +
                                     "] 按钮不在窗口的可见部分，无法点击");
    }
}

}  // namespace
}  // namespace huebird
