#include "core/CommandLine.h"

#include <gtest/gtest.h>

namespace huebird {
namespace {

using A = Command::Action;

TEST(CommandLineTest, OptionsAndMistakes) {
    const struct {
        std::vector<std::string> args;
        A action;
        std::string problem;
    } cases[] = {
        {{}, A::Run, ""},
        {{"--help"}, A::Help, ""},
        {{"-h"}, A::Help, ""},
        {{"--version"}, A::Version, ""},
        {{"-V"}, A::Version, ""},
        {{"--version", "--help"}, A::Help, ""},
        {{"--help", "--version"}, A::Help, ""},
        {{"--colour"}, A::Misuse, "unknown option: --colour"},
        {{"--help", "-x"}, A::Misuse, "unknown option: -x"},
        {{"red"}, A::Misuse, "unexpected argument: red"},
        {{""}, A::Misuse, "unexpected argument: "},
        {{"--HELP"}, A::Misuse, "unknown option: --HELP"},
    };
    for (const auto& c : cases) {
        const Command got = ParseCommandLine(c.args);
        EXPECT_EQ(got.action, c.action) << ::testing::PrintToString(c.args);
        EXPECT_EQ(got.problem, c.problem) << ::testing::PrintToString(c.args);
    }
}

TEST(CommandLineTest, TextsNameTheOptionsAndTheVersion) {
    const std::string usage = UsageText("huebird");
    EXPECT_EQ(usage.rfind("Usage: huebird [--help] [--version]\n", 0), 0u);
    EXPECT_NE(usage.find("--version"), std::string::npos);
    EXPECT_EQ(VersionText().rfind("Huebird ", 0), 0u);
    EXPECT_NE(VersionText(), "Huebird 0\n");  // the build's own version, not the fallback
}

}  // namespace
}  // namespace huebird
