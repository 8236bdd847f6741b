#include "platform/InstanceLock.h"

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

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
    setenv("DISPLAY", ":61", 1);
    auto first = std::make_unique<InstanceLock>("HuebirdTest");
    ASSERT_TRUE(first->acquired());
    const std::filesystem::path path = first->path();
    EXPECT_EQ(path.parent_path(), folder_);
    EXPECT_EQ(path.filename(), "HuebirdTest-display_61.lock");

    for (const char* same : {":61.0", "unix:61.1"}) {
        SCOPED_TRACE(same);
        setenv("DISPLAY", same, 1);
        InstanceLock second("HuebirdTest");
        EXPECT_EQ(second.path(), path);
        EXPECT_FALSE(second.acquired());
    }
    // Released (the lock file stays behind): the next start takes it, whatever the spelling.
    first.reset();
    setenv("DISPLAY", "unix:61.0", 1);
    EXPECT_TRUE(InstanceLock("HuebirdTest").acquired());

    setenv("DISPLAY", ":62.0", 1);
    InstanceLock other("HuebirdTest");
    EXPECT_TRUE(other.acquired());
}

}  // namespace
}  // namespace huebird
