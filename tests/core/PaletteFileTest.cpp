// Palette file texts: the .gpl and CSS a list is written as, and reading a .gpl leniently
// where GIMP is lenient and strictly where a colour would change; the files read with a size
// limit and written whole.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <string>
#include <vector>

#include "NoFileGrowth.h"
#include "TempDir.h"
#include "core/PaletteFile.h"

namespace huebird {
namespace {

using testing::TempDir;
using Entries = std::vector<PaletteEntry>;
namespace fs = std::filesystem;

TEST(PaletteFileTest, GplTextIsWhatGimpWrites) {
    const Entries entries = {{"Sky", MakeColor(135, 206, 235)},
                             {"中文 名称", MakeColor(0, 7, 255)},
                             {"two\nlines", MakeColor(1, 2, 3)}};
    EXPECT_EQ(GplText(" My list\n", entries),
              "GIMP Palette\n"
              "Name: My list \n"
              "Columns: 0\n"
              "#\n"
              "135 206 235\tSky\n"
              "  0   7 255\t中文 名称\n"
              "  1   2   3\ttwo lines\n");
}

TEST(PaletteFileTest, ReadsWhatGimpsReaderAccepts) {
    struct Case {
        const char* why;
        std::string text;
        std::string name;
        Entries entries;
    };
    const Case cases[] = {
        {"as GIMP writes it",
         "GIMP Palette\nName: Web\nColumns: 16\n#\n255   0   0\tRed\n  0 128   0\tGreen\n",
         "Web",
         {{"Red", MakeColor(255, 0, 0)}, {"Green", MakeColor(0, 128, 0)}}},
        {"CRLF, a byte order mark, Name: without a space",
         "\xEF\xBB\xBFGIMP Palette\r\nName:Win\r\n1 2 3 one\r\n",
         "Win",
         {{"one", MakeColor(1, 2, 3)}}},
        {"old Mac line ends",
         "GIMP Palette\r4 5 6 a\r7 8 9 b",
         "",
         {{"a", MakeColor(4, 5, 6)}, {"b", MakeColor(7, 8, 9)}}},
        {"blanks and tabs anywhere, comments, blank lines",
         "GIMP Palette  \n\n   # a comment\n\t\n \t10\t\t20  30 \t Deep  sea \t\n#\n",
         "",
         {{"Deep  sea", MakeColor(10, 20, 30)}}},
        {"a Columns value that cannot be used is ignored",
         "GIMP Palette\nColumns: many\n1 1 1 x\n",
         "",
         {{"x", MakeColor(1, 1, 1)}}},
        {"no name, and names that look like numbers, comments or keywords",
         "GIMP Palette\n0 0 0\n1 2 3 4 5 6\n9 9 9 # not a comment\n8 8 8 Name: x\n",
         "",
         {{"", 0},
          {"4 5 6", MakeColor(1, 2, 3)},
          {"# not a comment", MakeColor(9, 9, 9)},
          {"Name: x", MakeColor(8, 8, 8)}}},
        {"leading zeros", "GIMP Palette\n007 000 255 z\n", "", {{"z", MakeColor(7, 0, 255)}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.why);
        const PaletteRead read = ParseGpl(c.text);
        ASSERT_TRUE(read) << static_cast<int>(read.problem) << " line " << read.line;
        EXPECT_EQ(read.palette.name, c.name);
        EXPECT_EQ(read.palette.entries, c.entries);
    }
}

TEST(PaletteFileTest, RefusesWhatWouldChangeAColourAndSaysWhere) {
    struct Case {
        std::string text;
        PaletteProblem problem;
        std::size_t line;
        std::string detail;
    };
    using enum PaletteProblem;
    const std::string longLine = "GIMP Palette\n1 2 " + std::string(100, 'q') + "\n";
    const Case cases[] = {
        {"", kEmpty, 0, ""},
        {"\xEF\xBB\xBF", kEmpty, 0, ""},
        {"GIMP Palette\n# only a comment\n", kNoColours, 0, ""},
        {"Name: x\n1 2 3 a\n", kNoHeader, 1, ""},
        {"\nGIMP Palette\n1 2 3 a\n", kNoHeader, 1, ""},
        {"GIMP palette\n1 2 3 a\n", kNoHeader, 1, ""},
        // UTF-16 with its byte order mark: not UTF-8 from the first line
        {std::string("\xFF\xFEG\0I\0", 6), kNotUtf8, 1, ""},
        {"GIMP Palette\n1 2 3 ok\n4 5 6 caf\xE9\n", kNotUtf8, 3, ""},
        {"GIMP Palette\n1 2 3 a\n\n256 0 0 b\n", kValueOutOfRange, 4, "256"},
        {"GIMP Palette\r\n0 -1 0 b\r\n", kValueOutOfRange, 2, "-1"},
        {"GIMP Palette\n0 0 99999999999999999999999 b\n", kValueOutOfRange, 2,
         "99999999999999999999999"},
        {"GIMP Palette\n12 34\n", kNotAColour, 2, "12 34"},
        {"GIMP Palette\nred green blue\n", kNotAColour, 2, "red green blue"},
        {"GIMP Palette\n1 2 3x\n", kNotAColour, 2, "1 2 3x"},
        {"GIMP Palette\n1.5 2 3 a\n", kNotAColour, 2, "1.5 2 3 a"},
        {"GIMP Palette\n+1 2 3 a\n", kNotAColour, 2, "+1 2 3 a"},
        {longLine, kNotAColour, 2, "1 2 " + std::string(56, 'q') + "\xE2\x80\xA6"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const PaletteRead read = ParseGpl(c.text);
        EXPECT_EQ(read.problem, c.problem);
        EXPECT_EQ(read.line, c.line);
        EXPECT_EQ(read.detail, c.detail);
        EXPECT_TRUE(read.palette.entries.empty());
        EXPECT_NE(std::string(PaletteProblemText(c.problem)), "");
    }
}

TEST(PaletteFileTest, CssPropertyNamesAreIdentifiers) {
    const std::pair<const char*, const char*> cases[] = {
        {"Red", "--red"},
        {"Sky Blue", "--sky-blue"},
        {"a = b; c", "--a-b-c"},
        {"--Brand--", "--brand"},
        {"snake_case", "--snake_case"},
        {"100% pure", "--100-pure"},
        {"中文名称", "--中文名称"},
        {"Café", "--café"},
        {"🎨 paint", "--🎨-paint"},
        // an ideographic space is no identifier character, a non-breaking one neither
        {"天空\xE3\x80\x80蓝\xC2\xA0", "--天空-蓝"},
        {"!!!", "--colour"},
        {"", "--colour"},
        {"a\xFF"
         "b",
         "--a-b"},
    };
    for (const auto& [name, property] : cases) {
        EXPECT_EQ(CssPropertyName(name), property) << name;
    }
}

TEST(PaletteFileTest, CssPropertiesKeepEveryEntry) {
    const Entries entries = {{"red", MakeColor(255, 0, 0)},
                             {"Red", MakeColor(254, 0, 0)},
                             {"RED!", MakeColor(253, 0, 0)},
                             {"a*/b", MakeColor(0, 0xAB, 0xCD)}};
    EXPECT_EQ(CssPropertiesText(entries),
              ":root {\n"
              "  --red: #ff0000;\n"
              "  --red-2: #fe0000; /* Red */\n"
              "  --red-3: #fd0000; /* RED! */\n"
              "  --a-b: #00abcd; /* a* /b */\n"
              "}\n");
}

TEST(PaletteFileTest, ReadsFilesWithinTheLimitOnly) {
    TempDir dir;
    const std::string good = "GIMP Palette\n1 2 3 a\n";
    EXPECT_TRUE(ReadGplFile(dir.Write("good.gpl", good)));

    std::string atLimit = good;
    atLimit.resize(kMaxPaletteFileBytes, '\n');
    EXPECT_TRUE(ReadGplFile(dir.Write("limit.gpl", atLimit)));
    const PaletteRead over = ReadGplFile(dir.Write("over.gpl", atLimit + "\n"));
    EXPECT_EQ(over.problem, PaletteProblem::kTooLarge);
    EXPECT_EQ(over.detail, std::to_string(kMaxPaletteFileBytes));

    const PaletteRead missing = ReadGplFile(dir.path() / "missing.gpl");
    EXPECT_EQ(missing.problem, PaletteProblem::kCannotRead);
    EXPECT_NE(missing.detail, "");
    EXPECT_EQ(ReadGplFile(dir.path()).problem, PaletteProblem::kCannotRead);
    // A pipe nobody writes to is refused at once, not waited on.
    const fs::path fifo = dir.path() / "fifo.gpl";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const PaletteRead pipe = ReadGplFile(fifo);
    EXPECT_EQ(pipe.problem, PaletteProblem::kCannotRead);
    EXPECT_EQ(pipe.detail, "not a plain file");
}

TEST(PaletteFileTest, WritesWholeFiles) {
    TempDir dir;
    const fs::path fresh = dir.path() / "new.gpl";
    EXPECT_EQ(WritePaletteFile(fresh, "one"), std::nullopt);
    EXPECT_EQ(TempDir::Read(fresh), "one");

    // An existing file is replaced and keeps its mode; a link's target is what changes.
    const fs::path old = dir.Write("old.gpl", "a much longer old content");
    ::chmod(old.c_str(), 0640);
    const fs::path link = dir.path() / "link.gpl";
    fs::create_symlink(old, link);
    EXPECT_EQ(WritePaletteFile(link, "two"), std::nullopt);
    EXPECT_EQ(TempDir::Read(old), "two");
    EXPECT_TRUE(fs::is_symlink(link));
    struct stat st {};
    ::stat(old.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0640u);

    // Failures say so and leave what was there.
    const fs::path dangling = dir.path() / "dangling.gpl";
    fs::create_symlink(dir.path() / "nowhere.gpl", dangling);
    EXPECT_NE(WritePaletteFile(dangling, "x"), std::nullopt);
    EXPECT_FALSE(fs::exists(dir.path() / "nowhere.gpl"));
    EXPECT_NE(WritePaletteFile(dir.path() / "no-folder" / "x.gpl", "x"), std::nullopt);
    EXPECT_NE(WritePaletteFile(dir.path(), "x"), std::nullopt);
    {
        testing::NoFileGrowth full;
        const std::optional<std::string> error = WritePaletteFile(old, "three, longer");
        ASSERT_NE(error, std::nullopt);
        EXPECT_NE(error->find("File too large"), std::string::npos) << *error;
    }
    EXPECT_EQ(TempDir::Read(old), "two");
}

}  // namespace
}  // namespace huebird
