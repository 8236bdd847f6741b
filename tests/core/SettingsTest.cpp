#include "core/Settings.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "core/AtomicFile.h"

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
    EXPECT_EQ(s.pickArea, 1);
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
    const auto file =
        dir.Write("palora.ini",
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
    v.pickArea = 5;
    ASSERT_TRUE(SaveSettings(Profile(file), v));
    EXPECT_EQ(TempDir::Read(file),
              "; my colours\r\n[System]\r\nColor2=FF8000\r\nBorderColor=101010\r\nAlwaysTop=1\r\n"
              "SkinName=PEBBLE\r\nAutoFlex=0\r\nTop=200\r\nLeft=-3\r\nHookKey=65\r\n"
              "Color1=FF000A\r\nColor3=000000\r\nColor4=FFFFFF\r\nCopyAdd#=0\r\nCopyType=2\r\n"
              "PalIndex=3\r\nPickArea=5\r\n[BookMarks]\r\nsky=87CEEB\r\n");
}

// The pick's area: 1, 3 or 5 as stored; anything else, or no key (a file an older version
// wrote), reads 1, and everything else in such a file reads as it did. A save writes one of
// the three, after every older key.
TEST(SettingsTest, PickAreaReadsOneThreeOrFiveAndIsWrittenLast) {
    const struct {
        const char* line;
        int side;
    } cases[] = {
        {"PickArea=3\n", 3}, {"PickArea=5\n", 5}, {"PickArea=1\n", 1},  {"", 1},
        {"PickArea=4\n", 1}, {"PickArea=0\n", 1}, {"PickArea=-3\n", 1}, {"PickArea=x\n", 1},
        {"PickArea=\n", 1},  {"PickArea=9\n", 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        TempDir dir;
        const Profile p(dir.Write("palora.ini", std::string("[System]\nSkinName=PEBBLE\nTop=40\n"
                                                            "Left=50\nCopyAdd#=0\nCopyType=3\n"
                                                            "PalIndex=2\n") +
                                                    c.line));
        const StartSettings s = LoadSettings(p);
        EXPECT_EQ(s.pickArea, c.side);
        EXPECT_EQ(s.skinName, "PEBBLE");
        EXPECT_EQ(s.top, 40);
        EXPECT_EQ(s.left, 50);
        EXPECT_FALSE(s.copyAddHash);
        EXPECT_EQ(s.copyType, 3);
        EXPECT_EQ(s.palIndex, 2);
    }
    // A file an older version wrote gains the key at the end of the section, nothing moves.
    TempDir dir;
    const std::string old =
        "[System]\nSkinName=DEFAULT\nAlwaysTop=1\nAutoFlex=1\nTop=10\nLeft=10\nHookKey=87\n"
        "Color1=000000\nColor2=000000\nColor3=000000\nColor4=000000\nCopyAdd#=1\n"
        "CopyType=0\nPalIndex=0\n[BookMarks]\nsky=87CEEB\n";
    const auto file = dir.Write("palora.ini", old);
    SavedSettings v;
    v.skinName = "DEFAULT";
    v.top = v.left = 10;
    for (const auto& [stored, written] :
         {std::pair{3, "3"}, std::pair{4, "1"}, std::pair{1, "1"}}) {
        v.pickArea = stored;
        ASSERT_TRUE(SaveSettings(Profile(file), v));
        EXPECT_EQ(TempDir::Read(file),
                  "[System]\nSkinName=DEFAULT\nAlwaysTop=1\nAutoFlex=1\nTop=10\n"
                  "Left=10\nHookKey=87\nColor1=000000\nColor2=000000\n"
                  "Color3=000000\nColor4=000000\nCopyAdd#=1\nCopyType=0\n"
                  "PalIndex=0\nPickArea=" +
                      std::string(written) + "\n[BookMarks]\nsky=87CEEB\n");
    }
}

// A settings file deleted while the program ran is not made again, and the save says so
// instead of reporting success.
TEST(SettingsTest, SaveNeverCreatesTheFileAndSaysItIsGone) {
    TempDir dir;
    const auto file = dir.path() / "palora.ini";
    const WriteResult r = SaveSettings(Profile(file), SavedSettings{});
    EXPECT_FALSE(r.ok);
    EXPECT_TRUE(r.missing);
    EXPECT_NE(r.message.find(file.string()), std::string::npos) << r.message;
    EXPECT_FALSE(std::filesystem::exists(file));
    EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
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

// A close killed at any moment leaves the file as it was or as one whole save, never a mix,
// and the next save leaves no temporary file of ours beside it.
TEST(SettingsTest, SaveKilledAtAnyMomentLeavesOneWholeVersion) {
    const std::string original =
        "; my colours\r\n[System]\r\nSkinName=DEFAULT\r\nTop=10\r\nColor1=000000\r\n"
        "[BookMarks]\r\nsky=87CEEB\r\n";
    SavedSettings a;
    a.skinName = "PEBBLE";
    a.alwaysTop = true;
    a.autoFlex = true;
    a.top = 100;
    a.left = 200;
    a.hookKey = 65;
    a.colors = {0x112233, 0x445566, 0x778899, 0xAABBCC};
    a.copyAddHash = true;
    a.copyType = 1;
    a.palIndex = 2;
    SavedSettings b;
    b.skinName = "茶色";
    b.alwaysTop = false;
    b.autoFlex = false;
    b.top = -7;
    b.left = 1234;
    b.hookKey = 90;
    b.colors = {0xFFFFFF, 0x00FF00, 0, 0x123456};
    b.copyAddHash = false;
    b.copyType = 3;
    b.palIndex = 0;

    // The two whole versions, made on a copy: A over the original, then B over A.
    TempDir scratch;
    const auto copy = scratch.Write("palora.ini", original);
    ASSERT_TRUE(SaveSettings(Profile(copy), a));
    const std::string versionA = TempDir::Read(copy);
    ASSERT_TRUE(SaveSettings(Profile(copy), b));
    const std::string versionB = TempDir::Read(copy);
    ASSERT_TRUE(SaveSettings(Profile(copy), a));
    ASSERT_EQ(TempDir::Read(copy), versionA);

    TempDir dir;
    const auto file = dir.Write("palora.ini", original);
    auto names = [&dir]() {
        std::vector<std::string> found;
        for (const auto& e : std::filesystem::directory_iterator(dir.path())) {
            // The writers' lock file stays by design; anything else is a leftover.
            if (e.path().filename() == ".palora.ini.lock") continue;
            found.push_back(e.path().filename().string());
        }
        return found;
    };
    std::mt19937 rng(7);
    // Half the kills with the temporary file unnamed while it is written, half with the named
    // one other file systems get: that one is often left behind, so clean-up is tested too.
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed ? "unnamed temporary files" : "named temporary files");
        SetUnnamedTemporaryFiles(unnamed);
        int changedByChild = 0, leftBehind = 0, failures = 0;
        // A hundred rounds, and with named files as many more as it takes (up to a thousand)
        // for a kill to fall inside a save and leave its temporary file.
        for (int round = 0;
             failures == 0 && (round < 100 || (!unnamed && leftBehind == 0 && round < 1000));
             ++round) {
            const std::string before = TempDir::Read(file);
            // The child says when its first save is done: the kill then falls at a random
            // moment of the saves that follow, however slow the machine, never before the
            // child began.
            int ready[2];
            ASSERT_EQ(::pipe(ready), 0);
            const pid_t child = ::fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                ::close(ready[0]);
                const Profile p(file);
                // First the version the file does not hold, so the first save changes it.
                const SavedSettings& first = before == versionB ? a : b;
                const SavedSettings& second = before == versionB ? b : a;
                (void)SaveSettings(p, first);
                (void)!::write(ready[1], "s", 1);
                for (unsigned i = 1;; ++i) (void)SaveSettings(p, i % 2 == 0 ? first : second);
            }
            ::close(ready[1]);
            pollfd wait{ready[0], POLLIN, 0};
            ASSERT_EQ(::poll(&wait, 1, 30000), 1) << "round " << round << ": the child never saved";
            ::close(ready[0]);
            ::usleep(static_cast<useconds_t>(rng() % 8000));
            ::kill(child, SIGKILL);
            int status = 0;
            ASSERT_EQ(::waitpid(child, &status, 0), child);

            const std::string after = TempDir::Read(file);
            if (after != original && after != versionA && after != versionB) {
                ++failures;
                ADD_FAILURE() << "round " << round << ": the file is no whole version:\n" << after;
            }
            if (after != before) ++changedByChild;
            if (names().size() > 1) ++leftBehind;

            // The next save must clean up whatever temporary file the killed one left.
            ASSERT_TRUE(SaveSettings(Profile(file), after == versionA ? b : a));
            if (names() != std::vector<std::string>{"palora.ini"}) {
                ++failures;
                ADD_FAILURE() << "round " << round << ": left beside the file after the next save: "
                              << ::testing::PrintToString(names());
            }
        }
        // Every child saved before it was killed (it said so); kills that fell inside a save
        // with named temporary files leave one behind for the next save to clear.
        if (failures == 0 && !unnamed) {
            EXPECT_GT(leftBehind, 0);
        }
        std::printf("%s: %d kills changed the file, %d left a temporary file\n",
                    unnamed ? "unnamed" : "named", changedByChild, leftBehind);
    }
    SetUnnamedTemporaryFiles(true);
}

}  // namespace
}  // namespace huebird
