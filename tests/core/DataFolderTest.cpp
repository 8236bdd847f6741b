#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <set>

#include "TempDir.h"
#include "core/AtomicFile.h"
#include "core/DataFolder.h"

namespace huebird {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(DataFolderTest, WhichFolder) {
    const fs::path bin = "/opt/hb/bin";
    const fs::path stock = "/opt/hb/share/huebird";
    const fs::path user = "/home/u/.local/share/huebird";
    const struct {
        const char* what;
        std::set<fs::path> present;
        std::string xdg, home;
        fs::path folder, help;  // no folder: a problem
    } cases[] = {
        // clang-format off
        {"palora.ini beside the program wins over an installed stock",
         {bin / "palora.ini", stock}, "/x", "/home/u", bin, bin / "readme.htm"},
        {"neither settings nor stock: the program's folder, which reports the missing file",
         {}, "", "/home/u", bin, bin / "readme.htm"},
        {"installed: XDG_DATA_HOME", {stock}, "/data", "/home/u", "/data/huebird",
         stock / "readme.htm"},
        {"installed: no XDG_DATA_HOME, the default under HOME", {stock}, "", "/home/u", user,
         stock / "readme.htm"},
        {"installed: a relative XDG_DATA_HOME is ignored", {stock}, "data", "/home/u", user,
         stock / "readme.htm"},
        {"installed: the user's own help page comes first", {stock, user / "readme.htm"}, "",
         "/home/u", user, user / "readme.htm"},
        {"installed without any home", {stock}, "rel", "", "", ""},
        {"installed with a relative HOME", {stock}, "", "home", "", ""},
        // clang-format on
    };
    for (const auto& c : cases) {
        const DataFolder got =
            ChooseDataFolder({bin, "../share/huebird", c.xdg, c.home},
                             [&](const fs::path& p) { return c.present.count(p) > 0; });
        EXPECT_EQ(got.folder, c.folder) << c.what;
        EXPECT_EQ(got.helpPage, c.help) << c.what;
        // Only a user's folder is filled, and from the installed stock.
        EXPECT_EQ(got.stock, c.folder.empty() || c.folder == bin ? fs::path() : stock) << c.what;
        EXPECT_EQ(got.problem.empty(), !c.folder.empty()) << c.what << ": " << got.problem;
    }
}

class FillUserFolderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        tmp_.Write("stock/palora.ini", "[System]\nSkinName=DEFAULT\n");
        tmp_.Write("stock/skins/DEFAULT/skin.ini", "stock skin");
        tmp_.Write("stock/skins/DEFAULT/back.bmp", "BM");
        tmp_.Write("stock/skins/PEBBLE/skin.ini", "pebble");
    }
    fs::path Stock() const { return tmp_.path() / "stock"; }
    fs::path User() const { return tmp_.path() / "home/.local/share/huebird"; }
    static std::set<fs::path> Files(const fs::path& root) {
        std::set<fs::path> files;
        std::error_code ec;
        for (fs::recursive_directory_iterator it(root, ec), end; !ec && it != end; it.increment(ec))
            if (it->is_regular_file()) files.insert(it->path().lexically_relative(root));
        return files;
    }
    TempDir tmp_;
};

TEST_F(FillUserFolderTest, FirstStartCopiesTheStockAndLeavesNoTemporaries) {
    ASSERT_EQ(FillUserFolder(User(), Stock()), "");
    EXPECT_EQ(Files(User()), Files(Stock()));
    EXPECT_EQ(TempDir::Read(User() / "palora.ini"), "[System]\nSkinName=DEFAULT\n");
    EXPECT_EQ(TempDir::Read(User() / "skins/DEFAULT/back.bmp"), "BM");
}

TEST_F(FillUserFolderTest, NeverOverwritesAndBringsBackWhatIsMissing) {
    tmp_.Write("home/.local/share/huebird/palora.ini", "[System]\nSkinName=PEBBLE\n");
    tmp_.Write("home/.local/share/huebird/skins/DEFAULT/skin.ini", "changed by the font dialog");
    tmp_.Write("home/.local/share/huebird/skins/MINE/skin.ini", "the user's own");
    ASSERT_EQ(FillUserFolder(User(), Stock()), "");
    EXPECT_EQ(TempDir::Read(User() / "palora.ini"), "[System]\nSkinName=PEBBLE\n");
    EXPECT_EQ(TempDir::Read(User() / "skins/DEFAULT/skin.ini"), "changed by the font dialog");
    EXPECT_EQ(TempDir::Read(User() / "skins/DEFAULT/back.bmp"), "BM");
    EXPECT_EQ(TempDir::Read(User() / "skins/PEBBLE/skin.ini"), "pebble");
    EXPECT_EQ(TempDir::Read(User() / "skins/MINE/skin.ini"), "the user's own");
    EXPECT_EQ(Files(User()).size(), 5u);
}

TEST_F(FillUserFolderTest, FailuresAreOneLineAndCreateNothingNeedless) {
    // The folder cannot be made: a plain file stands where its parent should be (this holds
    // for root too, unlike permissions).
    tmp_.Write("blocked", "a file");
    const std::string blocked = FillUserFolder(tmp_.path() / "blocked/huebird", Stock());
    EXPECT_NE(blocked.find(tmp_.path().string() + "/blocked/huebird"), std::string::npos)
        << blocked;
    EXPECT_EQ(blocked.find('\n'), std::string::npos);

    // No stock settings file and none in the user's folder: nothing to start, nothing made.
    fs::remove(Stock() / "palora.ini");
    const std::string missing = FillUserFolder(User(), Stock());
    EXPECT_NE(missing.find((Stock() / "palora.ini").string()), std::string::npos) << missing;
    EXPECT_FALSE(fs::exists(User()));

    // With the user's own settings file the stock one is not needed.
    tmp_.Write("home/.local/share/huebird/palora.ini", "[System]\n");
    EXPECT_EQ(FillUserFolder(User(), Stock()), "");
    EXPECT_TRUE(fs::exists(User() / "skins/PEBBLE/skin.ini"));
}

// A start killed while it copies leaves neither a partial settings file nor, after the next
// start, any temporary file of its own, whether the file system names temporary files while
// they are written or not.
TEST_F(FillUserFolderTest, AStartKilledWhileCopyingLeavesNothingBehind) {
    std::string settings = "[System]\nSkinName=DEFAULT\n[BookMarks]\n";
    for (int i = 0; settings.size() < 65536; ++i)
        settings += "Colour" + std::to_string(i) + "=FF8000\n";
    tmp_.Write("stock/palora.ini", settings);
    for (const bool unnamed : {true, false}) {
        SCOPED_TRACE(unnamed ? "unnamed temporary files" : "named temporary files");
        fs::remove_all(User());
        SetUnnamedTemporaryFiles(unnamed);
        const pid_t child = ::fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            // Writing past this size kills the process (SIGXFSZ), halfway through the copy.
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit small{16384, 16384};
            ::setrlimit(RLIMIT_FSIZE, &small);
            (void)FillUserFolder(User(), Stock());
            ::_exit(0);
        }
        int status = 0;
        ASSERT_EQ(::waitpid(child, &status, 0), child);
        ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGXFSZ)
            << "the start was not killed during the copy";
        EXPECT_FALSE(fs::exists(User() / "palora.ini"));
        // A named temporary file is what such a kill leaves; the next start must clear it.
        if (!unnamed) {
            EXPECT_FALSE(Files(User()).empty());
        }

        ASSERT_EQ(FillUserFolder(User(), Stock()), "");
        EXPECT_EQ(Files(User()), Files(Stock()));
        EXPECT_EQ(TempDir::Read(User() / "palora.ini"), settings);
    }
    SetUnnamedTemporaryFiles(true);
}

}  // namespace
}  // namespace huebird
