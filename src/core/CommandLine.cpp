#include "core/CommandLine.h"

namespace huebird {

#ifndef HUEBIRD_VERSION
#define HUEBIRD_VERSION "0"
#endif

Command ParseCommandLine(const std::vector<std::string>& args) {
    Command c;
    for (const std::string& a : args) {
        Command::Action wanted = Command::Action::Misuse;
        if (a == "--help" || a == "-h") wanted = Command::Action::Help;
        if (a == "--version" || a == "-V") wanted = Command::Action::Version;
        if (wanted == Command::Action::Misuse) {
            c.action = Command::Action::Misuse;
            c.problem = (!a.empty() && a[0] == '-') ? "unknown option: " : "unexpected argument: ";
            c.problem += a;
            return c;
        }
        // Help wins over version, whatever the order.
        if (c.action != Command::Action::Help) c.action = wanted;
    }
    return c;
}

std::string UsageText(const std::string& program) {
    std::string text = "Usage: ";
    text += program;
    text +=
        " [--help] [--version]\n"
        "\n"
        "Huebird, a small skinnable colour picker for the X11 desktop.\n"
        "Press on one of its four swatches and move anywhere on the screen to pick a colour.\n"
        "\n"
        "  -h, --help     show this text and exit\n"
        "  -V, --version  show the version and exit\n"
        "\n"
        "Huebird runs once per user and display: a second start leaves the first one as it is.\n"
        "Its settings file palora.ini and its skins live beside the program or, for an\n"
        "installed program, in $XDG_DATA_HOME/huebird (by default ~/.local/share/huebird).\n";
    return text;
}

std::string VersionText() {
    std::string text = "Huebird ";
    text += HUEBIRD_VERSION;
    text += "\n";
    return text;
}

}  // namespace huebird
