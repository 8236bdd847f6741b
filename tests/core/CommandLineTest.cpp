#include "core/CommandLine.h"

#include "core/CopyAs.h"

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
        {{"--toggle"}, A::Toggle, ""},
        {{"--toggle", "--toggle"}, A::Toggle, ""},
        {{"--toggle", "--version"}, A::Version, ""},
        {{"--version", "--toggle"}, A::Version, ""},
        {{"--toggle", "--help"}, A::Help, ""},
        {{"--toggle", "-x"}, A::Misuse, "unknown option: -x"},
        {{"--Toggle"}, A::Misuse, "unknown option: --Toggle"},
        {{"--pick"}, A::Pick, ""},
        {{"--toggle", "--pick"}, A::Pick, ""},
        {{"--pick", "--toggle"}, A::Toggle, ""},
        {{"--pick", "-V"}, A::Version, ""},
        {{"--pick", "--print"}, A::Pick, ""},
        {{"--print", "--pick", "--format", "oklch"}, A::Pick, ""},
        {{"--pick", "--print", "--format=name"}, A::Pick, ""},
        {{"--print"}, A::Misuse, "--print goes with --pick"},
        {{"--toggle", "--print"}, A::Misuse, "--print goes with --pick"},
        {{"--pick", "--format", "hex"}, A::Misuse, "--format goes with --pick --print"},
        {{"--pick", "--print", "--format"}, A::Misuse, "option needs a value: --format"},
        {{"--pick", "--print", "--format", "HEX"},
         A::Misuse,
         "unknown format: HEX (one of: web, web-plain, rgb-value, decimal, hex, rgb, hsl, hwb, "
         "lab, lch, oklab, oklch, name)"},
        {{"--pick", "--print", "--help"}, A::Help, ""},
    };
    for (const auto& c : cases) {
        const Command got = ParseCommandLine(c.args);
        EXPECT_EQ(got.action, c.action) << ::testing::PrintToString(c.args);
        EXPECT_EQ(got.problem, c.problem) << ::testing::PrintToString(c.args);
    }
}

// The toolkit's own options are the toolkit's: a session manager restarts the program with
// "-session ID", and the values of such options are taken whole, whatever they look like.
TEST(CommandLineTest, ToolkitOptionsAreAcceptedWithTheirValues) {
    const struct {
        std::vector<std::string> args;
        A action;
        std::string problem;
        std::string display;
    } cases[] = {
        {{"-session", "10d3a6c8_1700000000"}, A::Run, "", ""},
        {{"--session", "x"}, A::Run, "", ""},
        {{"-display", ":7"}, A::Run, "", ":7"},
        {{"--display", "host:3.0", "-name", "picker"}, A::Run, "", "host:3.0"},
        {{"-reverse", "-nograb", "-dograb", "-widgetcount", "-testability"}, A::Run, "", ""},
        {{"-style=fusion", "--stylesheet=a.qss", "-qmljsdebugger=port:1234"}, A::Run, "", ""},
        {{"-style", "fusion", "-stylesheet", "a.qss", "-qmljsdebugger", "port:1"}, A::Run, "", ""},
        {{"-platform", "xcb", "-platformtheme", "gtk3", "-plugin", "evdev", "-visual", "33"},
         A::Run,
         "",
         ""},
        {{"-geometry", "+10+10", "-qwindowgeometry", "80x80", "-title", "t", "-qwindowtitle", "t",
          "-icon", "i", "-qwindowicon", "i", "-platformpluginpath", "/p"},
         A::Run,
         "",
         ""},
        // A value is the next argument even when it looks like an option or says "help".
        {{"-session", "--help"}, A::Run, "", ""},
        {{"-title", "-V", "--version"}, A::Version, "", ""},
        {{"-session", "s", "--help"}, A::Help, "", ""},
        // An option whose value is missing is a mistake, as is an attached value where the
        // toolkit takes none, or a name that only starts like one of them.
        {{"-session"}, A::Misuse, "option needs a value: -session", ""},
        {{"-name", "n", "--display"}, A::Misuse, "option needs a value: --display", ""},
        {{"-session=x"}, A::Misuse, "unknown option: -session=x", ""},
        {{"-reverse=1"}, A::Misuse, "unknown option: -reverse=1", ""},
        {{"-sessions", "x"}, A::Misuse, "unknown option: -sessions", ""},
        {{"---session", "x"}, A::Misuse, "unknown option: ---session", ""},
        {{"-session", "x", "y"}, A::Misuse, "unexpected argument: y", ""},
        {{"-"}, A::Misuse, "unknown option: -", ""},
    };
    for (const auto& c : cases) {
        const Command got = ParseCommandLine(c.args);
        EXPECT_EQ(got.action, c.action) << ::testing::PrintToString(c.args);
        EXPECT_EQ(got.problem, c.problem) << ::testing::PrintToString(c.args);
        EXPECT_EQ(got.display, c.display) << ::testing::PrintToString(c.args);
    }
}

TEST(CommandLineTest, PrintTakesAFormat) {
    EXPECT_FALSE(ParseCommandLine({"--pick"}).print);
    const Command plain = ParseCommandLine({"--pick", "--print"});
    EXPECT_TRUE(plain.print);
    EXPECT_EQ(plain.format, "hex");
    EXPECT_EQ(ParseCommandLine({"--pick", "--print", "--format", "oklch"}).format, "oklch");
    EXPECT_EQ(ParseCommandLine({"--pick", "--print", "--format=web-plain"}).format, "web-plain");
    // The help lists every format.
    const std::string usage = UsageText("huebird");
    for (const std::string& f : CopyAsFormats()) EXPECT_NE(usage.find(f), std::string::npos) << f;
}

TEST(CommandLineTest, TextsNameTheOptionsAndTheVersion) {
    const std::string usage = UsageText("huebird");
    EXPECT_EQ(
        usage.rfind(
            "Usage: huebird [--help] [--version] [--toggle | --pick [--print [--format NAME]]]\n",
            0),
        0u);
    EXPECT_NE(usage.find("--toggle"), std::string::npos);
    EXPECT_NE(usage.find("--pick"), std::string::npos);
    EXPECT_NE(usage.find("--version"), std::string::npos);
    EXPECT_NE(usage.find("-session"), std::string::npos);
    EXPECT_EQ(VersionText().rfind("Huebird ", 0), 0u);
    EXPECT_NE(VersionText(), "Huebird 0\n");  // the build's own version, not the fallback
}

}  // namespace
}  // namespace huebird
