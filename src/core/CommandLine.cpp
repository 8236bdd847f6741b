#include "core/CommandLine.h"

#include <string_view>

#include "core/CopyAs.h"

namespace huebird {

#ifndef HUEBIRD_VERSION
#define HUEBIRD_VERSION "0"
#endif

namespace {

// The options the toolkit takes out of the command line itself (the application objects and
// the X11 platform), written with one dash or two. A value follows as the next argument, or
// after "=" where the toolkit accepts that too.
enum class Takes { Nothing, Value, ValueOrAttached };
struct ToolkitOption {
    std::string_view name;
    Takes takes;
};
constexpr ToolkitOption kToolkitOptions[] = {
    {"platform", Takes::Value},
    {"platformpluginpath", Takes::Value},
    {"platformtheme", Takes::Value},
    {"plugin", Takes::Value},
    {"qwindowgeometry", Takes::Value},
    {"qwindowtitle", Takes::Value},
    {"qwindowicon", Takes::Value},
    {"geometry", Takes::Value},
    {"title", Takes::Value},
    {"icon", Takes::Value},
    {"session", Takes::Value},
    {"reverse", Takes::Nothing},
    {"testability", Takes::Nothing},
    {"style", Takes::ValueOrAttached},
    {"stylesheet", Takes::ValueOrAttached},
    {"widgetcount", Takes::Nothing},
    {"qmljsdebugger", Takes::ValueOrAttached},
    {"display", Takes::Value},
    {"name", Takes::Value},
    {"visual", Takes::Value},
    {"nograb", Takes::Nothing},
    {"dograb", Takes::Nothing},
};

struct Found {
    const ToolkitOption* option = nullptr;
    bool attached = false;  // the value came after "="
    std::string value;
};

Found FindToolkitOption(std::string_view arg) {
    Found found;
    if (arg.size() < 2 || arg[0] != '-') return found;
    arg.remove_prefix(arg[1] == '-' ? 2 : 1);
    const std::size_t equals = arg.find('=');
    for (const ToolkitOption& o : kToolkitOptions) {
        if (arg == o.name) {
            found.option = &o;
            return found;
        }
        if (o.takes == Takes::ValueOrAttached && equals == o.name.size() &&
            arg.substr(0, equals) == o.name) {
            found.option = &o;
            found.attached = true;
            found.value = std::string(arg.substr(equals + 1));
            return found;
        }
    }
    return found;
}

}  // namespace

Command ParseCommandLine(const std::vector<std::string>& args) {
    Command c;
    bool formatGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--print") {
            c.print = true;
            continue;
        }
        if (a == "--format" || a.rfind("--format=", 0) == 0) {
            if (a == "--format" && i + 1 == args.size()) {
                c.action = Command::Action::Misuse;
                c.problem = "option needs a value: --format";
                return c;
            }
            c.format = a == "--format" ? args[++i] : a.substr(9);
            formatGiven = true;
            continue;
        }
        Command::Action wanted = Command::Action::Misuse;
        if (a == "--help" || a == "-h") wanted = Command::Action::Help;
        if (a == "--version" || a == "-V") wanted = Command::Action::Version;
        if (a == "--toggle") wanted = Command::Action::Toggle;
        if (a == "--pick") wanted = Command::Action::Pick;
        if (wanted == Command::Action::Misuse) {
            if (Found t = FindToolkitOption(a); t.option) {
                if (t.option->takes != Takes::Nothing && !t.attached) {
                    // The next argument is the value, whatever it looks like, as the toolkit
                    // reads it.
                    if (i + 1 == args.size()) {
                        c.action = Command::Action::Misuse;
                        c.problem = "option needs a value: " + a;
                        return c;
                    }
                    t.value = args[++i];
                }
                if (t.option->name == "display") c.display = t.value;
                continue;
            }
            c.action = Command::Action::Misuse;
            c.problem = (!a.empty() && a[0] == '-') ? "unknown option: " : "unexpected argument: ";
            c.problem += a;
            return c;
        }
        // Help wins over version, both over a command, and the last command counts.
        const auto informational = [](Command::Action x) {
            return x == Command::Action::Help || x == Command::Action::Version;
        };
        if (c.action == Command::Action::Help) continue;
        if (informational(c.action) && !informational(wanted)) continue;
        c.action = wanted;
    }
    if (c.action == Command::Action::Help || c.action == Command::Action::Version) return c;
    const auto misuse = [&c](std::string problem) {
        c.action = Command::Action::Misuse;
        c.problem = std::move(problem);
        return c;
    };
    if (c.print && c.action != Command::Action::Pick) return misuse("--print goes with --pick");
    if (formatGiven && !c.print) return misuse("--format goes with --pick --print");
    if (!c.print) return c;
    if (!formatGiven) c.format = kDefaultPrintFormat;
    const std::vector<std::string> formats = CopyAsFormats();
    for (const std::string& f : formats)
        if (f == c.format) return c;
    std::string known;
    for (const std::string& f : formats) known += (known.empty() ? "" : ", ") + f;
    return misuse("unknown format: " + c.format + " (one of: " + known + ")");
}

std::string UsageText(const std::string& program) {
    std::string text = "Usage: ";
    text += program;
    text +=
        " [--help] [--version] [--toggle | --pick [--print [--format NAME]]]\n"
        "\n"
        "Huebird, a small skinnable colour picker for the Linux desktop (X11 and Wayland).\n"
        "Press on one of its four swatches and move anywhere on the screen to pick a colour.\n"
        "\n"
        "  -h, --help     show this text and exit\n"
        "  -V, --version  show the version and exit\n"
        "      --toggle   hide the running Huebird, or show it again (it starts, shown, when\n"
        "                 none runs); bind it to a key where the desktop keeps keys from it\n"
        "      --pick     start a pick in the running Huebird (or a new one): the active swatch\n"
        "                 follows the pointer until a click takes the colour; Esc cancels\n"
        "      --pick --print [--format NAME]\n"
        "                 pick a colour (with the magnifier) and print it on standard output,\n"
        "                 then exit; Esc prints nothing and exits with 1. It runs on its own:\n"
        "                 a running Huebird and its settings are left alone. NAME is one of\n"
        "                   web        #E94560           web-plain  E94560\n"
        "                   rgb-value  RGB(233, 069, 096)  decimal  15287648\n"
        "                   hex        #e94560 (the default)\n"
        "                   rgb, hsl, hwb, lab, lch, oklab, oklch   CSS Color 4 functions\n"
        "                   name       the nearest CSS named colour\n"
        "\n"
        "The toolkit's own options are accepted too, among them -display NAME (the X display\n"
        "to run on) and -session ID (given by a session manager that restarts the program).\n"
        "\n"
        "Huebird runs once per user and display: a second start leaves the first one as it is.\n"
        "Its settings file palora.ini and its skins live beside the program or, for an\n"
        "installed program, in $XDG_DATA_HOME/huebird (by default ~/.local/share/huebird).\n"
        "A termination signal, or the X server going away, ends it as a close does: the\n"
        "settings are saved first.\n";
    return text;
}

std::string VersionText() {
    std::string text = "Huebird ";
    text += HUEBIRD_VERSION;
    text += "\n";
    return text;
}

}  // namespace huebird
