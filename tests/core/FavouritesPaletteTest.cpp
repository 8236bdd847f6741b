// Favourites lists out to palette files and back in, against a real settings file: the
// round trip keeps every entry, an import never loses or changes what a list holds, and a
// refused or failed import leaves the file byte for byte as it was.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "NoFileGrowth.h"
#include "TempDir.h"
#include "core/FavouritesPalette.h"

namespace huebird {
namespace {

using testing::TempDir;
using Entries = std::vector<PaletteEntry>;
using Writes = std::vector<std::pair<std::string, std::string>>;

std::string Same(const char* text) { return text; }

// A settings file with `list0` as the first list's lines and the other two lists empty.
std::string Settings(const std::string& list0) {
    return "[System]\nLeft=10\n[BookMarks]\n" + list0 + "[BookMarks1]\n[BookMarks2]\n";
}

TEST(FavouritesPaletteTest, ExportThenImportGivesTheSameEntries) {
    // Names the file holds as keys, each awkward for one of the formats or the reader.
    const std::vector<std::string> names = {"Sky",
                                            "中文名称",
                                            "tab\tinside",
                                            "#hash",
                                            "a;b",
                                            "x]y",
                                            "\"quoted\"",
                                            "'single'",
                                            "back\\slash",
                                            "100%",
                                            "🎨",
                                            "a  b",
                                            "12 34 56",
                                            "Name: x",
                                            "Columns: 3",
                                            "# c",
                                            "--css",
                                            "é",
                                            "GIMP Palette",
                                            std::string(kMaxImportedNameBytes, 'L')};
    std::string lines;
    for (int i = 0; i < static_cast<int>(names.size()); ++i) {
        lines += names[i] + "=" + ColorToHex(MakeColor(i * 13, 255 - i, i)) + "\n";
    }
    lines += "Leading=#0A0B0C\n";  // the '#' a click takes
    TempDir dir;
    const FavouritesStore store(dir.Write("palora.ini", Settings(lines)));
    const FavouritesOut out = CollectFavourites(store, 0);
    ASSERT_EQ(out.entries.size(), names.size() + 1);
    EXPECT_TRUE(out.noColour.empty());

    const PaletteRead read = ParseGpl(GplText("Round trip", out.entries));
    ASSERT_TRUE(read);
    EXPECT_EQ(read.palette.name, "Round trip");
    EXPECT_EQ(read.palette.entries, out.entries);
    const ImportResult imported = ImportPalette(store, 2, read.palette.entries);
    ASSERT_TRUE(imported.added()) << imported.written.message;
    EXPECT_TRUE(imported.plan.renamed.empty());
    EXPECT_EQ(imported.plan.alreadyThere, 0u);
    EXPECT_EQ(CollectFavourites(store, 2).entries, out.entries);
    EXPECT_EQ(store.Value(2, "Leading"), "0A0B0C");

    // The same file again adds nothing and writes nothing.
    const std::string before = TempDir::Read(store.path());
    const ImportResult again = ImportPalette(store, 2, read.palette.entries);
    EXPECT_FALSE(again.added());
    EXPECT_EQ(again.plan.alreadyThere, out.entries.size());
    EXPECT_EQ(TempDir::Read(store.path()), before);
}

TEST(FavouritesPaletteTest, ExportLeavesOutWhatIsNoColour) {
    TempDir dir;
    const FavouritesStore store(
        dir.Write("palora.ini", Settings("Odd=XYZ\nSky=87CEEB\nShort=12\nLong=1234567\n")));
    // Each entry as a click on it applies it: a short code is padded with zeros.
    const FavouritesOut out = CollectFavourites(store, 0);
    EXPECT_EQ(out.entries,
              (Entries{{"Sky", MakeColor(0x87, 0xCE, 0xEB)}, {"Short", MakeColor(0x12, 0, 0)}}));
    EXPECT_EQ(out.noColour, (std::vector<std::string>{"Odd", "Long"}));
    EXPECT_EQ(ExportSummary(out, Same), "值不是颜色、没有导出的条目（2 个）：Odd, Long");
    EXPECT_EQ(ExportSummary(CollectFavourites(store, 1), Same),
              "该收藏夹中没有可导出的颜色，没有写入文件。");
}

TEST(FavouritesPaletteTest, ImportMakesNamesSafeAndKeepsWhatTheListHolds) {
    TempDir dir;
    const std::string held = "Sky=87CEEB\nGrass=7CFC00\n";
    const FavouritesStore store(dir.Write("palora.ini", Settings(held)));
    const std::string tooLong(1500, 'L');
    const Entries entries = {
        {"Sky", MakeColor(0x87, 0xCE, 0xEB)},  // held with this colour: not added again
        {"sky", MakeColor(0, 0, 1)},           // held with another colour
        {"a=b", MakeColor(1, 0, 0)},
        {";c", MakeColor(2, 0, 0)},
        {"[d", MakeColor(3, 0, 0)},
        {"", MakeColor(0x11, 0x22, 0x33)},
        {"Dup", MakeColor(5, 0, 0)},
        {"dup", MakeColor(6, 0, 0)},  // earlier in the file with another colour
        {"DUP", MakeColor(5, 0, 0)},  // earlier in the file with this colour
        {tooLong, MakeColor(7, 0, 0)},
        {"a-b", MakeColor(8, 0, 0)},  // the name "a=b" was given
        {std::string("x\0y", 3), MakeColor(9, 0, 0)},
        {"Grass", MakeColor(0x7C, 0xFC, 0)},
    };
    const ImportResult result = ImportPalette(store, 0, entries);
    ASSERT_TRUE(result.added()) << result.written.message;
    const std::string cut(kMaxImportedNameBytes, 'L');
    EXPECT_EQ(result.plan.writes, (Writes{{"sky (2)", "000001"},
                                          {"a-b", "010000"},
                                          {"_;c", "020000"},
                                          {"_[d", "030000"},
                                          {"#112233", "112233"},
                                          {"Dup", "050000"},
                                          {"dup (2)", "060000"},
                                          {cut, "070000"},
                                          {"a-b (2)", "080000"},
                                          {"xy", "090000"}}));
    using enum RenameReason;
    const std::vector<std::tuple<std::string, std::string, RenameReason>> renamed = {
        {"sky", "sky (2)", kTaken},
        {"a=b", "a-b", kCannotHold},
        {";c", "_;c", kCannotHold},
        {"[d", "_[d", kCannotHold},
        {"", "#112233", kEmpty},
        {"dup", "dup (2)", kTaken},
        {tooLong, cut, kTooLong},
        {"a-b", "a-b (2)", kTaken},
        {std::string("x\0y", 3), "xy", kCannotHold}};
    ASSERT_EQ(result.plan.renamed.size(), renamed.size());
    for (std::size_t i = 0; i < renamed.size(); ++i) {
        const ImportRename& r = result.plan.renamed[i];
        EXPECT_EQ(std::tie(r.from, r.to, r.reason), renamed[i]) << i;
    }
    EXPECT_EQ(result.plan.alreadyThere, 3u);

    // What the list held is there as it was, the new entries after it, every one listed.
    std::vector<std::string> names = {"Sky", "Grass"};
    for (const auto& [name, code] : result.plan.writes) names.push_back(name);
    EXPECT_EQ(store.Names(0), names);
    EXPECT_EQ(store.Value(0, "Sky"), "87CEEB");
    EXPECT_EQ(store.Value(0, "Grass"), "7CFC00");
    EXPECT_EQ(store.Value(0, "sky (2)"), "000001");
}

TEST(FavouritesPaletteTest, RefusedOrFailedImportsChangeNothing) {
    // The first list's listing with 63 bytes free: room for seven names of seven letters.
    std::string lines;
    for (int i = 0; i < 2040; ++i) lines += std::to_string(1000000 + i) + "=000000\n";
    TempDir dir;
    const FavouritesStore store(dir.Write("palora.ini", Settings(lines)));
    const std::string before = TempDir::Read(store.path());
    Entries eight;
    for (int i = 0; i < 8; ++i) eight.push_back({"name-0" + std::to_string(i), MakeColor(i, 0, 0)});

    const ImportResult tooMany = ImportPalette(store, 0, eight);
    EXPECT_TRUE(tooMany.plan.noRoom);
    EXPECT_FALSE(tooMany.added());
    EXPECT_EQ(TempDir::Read(store.path()), before);
    EXPECT_EQ(ImportSummary(tooMany.plan, "p.gpl", "常用收藏夹", Same),
              "“常用收藏夹”放不下这么多颜色名称，“p.gpl”中的颜色都没有导入。"
              "请删除一些颜色，或导入到其它收藏夹。");

    eight.pop_back();
    {
        testing::NoFileGrowth full;
        const ImportResult failed = ImportPalette(store, 0, eight);
        EXPECT_FALSE(failed.written.ok);
        EXPECT_FALSE(failed.added());
    }
    EXPECT_EQ(TempDir::Read(store.path()), before);
    EXPECT_TRUE(ImportPalette(store, 0, eight).added());
    EXPECT_EQ(store.Names(0).size(), 2047u);

    // Without a settings file nothing is made.
    const FavouritesStore none(dir.path() / "none.ini");
    const ImportResult missing = ImportPalette(none, 0, eight);
    EXPECT_FALSE(missing.written.ok);
    EXPECT_TRUE(missing.written.missing);
    EXPECT_FALSE(std::filesystem::exists(none.path()));
}

TEST(FavouritesPaletteTest, NoticesSayWhatHappened) {
    ImportPlan plan;
    plan.writes.resize(14);
    for (int i = 0; i < 12; ++i) {
        plan.renamed.push_back(
            {"n=" + std::to_string(i), "n-" + std::to_string(i), RenameReason::kCannotHold});
    }
    plan.renamed[1].reason = RenameReason::kTaken;
    plan.alreadyThere = 2;
    const std::string summary = ImportSummary(plan, "web.gpl", "经典收藏夹", Same);
    EXPECT_EQ(summary.substr(0, summary.find('\n')),
              "从“web.gpl”导入到“经典收藏夹”的颜色：14 个。");
    EXPECT_NE(summary.find("\n\n已更改的名称：12 个\n“n=0” → “n-0”：收藏夹文件不能保存原名称"),
              std::string::npos)
        << summary;
    EXPECT_NE(summary.find("\n“n=1” → “n-1”：该名称已用于其它颜色\n"), std::string::npos);
    EXPECT_NE(summary.find("“n=9” → “n-9”"), std::string::npos);
    EXPECT_EQ(summary.find("“n=10”"), std::string::npos);
    EXPECT_NE(summary.find("\n……还有 2 个\n\n名称和颜色都已在收藏夹中、没有重复导入的颜色：2 个"),
              std::string::npos)
        << summary;

    EXPECT_EQ(ImportFailure("bad.gpl", ParseGpl("GIMP Palette\n1 2 3 a\n\n256 0 0 b\n"), Same),
              "无法导入“bad.gpl”：第 4 行：颜色值 256 不在 0 到 255 之间。");
    EXPECT_EQ(ImportFailure("x.gpl", ParseGpl("GIMP Palette\nred\n"), Same),
              "无法导入“x.gpl”：第 2 行不是颜色（应为“红 绿 蓝 名称”）：red");
    EXPECT_EQ(ExportFailure("/a/b.css", "No space left on device", Same),
              "无法导出到“/a/b.css”：No space left on device");
}

}  // namespace
}  // namespace huebird
