// What the command line asks for. Only the two informational options exist; anything else is
// a mistake the user is told about.
#pragma once

#include <string>
#include <vector>

namespace huebird {

struct Command {
    enum class Action { Run, Help, Version, Misuse };
    Action action = Action::Run;
    std::string problem;  // for Misuse: what was wrong, in one line
};

// `args` are the arguments after the program's name.
Command ParseCommandLine(const std::vector<std::string>& args);

// The text for --help, and the one line for --version.
std::string UsageText(const std::string& program);
std::string VersionText();

}  // namespace huebird
