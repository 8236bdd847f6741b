#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

#include "TempDir.h"
#include "core/Favourites.h"

namespace huebird {
namespace {

using testing::TempDir;
using Names = std::vector<std::string>;

constexpr const char* kSample =
    "[Main]\n"
    "Sky=1\n"
    "[BookMarks]\n"
    "Sky=87CEEB\n"
    "; a comment, not an entry\n"
    "Grass=7CFC00\n"
    "Ash=B2BEB5\n"
    "\n"
    "[BookMarks1]\n"
    "Gold=FFD700\n"
    "[BookMarks2]\n";

TEST(FavouritesStoreTest, ListsEachSectionInFileOrder) {
    TempDir dir;
    const FavouritesStore store(dir.Write("palora.ini", kSample));
    EXPECT_EQ(store.Names(0), (Names{"Sky", "Grass", "Ash"}));
    EXPECT_EQ(store.Names(1), (Names{"Gold"}));
    EXPECT_EQ(store.Names(2), Names{});
    EXPECT_EQ(store.Names(3), Names{});
    EXPECT_EQ(store.Names(-1), Names{});
}

TEST(FavouritesStoreTest, PutAppendsToItsOwnSectionAndKeepsTheRest) {
    TempDir dir;
    const auto file = dir.Write("palora.ini", kSample);
    const FavouritesStore store(file);
    ASSERT_TRUE(store.Put(0, "天空蓝", "87CEEB").ok);
    ASSERT_TRUE(store.Put(2, "Rose", "FF007F").ok);
    EXPECT_EQ(store.Names(0), (Names{"Sky", "Grass", "Ash", "天空蓝"}));
    EXPECT_EQ(store.Names(1), (Names{"Gold"}));
    EXPECT_EQ(store.Names(2), (Names{"Rose"}));
    EXPECT_EQ(store.Value(0, "天空蓝"), "87CEEB");
    EXPECT_EQ(store.Value(1, "Sky"), "0");  // other lists are untouched
    EXPECT_EQ(Profile(file).ReadString("Main", "Sky", ""), "1");
}

TEST(FavouritesStoreTest, NamesAreComparedWithoutRegardToCase) {
    TempDir dir;
    const FavouritesStore store(dir.Write("palora.ini", kSample));
    EXPECT_EQ(store.Value(0, "SKY"), "87CEEB");
    // Writing under another spelling replaces the entry in place rather than adding one.
    ASSERT_TRUE(store.Put(0, "sky", "000080").ok);
    EXPECT_EQ(store.Names(0), (Names{"Sky", "Grass", "Ash"}));
    EXPECT_EQ(store.Value(0, "Sky"), "000080");
    ASSERT_TRUE(store.Remove(0, "gRASS").ok);
    EXPECT_EQ(store.Names(0), (Names{"Sky", "Ash"}));
    // A name that is not there: nothing to do, and that is no failure.
    const std::string before = TempDir::Read(dir.path() / "palora.ini");
    EXPECT_TRUE(store.Remove(0, "Nobody").ok);
    EXPECT_EQ(TempDir::Read(dir.path() / "palora.ini"), before);
}

TEST(FavouritesStoreTest, NamesBeyondTheListingBufferAreNotListedButKept) {
    // 1 byte for the final zero plus 2047 names of 7 bytes and their zeros leaves 7 bytes:
    // room for a 6-byte name exactly, and for nothing after it.
    std::string text = "[BookMarks]\n";
    Names expected;
    for (int i = 0; i < 2047; ++i) {
        char name[8];
        std::snprintf(name, sizeof name, "N%06d", i);
        expected.push_back(name);
        text += std::string(name) + "=000000\n";
    }
    text += "Filler=FFFFFF\nX=00FF00\n";
    expected.push_back("Filler");
    TempDir dir;
    const FavouritesStore store(dir.Write("palora.ini", text));

    EXPECT_EQ(store.Names(0), expected);
    EXPECT_EQ(store.Value(0, "X"), "00FF00");
    EXPECT_EQ(store.DrawColor(0, "X"), MakeColor(0, 255, 0));
}

TEST(FavouritesStoreTest, ClickReadsValuesMoreLenientlyThanDrawing) {
    TempDir dir;
    const FavouritesStore store(dir.Write("palora.ini",
                                          "[BookMarks]\n"
                                          "Sky=#87CEEB\n"
                                          "Red=F\n"
                                          "FullRed=FF\n"
                                          "Odd=XYZ\n"
                                          "Lower=87ceeb\n"
                                          "TooLong=87CEEB0\n"));
    struct Case {
        const char* name;
        std::optional<ColorValue> click;
        std::optional<ColorValue> draw;
    };
    const Case cases[] = {
        {"Sky", MakeColor(135, 206, 235), std::nullopt},        // '#' only counts on a click
        {"Red", MakeColor(0xF0, 0, 0), MakeColor(0xF0, 0, 0)},  // padded to F00000
        {"FullRed", MakeColor(255, 0, 0), MakeColor(255, 0, 0)},
        {"Odd", std::nullopt, std::nullopt},
        {"Lower", MakeColor(135, 206, 235), MakeColor(135, 206, 235)},
        {"TooLong", std::nullopt, std::nullopt},
        {"Missing", MakeColor(0, 0, 0), MakeColor(0, 0, 0)},  // the default "0" is black
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(store.ClickColor(0, c.name), c.click);
        EXPECT_EQ(store.DrawColor(0, c.name), c.draw);
    }
}

TEST(FavouritesStoreTest, WithoutAFileNothingIsListedAndNothingIsCreated) {
    TempDir dir;
    const auto file = dir.path() / "palora.ini";
    const FavouritesStore store(file);
    EXPECT_FALSE(store.Exists());
    EXPECT_EQ(store.Names(0), Names{});
    EXPECT_EQ(store.Value(0, "Sky"), "0");
    EXPECT_EQ(store.ClickColor(0, "Sky"), std::nullopt);
    EXPECT_EQ(store.DrawColor(0, "Sky"), std::nullopt);
    EXPECT_FALSE(store.Put(0, "Sky", "87CEEB").ok);
    EXPECT_FALSE(std::filesystem::exists(file));
}

TEST(FavouritesStoreTest, NamesTheFileCannotHoldAreRefusedAndNothingIsWritten) {
    TempDir dir;
    const auto file = dir.Write("palora.ini", kSample);
    const std::string before = TempDir::Read(file);
    const FavouritesStore store(file);
    const std::string refused[] = {"",     "a=b",   ";note", "[Main]", " Sky",
                                   "Sky ", "Sky\t", "a\nb",  "a\rb",   std::string("a\0b", 3)};
    for (const std::string& name : refused) {
        SCOPED_TRACE(::testing::PrintToString(name));
        EXPECT_TRUE(FavouriteNameProblem(name).has_value());
        const WriteResult result = store.Put(0, name, "87CEEB");
        EXPECT_FALSE(result.ok);
        EXPECT_FALSE(result.message.empty());
    }
    EXPECT_EQ(TempDir::Read(file), before);
    for (const char* fine : {"Sky blue", "a;b", "a[b]", "天空蓝", "#1"}) {
        EXPECT_FALSE(FavouriteNameProblem(fine).has_value()) << fine;
    }
}

TEST(FavouritesStoreTest, NewNamesAreCountedAtTheMostBytesEitherEncodingTakes) {
    const struct {
        const char* name;
        std::size_t bytes;
    } cases[] = {
        {"", 0},         {"Sky", 3},  {"天空蓝", 12},  // 9 in UTF-8, 6 in GB18030
        {"é", 4},        {"a天b", 6}, {"😀", 4},
        {"\x80\x80", 2},  // stray continuation bytes still take their room
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FavouriteNameBytesAtMost(c.name), c.bytes) << c.name;
    }
}

// Key lines whose names fill a listing buffer to `listed` bytes, the first Sky included.
std::string ListedSection(std::size_t listed) {
    std::string text = "[BookMarks]\nSky=87CEEB\n";
    std::size_t left = listed - 1 - 4;  // the final zero; Sky and its zero
    for (int i = 0; left > 0; ++i) {
        std::size_t size = std::min<std::size_t>(left, 100);
        if (left - size == 1) --size;  // no name is empty
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "F%05d", i);
        const std::string name = size - 1 >= 6
                                     ? std::string(prefix) + std::string(size - 1 - 6, 'x')
                                     : std::string(size - 1, 'z');
        text += name + "=000000\n";
        left -= size;
    }
    return text;
}

TEST(FavouritesStoreTest, ANewNameMustBeNewToTheFileAndFitTheListing) {
    constexpr std::size_t kFull = kFavouriteListingBytes;
    using enum FavouriteAddProblem;
    struct Case {
        const char* what;
        std::size_t listed;  // bytes the section's names take in the listing
        std::string extra;   // key lines after them
        std::string name;
        FavouriteAddProblem problem;
        bool shownIfWritten;  // for a refusal: what writing it anyway would have done
    };
    const Case cases[] = {
        {"the longest name that ever shows", 5, "", std::string(kFull - 5 - 1, 'a'), kNone, false},
        {"one byte longer", 5, "", std::string(kFull - 5, 'a'), kNoRoom, false},
        {"room for exactly this name", kFull - 4, "", "Sun", kNone, false},
        {"one byte short", kFull - 4, "", "Dusk", kNoRoom, false},
        {"full to the last byte", kFull, "", "a", kNoRoom, false},
        {"names hidden already", kFull, "Hidden=123456\n", "a", kNoRoom, false},
        {"a hidden name", kFull, "Hidden=123456\n", "hIDDEN", kTaken, false},
        {"a listed name in another case", 5, "", "SKY", kTaken, false},
        {"a name of another list", 5, "", "Gold", kNone, false},
        {"other characters at four bytes", kFull - 13, "", "天空蓝", kNone, false},
        // 10 bytes in this UTF-8 file would fit, but the same name may need 13 elsewhere.
        {"other characters, one byte short", kFull - 12, "", "天空蓝", kNoRoom, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const auto file = dir.Write(
            "palora.ini", ListedSection(c.listed) + c.extra + "[BookMarks1]\nGold=FFD700\n");
        const FavouritesStore store(file);
        const Names before = store.Names(0);
        ASSERT_TRUE(store.Contains(0, "sky"));
        EXPECT_EQ(store.CheckNewName(0, c.name), c.problem);
        if (c.problem == kTaken) {
            EXPECT_TRUE(store.Contains(0, c.name));
            continue;
        }
        // The rule holds against the listing itself: what it takes shows at the end of the
        // list, and (at the ASCII edges) what it refuses would indeed have been hidden.
        ASSERT_TRUE(store.Put(0, c.name, "123456").ok);
        const Names after = store.Names(0);
        const bool shown = after.size() == before.size() + 1 && after.back() == c.name;
        EXPECT_EQ(shown, c.problem == kNone || c.shownIfWritten);
    }
}

TEST(FavouritesStoreTest, AFailedWriteGivesTheSystemsReasonApartFromTheFile) {
    TempDir dir;
    const FavouritesStore store(dir.path() / "palora.ini");
    const WriteResult result = store.Put(0, "Sky", "87CEEB");
    ASSERT_FALSE(result.ok);
    EXPECT_EQ(result.message, (dir.path() / "palora.ini").string() + ": file does not exist");
    EXPECT_EQ(store.FailureReason(result), "file does not exist");
    EXPECT_EQ(store.FailureReason({false, "something else"}), "something else");
}

}  // namespace
}  // namespace huebird
