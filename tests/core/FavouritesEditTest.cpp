// The manager's edits against a real settings file: what each refuses and says, what it
// writes, and that the lists it reports changed are exactly what the file now holds.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "NoFileGrowth.h"
#include "TempDir.h"
#include "core/FavouritesEdit.h"

namespace huebird {
namespace {

using testing::TempDir;
using Names = std::vector<std::string>;
using enum FavouriteNotice;

constexpr const char* kSample =
    "[BookMarks]\n"
    "Sky=87CEEB\n"
    "Grass=7CFC00\n"
    "Ash=B2BEB5\n"
    "[BookMarks1]\n"
    "Gold=FFD700\n"
    "Ash=000000\n"
    "[BookMarks2]\n"
    "Odd=XYZ\n"
    "Hash=#87CEEB\n";

const Names kFirstShown = {"Sky", "Grass", "Ash"};

// The sample with list 1 filled to the listing's last byte (1 for the final zero, 5 for Gold,
// 4 for Ash, 2046 names of 8, 6 for Zebra) and one entry beyond it.
std::string FullSecondList() {
    const std::string listed = "[BookMarks1]\nGold=FFD700\nAsh=000000\n";
    std::string full = listed;
    for (int i = 0; i < 2046; ++i) full += std::to_string(1000000 + i) + "=000000\n";
    full += "Zebra=000000\nHidden=123456\n";
    std::string text = kSample;
    text.replace(text.find(listed), listed.size(), full);
    return text;
}

// A file a byte or two under the size limit: it reads, but no entry can be added to it.
std::string AtTheSizeLimit() {
    std::string text = std::string(kSample) + ";";
    text += std::string(Profile::kMaxFileSize - text.size() - 5, 'x') + "\n";
    return text;
}

void ExpectNothingChanged(const FavouriteEdit& edit) {
    EXPECT_FALSE(edit.added);
    EXPECT_FALSE(edit.removed);
    EXPECT_EQ(edit.reason, "");
}

TEST(FavouritesEditTest, AddRefusesInItsOrderAndWritesNothing) {
    struct Case {
        const char* what;
        std::string file;  // empty: there is none
        int list;
        std::string name;
        Names shown;
        FavouriteNotice notice;
    };
    const Case cases[] = {
        {"no name", kSample, 0, "", kFirstShown, kEnterName},
        {"no name, no file", "", 0, "", {}, kEnterName},
        {"a name the file cannot hold", kSample, 0, "Sky=Blue", kFirstShown, kBadName},
        {"blanks round it, no file", "", 0, " Sky ", {}, kBadName},
        {"a good name, no file", "", 0, "Dusk", {}, kNone},
        {"shown, in another case", kSample, 0, "sKY", kFirstShown, kAlreadyListed},
        // The list shows what the file held when it was read; the file is asked too.
        {"shown, gone from the file", kSample, 0, "Old", {"Old"}, kAlreadyListed},
        {"in the file, not shown yet", kSample, 0, "grass", {}, kAlreadyListed},
        {"held beyond the listing", FullSecondList(), 1, "HIDDEN", {}, kAlreadyListed},
        {"a full list", FullSecondList(), 1, "Dusk", {}, kNoRoom},
        {"longer than any listing", kSample, 0, std::string(kFavouriteListingBytes - 1, 'x'),
         kFirstShown, kNoRoom},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const auto file = dir.path() / "palora.ini";
        if (!c.file.empty()) dir.Write("palora.ini", c.file);
        const FavouritesStore store(file);
        const FavouriteEdit edit = AddFavourite(store, c.list, c.name, "123456", c.shown);
        EXPECT_EQ(edit.notice, c.notice);
        ExpectNothingChanged(edit);
        EXPECT_EQ(TempDir::Read(file), c.file);
        EXPECT_EQ(std::filesystem::exists(file), !c.file.empty());
    }
}

TEST(FavouritesEditTest, AddWritesTheCodeAtTheEndOfItsOwnList) {
    TempDir dir;
    const FavouritesStore store(dir.Write("palora.ini", kSample));
    // A name another list holds is new to this one.
    const FavouriteEdit edit = AddFavourite(store, 1, "Sky", "123456", {"Gold", "Ash"});
    EXPECT_EQ(edit.notice, kNone);
    EXPECT_TRUE(edit.added);
    EXPECT_FALSE(edit.removed);
    EXPECT_EQ(store.Names(1), (Names{"Gold", "Ash", "Sky"}));
    EXPECT_EQ(store.Value(1, "Sky"), "123456");
    EXPECT_EQ(store.Value(0, "Sky"), "87CEEB");
}

TEST(FavouritesEditTest, DeleteTakesTheShownEntryOfThatNameOnly) {
    struct Case {
        const char* what;
        Names shown;
        std::string typed;
        std::optional<std::size_t> row;  // none: nothing happens
        Names left;                      // list 0 afterwards
    };
    const Case cases[] = {
        {"another case", kFirstShown, "gRASS", 1, {"Sky", "Ash"}},
        {"not there", kFirstShown, "Nobody", std::nullopt, kFirstShown},
        // Only what the list shows can be deleted, though the file holds it.
        {"in the file, not shown", {"Sky"}, "Ash", std::nullopt, kFirstShown},
        // Keys are compared with ASCII case folding only; wider folding would take a shown
        // entry out of the list while the file still held it.
        {"other letters in another case", {"é"}, "É", std::nullopt, kFirstShown},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const auto file = dir.Write("palora.ini", kSample);
        const FavouritesStore store(file);
        const FavouriteEdit edit = DeleteFavourite(store, 0, c.typed, c.shown);
        EXPECT_EQ(edit.notice, kNone);
        EXPECT_FALSE(edit.added);
        EXPECT_EQ(edit.removed, c.row.has_value());
        if (c.row) {
            EXPECT_EQ(edit.row, *c.row);
        }
        EXPECT_EQ(store.Names(0), c.left);
        EXPECT_EQ(store.Names(1), (Names{"Gold", "Ash"}));
    }
}

TEST(FavouritesEditTest, MoveRefusesInItsOrderAndWritesNothing) {
    struct Case {
        const char* what;
        std::string file;
        std::optional<std::string> picked;
        int from, to;
        Names targetShown;
        FavouriteNotice notice;
    };
    const Case cases[] = {
        {"nothing picked", kSample, std::nullopt, 0, 1, {"Gold", "Ash"}, kChooseName},
        {"nothing picked, same list", kSample, std::nullopt, 0, 0, kFirstShown, kChooseName},
        {"the same list", kSample, "Sky", 0, 0, kFirstShown, kSameList},
        {"the target has it", kSample, "Ash", 0, 1, {"Gold", "Ash"}, kTargetHasName},
        {"the target shows it in another case", kSample, "Sky", 0, 1, {"sky"}, kTargetHasName},
        {"the target's file has it", kSample, "ash", 0, 1, {}, kTargetHasName},
        {"held beyond the target's listing", FullSecondList(), "Hidden", 0, 1, {}, kTargetHasName},
        {"a full target", FullSecondList(), "Sky", 0, 1, {}, kNoRoomToMove},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        const auto file = dir.Write("palora.ini", c.file);
        const FavouritesStore store(file);
        const FavouriteEdit edit = MoveFavourite(store, c.from, c.to, c.picked, c.targetShown);
        EXPECT_EQ(edit.notice, c.notice);
        ExpectNothingChanged(edit);
        EXPECT_FALSE(edit.reload);  // the lists stay as the user sees them
        EXPECT_EQ(TempDir::Read(file), c.file);
    }
}

TEST(FavouritesEditTest, MoveCarriesTheValueAcrossAndLeavesTheRest) {
    TempDir dir;
    const FavouritesStore store(dir.Write("palora.ini", kSample));
    const FavouriteEdit edit = MoveFavourite(store, 2, 0, "Hash", kFirstShown);
    EXPECT_EQ(edit.notice, kNone);
    EXPECT_TRUE(edit.added);
    EXPECT_TRUE(edit.removed);
    EXPECT_TRUE(edit.reload);
    EXPECT_EQ(store.Names(0), (Names{"Sky", "Grass", "Ash", "Hash"}));
    EXPECT_EQ(store.Value(0, "Hash"), "#87CEEB");  // as written, not as parsed
    EXPECT_EQ(store.Names(2), (Names{"Odd"}));
    EXPECT_EQ(store.Names(1), (Names{"Gold", "Ash"}));
}

TEST(FavouritesEditTest, WithoutAFileDeleteAndMoveWriteNothing) {
    TempDir dir;
    const auto file = dir.path() / "palora.ini";
    const FavouriteEdit edit = MoveFavourite(FavouritesStore(file), 0, 1, "Sky", {});
    EXPECT_EQ(edit.notice, kNone);
    ExpectNothingChanged(edit);
    EXPECT_TRUE(edit.reload);
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_EQ(DeleteFavourite(FavouritesStore(file), 0, "Sky", kFirstShown).removed, false);
    EXPECT_FALSE(std::filesystem::exists(file));
}

// Every write the file refuses is said with the system's reason, and the lists may show only
// what the file holds afterwards.
TEST(FavouritesEditTest, FailedWritesAreSaidAndLoseNothing) {
    TempDir dir;
    const std::string full = AtTheSizeLimit();
    const auto file = dir.Write("palora.ini", full);
    const FavouritesStore store(file);

    const FavouriteEdit added = AddFavourite(store, 0, "Dusk", "123456", kFirstShown);
    EXPECT_EQ(added.notice, kCannotSave);
    EXPECT_NE(added.reason, "");
    EXPECT_EQ(added.reason.find(file.string()), std::string::npos);  // the UI names the file
    EXPECT_FALSE(added.added);

    // The target is written first: had the source let go first, this entry would be gone.
    const FavouriteEdit moved = MoveFavourite(store, 0, 1, "Sky", {"Gold", "Ash"});
    EXPECT_EQ(moved.notice, kCannotSave);
    EXPECT_NE(moved.reason, "");
    EXPECT_FALSE(moved.added);
    EXPECT_FALSE(moved.removed);
    EXPECT_TRUE(moved.reload);
    EXPECT_EQ(TempDir::Read(file), full);
}

TEST(FavouritesEditTest, AFailedDeleteIsSaidAndTheRowStays) {
    TempDir dir;
    const auto file = dir.Write("palora.ini", kSample);
    const FavouritesStore store(file);
    FavouriteEdit edit;
    {
        // Even a write that shrinks the file fails: its replacement is a new file.
        testing::NoFileGrowth limit;
        edit = DeleteFavourite(store, 0, "grass", kFirstShown);
    }
    EXPECT_EQ(edit.notice, kCannotSave);
    EXPECT_NE(edit.reason, "");
    EXPECT_FALSE(edit.removed);
    EXPECT_EQ(TempDir::Read(file), kSample);
}

TEST(FavouritesEditTest, AMoveTheSourceCannotLetGoOfStaysInTheTarget) {
    TempDir dir;
    const FavouritesStore store(dir.Write("palora.ini", kSample));
    // No such source list: the target's write succeeds and the source's removal fails.
    const FavouriteEdit edit = MoveFavourite(store, kFavouriteListCount, 0, "Dusk", kFirstShown);
    EXPECT_EQ(edit.notice, kCopiedNotRemoved);
    EXPECT_NE(edit.reason, "");
    EXPECT_TRUE(edit.added);
    EXPECT_FALSE(edit.removed);
    EXPECT_TRUE(edit.reload);
    EXPECT_EQ(store.Names(0), (Names{"Sky", "Grass", "Ash", "Dusk"}));
}

TEST(FavouritesEditTest, InspectShowsTheValueAsWrittenAndPreviewsOnlyPlainColours) {
    TempDir dir;
    const FavouritesStore store(dir.Write("palora.ini", kSample));
    const struct {
        int list;
        const char* name;
        const char* code;
        std::optional<ColorValue> preview;
    } cases[] = {
        {0, "grass", "7CFC00", MakeColor(0x7C, 0xFC, 0x00)},
        {1, "Ash", "000000", MakeColor(0, 0, 0)},  // the list's own entry
        {2, "Odd", "XYZ", std::nullopt},
        {2, "Hash", "#87CEEB", std::nullopt},  // a click takes it, the preview does not
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const FavouriteEntry entry = InspectFavourite(store, c.list, c.name);
        EXPECT_EQ(entry.code, c.code);
        EXPECT_EQ(entry.preview, c.preview);
    }
}

}  // namespace
}  // namespace huebird
