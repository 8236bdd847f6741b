// Core never throws on what the file system answers: loops of symbolic links, folders it may
// not read. Every call returns normally with its "nothing there" result or a message.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "TempDir.h"
#include "core/Favourites.h"
#include "core/Settings.h"
#include "core/SkinDescription.h"
#include "core/SkinFiles.h"

namespace huebird {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(FileErrorsTest, SymbolicLinkLoopsAreAnsweredNotThrown) {
    TempDir dir;
    const fs::path skins = dir.path() / "skins";
    dir.Write("skins/Plain/skin.ini", "[Main]\nBackground=p.bmp\n");
    fs::create_directories(skins / "Loop");
    // A skin.ini that points at itself, a skin folder that does, and two that point at each other.
    ASSERT_EQ(::symlink("skin.ini", (skins / "Loop" / "skin.ini").c_str()), 0);
    ASSERT_EQ(::symlink("Circle", (skins / "Circle").c_str()), 0);
    ASSERT_EQ(::symlink("Pong", (skins / "Ping").c_str()), 0);
    ASSERT_EQ(::symlink("Ping", (skins / "Pong").c_str()), 0);
    const fs::path settings = dir.path() / "palora.ini";
    ASSERT_EQ(::symlink("palora.ini", settings.c_str()), 0);
    const fs::path loopedSkin = skins / "Loop" / "skin.ini";

    try {
        std::vector<std::string> names = ListSkinFolders(skins);
        std::sort(names.begin(), names.end());
        EXPECT_EQ(names, (std::vector<std::string>{"Loop", "Plain"}));
        EXPECT_TRUE(ListSkinFolders(skins / "Circle").empty());
        EXPECT_EQ(ResolveInFolder(skins, "loop\\skin.ini"), loopedSkin);
        EXPECT_EQ(ResolveInFolder(skins, "circle\\skin.ini"), skins / "circle/skin.ini");
        EXPECT_EQ(ResolveInFolder(skins, "ping\\skin.ini"), skins / "ping/skin.ini");
        EXPECT_EQ(ResolveInFolder(skins / "Circle", "skin.ini"), skins / "Circle/skin.ini");

        const Profile skin(loopedSkin);
        EXPECT_FALSE(skin.Exists());
        EXPECT_EQ(ReadSkinMain(skin).background, "backgrd.bmp");
        EXPECT_TRUE(skin.ReadSectionKeys("Main", 4096).empty());
        const WriteResult w = skin.WriteString("Main", "Background", "x.bmp");
        EXPECT_FALSE(w.ok);
        EXPECT_NE(w.message.find(loopedSkin.string()), std::string::npos) << w.message;
        EXPECT_NE(w.message.find(std::strerror(ELOOP)), std::string::npos) << w.message;

        const Profile looped(settings);
        EXPECT_EQ(LoadSettings(looped).skinName, "DEFAULT");
        EXPECT_TRUE(ReadAppliedSettings(looped).alwaysTop);
        const WriteResult saved = SaveSettings(looped, SavedSettings{});  // never created
        EXPECT_FALSE(saved.ok);
        EXPECT_NE(saved.message.find(settings.string()), std::string::npos) << saved.message;
        const FavouritesStore store(settings);
        EXPECT_TRUE(store.Names(0).empty());
        EXPECT_FALSE(store.Put(0, "Sky", "87CEEB").ok);
        EXPECT_FALSE(store.Remove(0, "Sky").ok);
    } catch (const std::exception& e) {
        FAIL() << "threw: " << e.what();
    }
    EXPECT_TRUE(fs::is_symlink(settings));
}

// Folder names that are legal on disk but that SkinName cannot hold as they are: offered, worn
// and saved, they would block the close save or name another skin at the next start.
TEST(FileErrorsTest, SkinFoldersTheSettingsCannotNameAreNotOffered) {
    TempDir dir;
    const fs::path skins = dir.path() / "skins";
    const std::string kept[] = {"Plain", "两个 words", "semi;colon", "=equals", "'half"};
    const std::string left[] = {"line\nbreak", "cr\rname", std::string("zero\0byte", 9),
                                "caf\xe9",     " lead",    "trail\t",
                                "\"quoted\"",  "'single'"};
    for (const std::string& name : kept) fs::create_directories(skins / name);
    for (const std::string& name : left) {
        if (name.find('\0') != std::string::npos) continue;  // no file system allows it
        fs::create_directories(skins / name);
    }
    std::vector<std::string> names = ListSkinFolders(skins);
    std::sort(names.begin(), names.end());
    std::vector<std::string> wanted(std::begin(kept), std::end(kept));
    std::sort(wanted.begin(), wanted.end());
    EXPECT_EQ(names, wanted);
    for (const std::string& name : left) EXPECT_FALSE(SkinNameStorable(name)) << name;
    for (const std::string& name : kept) EXPECT_TRUE(SkinNameStorable(name)) << name;
}

TEST(FileErrorsTest, UnreadableFoldersAreAnsweredNotThrown) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root: folder permissions do not apply";
    TempDir dir;
    dir.Write("skins/Closed/skin.ini", "[Main]\nBackground=c.bmp\n");
    const fs::path skins = dir.path() / "skins";
    ASSERT_EQ(::chmod((skins / "Closed").c_str(), 0), 0);
    try {
        EXPECT_EQ(ListSkinFolders(skins), std::vector<std::string>{"Closed"});
        EXPECT_TRUE(ListSkinFolders(skins / "Closed").empty());
        EXPECT_EQ(ResolveInFolder(skins, "closed\\SKIN.INI"), skins / "closed/SKIN.INI");
        const Profile skin(skins / "Closed" / "skin.ini");
        EXPECT_FALSE(skin.Exists());
        EXPECT_EQ(ReadSkinMain(skin).background, "backgrd.bmp");
        EXPECT_FALSE(skin.WriteString("Main", "Background", "x.bmp").ok);
    } catch (const std::exception& e) {
        ADD_FAILURE() << "threw: " << e.what();
    }
    ::chmod((skins / "Closed").c_str(), 0700);
}

}  // namespace
}  // namespace huebird
