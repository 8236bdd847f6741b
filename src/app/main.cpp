// Process entry: one instance per user and display, then the main window and the loop.
#include <QApplication>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "core/CommandLine.h"
#include "core/DataFolder.h"
#include "core/Profile.h"
#include "core/Settings.h"
#include "platform/Backends.h"
#include "platform/EndSignals.h"
#include "platform/InstanceChannel.h"
#include "platform/InstanceLock.h"
#include "ui/common/Fonts.h"
#include "ui/colour/PrintPick.h"
#include "ui/shell/GuardedApplication.h"
#include "ui/shell/MainForm.h"
#include "ui/common/Notices.h"
#include "ui/common/Translation.h"

// Where an installed program finds its stock files and the hot-key library, relative to its own
// folder, so an installed tree still works when moved elsewhere.
#ifndef HUEBIRD_STOCK_FROM_PROGRAM
#define HUEBIRD_STOCK_FROM_PROGRAM "../share/huebird"
#endif
#ifndef HUEBIRD_LIBRARY_FROM_PROGRAM
#define HUEBIRD_LIBRARY_FROM_PROGRAM "../lib/huebird"
#endif

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The toolkit as the program sets it up, before any window.
void PrepareToolkit(const huebird::BackendChoice& choice) {
    huebird::ForgetToolkitChoice(choice);
    QApplication::setApplicationName(QString::fromUtf8(huebird::kAppTitle));
    huebird::InstallFontSubstitutions();
}

// The hot-key library beside the program first (the relocatable folder), then in the installed
// library folder.
std::vector<std::filesystem::path> LibraryFolders() {
    const std::filesystem::path programDir = QCoreApplication::applicationDirPath().toStdString();
    return {programDir, (programDir / HUEBIRD_LIBRARY_FROM_PROGRAM).lexically_normal()};
}

// Which folder holds the settings and skins (filled from the stock by the caller, if need be).
huebird::DataFolder ChosenDataFolder() {
    namespace fs = std::filesystem;
    const fs::path programDir = QCoreApplication::applicationDirPath().toStdString();
    return huebird::ChooseDataFolder(
        {programDir, HUEBIRD_STOCK_FROM_PROGRAM, Environment("XDG_DATA_HOME"), Environment("HOME")},
        [](const fs::path& p) {
            std::error_code ec;
            return fs::exists(p, ec);
        });
}

// huebird --pick --print: a pick of this process's own, printed. No lock, no settings: a
// running instance is left as it is.
int RunPrintPick(int& argc, char** argv, const huebird::BackendChoice& choice,
                 const std::string& format) {
    huebird::GuardedApplication app(argc, argv);
    PrepareToolkit(choice);
    // The magnifier closing is not the end: the answer comes after it.
    QApplication::setQuitOnLastWindowClosed(false);
    if (const QString missing = huebird::InstallTranslations(std::getenv); !missing.isEmpty())
        std::fprintf(stderr, "huebird: %s\n", missing.toLocal8Bit().constData());
    const std::unique_ptr<huebird::Backend> backend =
        huebird::MakeBackend(choice.session, LibraryFolders());
    const huebird::Platform platform = backend->Services();
    huebird::PrintPick pick(platform.screen, !platform.abilities.readsScreenLive, format);
    // The pick area the user chose, read (never written) from the settings where there are
    // any; a folder not made yet is not made for this.
    const huebird::DataFolder data = ChosenDataFolder();
    if (data.problem.empty()) {
        const std::filesystem::path file = data.folder / "palora.ini";
        std::error_code ec;
        if (std::filesystem::is_regular_file(file, ec))
            pick.SetArea(huebird::LoadSettings(huebird::Profile(file)).pickArea);
    }
    int code = 1;
    QObject::connect(&pick, &huebird::PrintPick::done, &app, [&code](int result) {
        code = result;
        QCoreApplication::quit();
    });
    // A termination signal ends it as Escape does: nothing printed.
    huebird::EndSignals endSignals([](int) { QCoreApplication::quit(); });
    QTimer::singleShot(0, &pick, &huebird::PrintPick::Start);
    QApplication::exec();
    return code;
}

}  // namespace

int main(int argc, char** argv) {
    // The command line and the display are settled before the toolkit starts: --help and
    // --version need neither a display nor the lock.
    const std::vector<std::string> args(argv + (argc > 0 ? 1 : 0), argv + argc);
    const std::string program = "huebird";
    const huebird::Command command = huebird::ParseCommandLine(args);
    switch (command.action) {
        case huebird::Command::Action::Help:
            std::fputs(huebird::UsageText(program).c_str(), stdout);
            return 0;
        case huebird::Command::Action::Version:
            std::fputs(huebird::VersionText().c_str(), stdout);
            return 0;
        case huebird::Command::Action::Misuse:
            std::fprintf(stderr, "huebird: %s\n%s", command.problem.c_str(),
                         huebird::UsageText(program).c_str());
            return 2;
        case huebird::Command::Action::Run:
        case huebird::Command::Action::Toggle:
        case huebird::Command::Action::Pick:
            break;
    }
    // -display names the display for everything that opens one: the check below, the lock's
    // name, the toolkit and the hot-key library's own connection.
    if (!command.display.empty()) setenv("DISPLAY", command.display.c_str(), 1);
    const huebird::BackendChoice backendChoice = huebird::PrepareBackend();
    if (!backendChoice.problem.empty()) {
        std::fprintf(stderr, "huebird: %s\n", backendChoice.problem.c_str());
        return 1;
    }
    // A screen that asks for scaling gets it in whole steps only: skins are pixel art, and a
    // whole factor keeps every pixel and the window's outline exact.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(
        Qt::HighDpiScaleFactorRoundingPolicy::Round);
    if (command.print) return RunPrintPick(argc, argv, backendChoice, command.format);

    // Taken before anything is shown; a second start leaves quietly. A lock that cannot be
    // had where only this user writes is said, never taken for a running instance.
    huebird::InstanceLock lock("RunOnlyOneTintel");
    if (!lock.problem().empty()) {
        std::fprintf(stderr, "huebird: %s\n", lock.problem().c_str());
        return 1;
    }
    if (!lock.acquired()) {
        // Another start of ours runs on this display: a command goes to it; a plain start
        // leaves it as it is.
        if (command.action == huebird::Command::Action::Toggle ||
            command.action == huebird::Command::Action::Pick) {
            const bool toggle = command.action == huebird::Command::Action::Toggle;
            const std::string problem =
                huebird::SendCommand(huebird::ChannelPath(lock.path()),
                                     toggle ? huebird::kToggleCommand : huebird::kPickCommand);
            if (!problem.empty()) {
                std::fprintf(stderr, "huebird: %s\n", problem.c_str());
                return 1;
            }
        }
        return 0;
    }

    huebird::GuardedApplication app(argc, argv);
    PrepareToolkit(backendChoice);
    // The program ends when the main window's close steps have all run, its error box
    // included, not when the last window happens to close.
    QApplication::setQuitOnLastWindowClosed(false);

    // The folder for settings and skins: the program's own, or the user's for an installed
    // program, filled from the stock at the first start (under the lock, so once).
    const huebird::DataFolder data = ChosenDataFolder();
    std::string problem = data.problem;
    if (problem.empty() && !data.stock.empty())
        problem = huebird::FillUserFolder(data.folder, data.stock);
    if (!problem.empty()) {
        std::fprintf(stderr, "huebird: %s\n", problem.c_str());
        return 1;
    }

    // The program's own texts are Chinese; every other language reads the English
    // translation, which is built into the program. A reader of Chinese also gets the
    // toolkit's own texts in Chinese.
    if (const QString missing = huebird::InstallTranslations(std::getenv); !missing.isEmpty())
        std::fprintf(stderr, "huebird: %s\n", missing.toLocal8Bit().constData());
    try {
        // The backend outlives the window: the key is released last.
        const std::unique_ptr<huebird::Backend> backend =
            huebird::MakeBackend(backendChoice.session, LibraryFolders());
        const huebird::Platform platform = backend->Services();
        huebird::MainForm form(data.folder, platform);
        form.SetHelpPage(data.helpPage);
        if (form.EndRequested()) {
            std::fprintf(stderr, "%s\n", form.EndReason().toLocal8Bit().constData());
            return 1;
        }
        platform.desktop.KeepOffTaskbar(&form);
        QObject::connect(&form, &huebird::MainForm::closed, &app, &QCoreApplication::quit,
                         Qt::QueuedConnection);
        // A termination signal (a logout, a shutdown, Ctrl+C, a closed terminal) ends the
        // program as the close button does; the display going away saves what it can.
        huebird::EndSignals endSignals([&form](int) { form.CloseImgClick(); });
        backend->OnDisplayLost([&form] { form.SaveWithoutDisplay(); });
        // Disarmed before the window goes, which the step uses.
        struct Disarm {
            huebird::Backend& backend;
            ~Disarm() { backend.OnDisplayLost({}); }
        } disarm{*backend};
        form.show();
        // Later starts' commands: --toggle hides and shows as the hot-key does, --pick starts
        // a pick.
        const auto post = [&form](int type) {
            QCoreApplication::postEvent(&form, new QEvent(static_cast<QEvent::Type>(type)));
        };
        huebird::CommandListener commands(huebird::ChannelPath(lock.path()),
                                          [post](const std::string& received) {
                                              if (received == huebird::kToggleCommand)
                                                  post(huebird::kCommandToggleEvent);
                                              if (received == huebird::kPickCommand)
                                                  post(huebird::kPickEvent);
                                          });
        // A first start asked for a pick begins it once the window is up.
        if (command.action == huebird::Command::Action::Pick) post(huebird::kPickEvent);
        if (!commands.problem().empty())
            std::fprintf(stderr, "huebird: %s\n", commands.problem().c_str());
        return QApplication::exec();
    } catch (const std::exception& e) {
        huebird::Notices::Error(nullptr, QString::fromUtf8(e.what()));
        return 0;
    }
}
