#include "platform/DesktopOpen.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QUrl>

namespace huebird {

std::optional<OpenFailure> OpenFailureFromExitCode(int code) {
    // xdg-open's own codes: 1 a wrong command line, 2 a file that does not exist, 3 no program
    // for it (or a tool xdg-open needs is missing), 4 the program chosen failed.
    switch (code) {
        case 0:
            return std::nullopt;
        case 2:
            return OpenFailure::Missing;
        case 3:
            return OpenFailure::NoHandler;
        default:
            return OpenFailure::HandlerFailed;
    }
}

void OpenWithDesktop(const QString& target, OpenFailed failed) {
    const auto report = [failed](OpenFailure why) {
        if (failed) failed(why);
    };
    const QString opener = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (opener.isEmpty()) {
        if (!QDesktopServices::openUrl(QUrl(target))) {
            // Later, as xdg-open's answer would come, so callers meet one order.
            QTimer::singleShot(0, [report] { report(OpenFailure::NoOpener); });
        }
        return;
    }
    // No parent, and not deleted while it runs: a process object that goes kills its process,
    // and xdg-open may have become the browser by now. It deletes itself when the opener ends.
    auto* process = new QProcess;
    process->setProcessChannelMode(QProcess::ForwardedChannels);
    process->setStandardInputFile(QProcess::nullDevice());
    QObject::connect(
        process, &QProcess::finished, process,
        [process, report](int code, QProcess::ExitStatus status) {
            process->deleteLater();
            if (status != QProcess::NormalExit) {
                report(OpenFailure::HandlerFailed);
            } else if (const std::optional<OpenFailure> why = OpenFailureFromExitCode(code)) {
                report(*why);
            }
        });
    QObject::connect(process, &QProcess::errorOccurred, process,
                     [process, report](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart) return;
                         process->deleteLater();
                         report(OpenFailure::NoOpener);
                     });
    process->start(opener, {target});
}

}  // namespace huebird
