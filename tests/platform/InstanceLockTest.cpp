#include "platform/InstanceLock.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <functional>

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

namespace huebird {
namespace {

// One display, however $DISPLAY spells it: the screen is left out, and an empty host or
// "unix" both mean the local machine. Any other host is kept as written.
TEST(InstanceLockTest, NamesTheDisplayWithoutItsScreen) {
    struct Case {
        const char* display;
        const char* key;
    };
    const Case cases[] = {
        {":61", ":61"},
        {":61.0", ":61"},
        {":61.2", ":61"},
        {"unix:61", ":61"},
        {"unix:61.2", ":61"},
        {"unix/:61.1", ":61"},
        {":061", ":61"},
        {"localhost:61", "localhost:61"},
        {"localhost:61.1", "localhost:61"},
        {"tcp/localhost:61", "tcp/localhost:61"},
        {"example.org:0.0", "example.org:0"},
        {"[::1]:61.0", "[::1]:61"},
        {"node::3.0", "node::3"},  // DECnet: the host ends with the first of two colons
        {"", ""},
        {"nonsense", "nonsense"},  // not a display name: kept, so it still names one lock
        {":x.0", ":x.0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.display);
        EXPECT_EQ(DisplayLockKey(c.display), c.key);
    }
}

class InstanceLockFileTest : public ::testing::Test {
  protected:
    void SetUp() override {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "huebird-lock-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder_ = pattern;
        const char* display = getenv("DISPLAY");
        const char* runtime = getenv("XDG_RUNTIME_DIR");
        if (display) savedDisplay_ = display;
        if (runtime) savedRuntime_ = runtime;
        setenv("XDG_RUNTIME_DIR", folder_.c_str(), 1);
    }
    void TearDown() override {
        Restore("DISPLAY", savedDisplay_);
        Restore("XDG_RUNTIME_DIR", savedRuntime_);
        std::error_code ec;
        std::filesystem::remove_all(folder_, ec);
    }
    static void Restore(const char* name, const std::optional<std::string>& value) {
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }

    std::filesystem::path folder_;
    std::optional<std::string> savedDisplay_, savedRuntime_;
};

TEST_F(InstanceLockFileTest, OneDisplayUnderTwoSpellingsTakesOneLock) {
    const LockPlace place{folder_.string(), (folder_ / "fallback").string()};
    setenv("DISPLAY", ":61", 1);
    auto first = std::make_unique<InstanceLock>("HuebirdTest", place);
    ASSERT_TRUE(first->acquired());
    const std::filesystem::path path = first->path();
    EXPECT_EQ(path.parent_path(), folder_);
    EXPECT_EQ(path.filename(), "HuebirdTest-display_61.lock");

    for (const char* same : {":61.0", "unix:61.1"}) {
        SCOPED_TRACE(same);
        setenv("DISPLAY", same, 1);
        InstanceLock second("HuebirdTest", place);
        EXPECT_EQ(second.path(), path);
        EXPECT_FALSE(second.acquired());
        EXPECT_EQ(second.problem(), "") << "a second start of ours leaves quietly";
    }
    // Released (the lock file stays behind): the next start takes it, whatever the spelling.
    first.reset();
    setenv("DISPLAY", "unix:61.0", 1);
    EXPECT_TRUE(InstanceLock("HuebirdTest", place).acquired());

    setenv("DISPLAY", ":62.0", 1);
    InstanceLock other("HuebirdTest", place);
    EXPECT_TRUE(other.acquired());
}

// The runtime folder serves when it is a real folder of ours closed to others; otherwise the
// private folder does, made or closed to others as needed. A private folder that is not ours
// (a link, a file, another user's) or a lock that is not a plain file of ours is refused with
// a reason, never taken for a running instance.
TEST_F(InstanceLockFileTest, KeepsTheLockWhereOnlyTheUserWrites) {
    namespace fs = std::filesystem;
    enum class Where { Runtime, Fallback, Refused };
    struct Case {
        const char* what;
        std::function<void(const fs::path& runtime, const fs::path& fallback)> make;
        Where where;
        bool needsRoot = false;
    };
    const auto privateFolder = [](const fs::path& p) {
        fs::create_directory(p);
        fs::permissions(p, fs::perms::owner_all);
    };
    const Case cases[] = {
        {"a private runtime folder", [&](auto& r, auto&) { privateFolder(r); }, Where::Runtime},
        {"no runtime folder", [](auto&, auto&) {}, Where::Fallback},
        {"a runtime folder others may write to",
         [&](auto& r, auto&) {
             fs::create_directory(r);
             fs::permissions(r, fs::perms::all);
         },
         Where::Fallback},
        {"a runtime folder that is a link",
         [&](auto& r, auto& f) {
             privateFolder(r.string() + "-real");
             fs::create_directory_symlink(r.string() + "-real", r);
             (void)f;
         },
         Where::Fallback},
        {"a private folder of ours open to others",
         [](auto&, auto& f) {
             fs::create_directory(f);
             fs::permissions(f, fs::perms::all);
         },
         Where::Fallback},
        {"a private folder that is a link",
         [&](auto&, auto& f) {
             privateFolder(f.string() + "-real");
             fs::create_directory_symlink(f.string() + "-real", f);
         },
         Where::Refused},
        {"a file in place of the private folder",
         [](auto&, auto& f) { std::fclose(std::fopen(f.c_str(), "w")); }, Where::Refused},
        {"a lock that is a link",
         [&](auto&, auto& f) {
             privateFolder(f);
             fs::create_symlink(f / "elsewhere", f / "HuebirdTest-display_61.lock");
         },
         Where::Refused},
        {"a lock that is a folder",
         [&](auto&, auto& f) {
             privateFolder(f);
             fs::create_directory(f / "HuebirdTest-display_61.lock");
         },
         Where::Refused},
        {"a private folder of another user",
         [](auto&, auto& f) {
             fs::create_directory(f);
             ASSERT_EQ(chown(f.c_str(), 65534, 65534), 0);
         },
         Where::Refused, true},
        {"a lock of another user in our runtime folder",
         [&](auto& r, auto&) {
             privateFolder(r);
             const fs::path lock = r / "HuebirdTest-display_61.lock";
             std::fclose(std::fopen(lock.c_str(), "w"));
             ASSERT_EQ(chown(lock.c_str(), 65534, 65534), 0);
         },
         Where::Refused, true},
    };
    setenv("DISPLAY", ":61", 1);
    int i = 0;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.needsRoot && geteuid() != 0) continue;
        const fs::path base = folder_ / std::to_string(++i);
        fs::create_directory(base);
        const fs::path runtime = base / "run", fallback = base / "tmp";
        c.make(runtime, fallback);
        InstanceLock lock("HuebirdTest", {runtime.string(), fallback.string()});
        EXPECT_EQ(lock.acquired(), c.where != Where::Refused);
        if (c.where == Where::Refused) {
            EXPECT_NE(lock.problem(), "");
            EXPECT_EQ(lock.problem().find('\n'), std::string::npos) << lock.problem();
            continue;
        }
        EXPECT_EQ(lock.problem(), "");
        const fs::path folder = c.where == Where::Runtime ? runtime : fallback;
        EXPECT_EQ(fs::path(lock.path()).parent_path(), folder);
        EXPECT_EQ(fs::status(folder).permissions() & (fs::perms::group_all | fs::perms::others_all),
                  fs::perms::none);
    }
}

// Where the lock lives comes from the user alone: a start with $XDG_RUNTIME_DIR and one
// without (ssh -X, su, cron) meet at the same lock, in one process or in two.
TEST_F(InstanceLockFileTest, StartsWithAndWithoutTheRuntimeFolderMeet) {
    const std::string name = "HuebirdTest" + std::to_string(getpid());
    const std::string other = (folder_ / "other").string();
    std::filesystem::create_directory(other);
    struct Case {
        const char* first;  // $XDG_RUNTIME_DIR of the first start (null: unset)
        const char* second;
        bool forked;  // the second start is another process
    };
    const Case cases[] = {
        {folder_.c_str(), nullptr, false},       {nullptr, folder_.c_str(), false},
        {folder_.c_str(), other.c_str(), false}, {folder_.c_str(), nullptr, true},
        {nullptr, folder_.c_str(), true},
    };
    setenv("DISPLAY", ":61", 1);
    const auto useRuntime = [](const char* runtime) {
        if (runtime) {
            setenv("XDG_RUNTIME_DIR", runtime, 1);
        } else {
            unsetenv("XDG_RUNTIME_DIR");
        }
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.first ? "set" : "unset") + " then " +
                     (c.second ? c.second : "unset") + (c.forked ? ", forked" : ""));
        useRuntime(c.first);
        InstanceLock first(name);
        ASSERT_TRUE(first.acquired());
        useRuntime(c.second);
        if (c.forked) {
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) _exit(InstanceLock(name).acquired() ? 1 : 0);
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0)
                << "the child took the lock too";
        } else {
            InstanceLock second(name);
            EXPECT_FALSE(second.acquired());
            EXPECT_EQ(second.path(), first.path());
        }
    }
    std::filesystem::remove(InstanceLock(name).path());
}

// What another user can put at the shared /tmp name the lock once had (a symbolic link, a
// folder) is no running Huebird of ours: the lock is taken elsewhere.
TEST_F(InstanceLockFileTest, AnotherUsersFilesInTmpDoNotStopTheStart) {
    const std::string name = "HuebirdTest" + std::to_string(getpid());
    setenv("DISPLAY", ":61", 1);
    unsetenv("XDG_RUNTIME_DIR");
    const std::filesystem::path old =
        "/tmp/" + name + "-" + std::to_string(getuid()) + "-display_61.lock";
    const std::filesystem::path target = folder_ / "elsewhere";
    const auto link = [&] { std::filesystem::create_symlink(target, old); };
    const auto linkToFile = [&] {
        std::FILE* f = std::fopen(target.c_str(), "w");
        std::fclose(f);
        std::filesystem::create_symlink(target, old);
    };
    const auto folder = [&] { std::filesystem::create_directory(old); };
    const std::pair<const char*, std::function<void()>> cases[] = {
        {"a dangling symbolic link", link},
        {"a symbolic link to a file", linkToFile},
        {"a folder", folder},
    };
    for (const auto& [what, make] : cases) {
        SCOPED_TRACE(what);
        make();
        {
            InstanceLock lock(name);
            EXPECT_TRUE(lock.acquired());
            std::filesystem::remove(lock.path());
        }
        std::filesystem::remove(old);
        std::filesystem::remove(target);
    }
}

}  // namespace
}  // namespace huebird
