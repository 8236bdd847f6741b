// What the command line asks for. The program's own options are the two informational ones and
// --toggle and --pick, which a later start hands to the running instance (a desktop whose keys
// cannot reach the program binds it to a key); the toolkit's own options (a session manager
// restarts the program with -session, -display names the X display, and the like) are accepted and
// left to the toolkit; anything else is a mistake the user is told about.
#pragma once

#include <string>
#include <vector>

namespace huebird {

struct Command {
    enum class Action {
        Run,
        Help,
        Version,
        Misuse,
        Toggle,  // hide or show the running instance (or start one, shown, where none runs)
        Pick,    // a pick under the pointer in the running instance (or in a new one)
    };
    Action action = Action::Run;
    std::string problem;  // for Misuse: what was wrong, in one line
    std::string display;  // -display's value: the X display the whole program is to use
    // --pick --print: a pick of this process's own, its colour printed in `format` (one of
    // CopyAsFormats), with no running instance involved and no settings written.
    bool print = false;
    std::string format;
};

// `args` are the arguments after the program's name.
Command ParseCommandLine(const std::vector<std::string>& args);

// The text for --help, and the one line for --version.
std::string UsageText(const std::string& program);
std::string VersionText();

}  // namespace huebird
