// What the Wayland session tests ask of the desktop over the session bus.
//
//   huebird_wlbus screenshot FILE
//       a capture of the whole desktop through the desktop portal's Screenshot (no dialog:
//       the tests grant the permission beforehand), written to FILE as PNG; the portal's own
//       file is removed. Exit 1 (and why on stderr) when the portal refuses or does not answer
//       within 15 s.
//   huebird_wlbus remote-desktop WIDTH HEIGHT
//       pointer and keys on GNOME Shell through org.gnome.Mutter.RemoteDesktop, with a screen
//       cast of the desktop's area (0, 0, WIDTH, HEIGHT) linked to it so that the pointer can be
//       placed exactly, on any monitor.
//       Reads commands on stdin and answers each with "ok" (or "error WHY"); says "ready" first:
//         abs X Y             the pointer to desktop pixel (X, Y)
//         rel DX DY           the pointer by (DX, DY)
//         button CODE 1|0     presses or releases a button (Linux codes: 272 left, 273 right)
//         key CODE 1|0        presses or releases a key (Linux key codes)
//       The session lives as long as this process: Mutter ends it when its caller leaves the
//       bus, which is why one process serves the whole test.
#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusObjectPath>
#include <QDBusReply>
#include <QEventLoop>
#include <QFile>
#include <QTimer>
#include <QUrl>
#include <QVariantMap>
#include <cstdio>
#include <iostream>
#include <string>

namespace {

// Waits for the portal's answer on one request object.
class Response : public QObject {
    Q_OBJECT
  public:
    bool Wait(int ms) {
        if (answered) return true;
        QEventLoop loop;
        connect(this, &Response::Answered, &loop, &QEventLoop::quit);
        QTimer::singleShot(ms, &loop, &QEventLoop::quit);
        loop.exec();
        return answered;
    }
    bool answered = false;
    uint code = 2;
    QVariantMap results;

  signals:
    void Answered();

  public slots:
    void OnResponse(uint response, const QVariantMap& values) {
        answered = true;
        code = response;
        results = values;
        emit Answered();
    }
};

int Screenshot(const QString& file) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    if (!bus.isConnected()) {
        std::fprintf(stderr, "screenshot: no session bus\n");
        return 1;
    }
    // The request's object path is known before the call, so the answer cannot come before
    // we listen for it.
    const QString token = QStringLiteral("huebird%1").arg(QCoreApplication::applicationPid());
    QString sender = bus.baseService().mid(1);
    sender.replace(QLatin1Char('.'), QLatin1Char('_'));
    const QString request =
        QStringLiteral("/org/freedesktop/portal/desktop/request/%1/%2").arg(sender, token);
    Response response;
    bus.connect(QStringLiteral("org.freedesktop.portal.Desktop"), request,
                QStringLiteral("org.freedesktop.portal.Request"), QStringLiteral("Response"),
                &response, SLOT(OnResponse(uint, QVariantMap)));
    QDBusInterface portal(QStringLiteral("org.freedesktop.portal.Desktop"),
                          QStringLiteral("/org/freedesktop/portal/desktop"),
                          QStringLiteral("org.freedesktop.portal.Screenshot"), bus);
    const QVariantMap options{{QStringLiteral("handle_token"), token},
                              {QStringLiteral("interactive"), false},
                              {QStringLiteral("modal"), false}};
    const QDBusReply<QDBusObjectPath> handle =
        portal.call(QStringLiteral("Screenshot"), QString(), options);
    if (!handle.isValid()) {
        std::fprintf(stderr, "screenshot: %s\n", qPrintable(handle.error().message()));
        return 1;
    }
    if (handle.value().path() != request) {
        std::fprintf(stderr, "screenshot: the portal answers on %s\n",
                     qPrintable(handle.value().path()));
        return 1;
    }
    if (!response.Wait(15000)) {
        std::fprintf(stderr, "screenshot: no answer within 15 s\n");
        return 1;
    }
    const QString uri = response.results.value(QStringLiteral("uri")).toString();
    if (response.code != 0 || uri.isEmpty()) {
        std::fprintf(stderr, "screenshot: refused (response %u)\n", response.code);
        return 1;
    }
    const QString taken = QUrl(uri).toLocalFile();
    QFile::remove(file);
    if (!QFile::copy(taken, file)) {
        std::fprintf(stderr, "screenshot: cannot copy %s to %s\n", qPrintable(taken),
                     qPrintable(file));
        return 1;
    }
    QFile::remove(taken);
    return 0;
}

void Answer(const QString& error = QString()) {
    std::printf("%s\n", error.isEmpty() ? "ok" : qPrintable(QStringLiteral("error ") + error));
    std::fflush(stdout);
}

int RemoteDesktop(int width, int height) {
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString mutter = QStringLiteral("org.gnome.Mutter.RemoteDesktop");
    QDBusInterface desktop(mutter, QStringLiteral("/org/gnome/Mutter/RemoteDesktop"), mutter, bus);
    const QDBusReply<QDBusObjectPath> path = desktop.call(QStringLiteral("CreateSession"));
    if (!path.isValid()) {
        std::fprintf(stderr, "remote-desktop: %s\n", qPrintable(path.error().message()));
        return 1;
    }
    QDBusInterface session(mutter, path.value().path(), mutter + QStringLiteral(".Session"), bus);
    const QString id = session.property("SessionId").toString();

    const QString cast = QStringLiteral("org.gnome.Mutter.ScreenCast");
    QDBusInterface screenCast(cast, QStringLiteral("/org/gnome/Mutter/ScreenCast"), cast, bus);
    const QDBusReply<QDBusObjectPath> castPath =
        screenCast.call(QStringLiteral("CreateSession"),
                        QVariantMap{{QStringLiteral("remote-desktop-session-id"), id}});
    if (!castPath.isValid()) {
        std::fprintf(stderr, "remote-desktop: %s\n", qPrintable(castPath.error().message()));
        return 1;
    }
    QDBusInterface castSession(cast, castPath.value().path(), cast + QStringLiteral(".Session"),
                               bus);
    // A cast of the whole desktop: absolute positions in it are desktop pixels, on every monitor.
    const QDBusReply<QDBusObjectPath> stream =
        castSession.call(QStringLiteral("RecordArea"), 0, 0, width, height, QVariantMap());
    if (!stream.isValid()) {
        std::fprintf(stderr, "remote-desktop: %s\n", qPrintable(stream.error().message()));
        return 1;
    }
    const QDBusMessage started = session.call(QStringLiteral("Start"));
    if (started.type() == QDBusMessage::ErrorMessage) {
        std::fprintf(stderr, "remote-desktop: %s\n", qPrintable(started.errorMessage()));
        return 1;
    }
    std::printf("ready\n");
    std::fflush(stdout);

    std::string line;
    while (std::getline(std::cin, line)) {
        char verb[16] = {};
        double a = 0, b = 0;
        if (std::sscanf(line.c_str(), "%15s %lf %lf", verb, &a, &b) != 3) {
            Answer(QStringLiteral("expected: VERB A B"));
            continue;
        }
        const std::string v = verb;
        QDBusMessage reply;
        if (v == "abs")
            reply = session.call(QStringLiteral("NotifyPointerMotionAbsolute"),
                                 stream.value().path(), a, b);
        else if (v == "rel")
            reply = session.call(QStringLiteral("NotifyPointerMotionRelative"), a, b);
        else if (v == "button")
            reply = session.call(QStringLiteral("NotifyPointerButton"), int(a), b != 0);
        else if (v == "key")
            reply = session.call(QStringLiteral("NotifyKeyboardKeycode"), uint(a), b != 0);
        else {
            Answer(QStringLiteral("unknown command"));
            continue;
        }
        Answer(reply.type() == QDBusMessage::ErrorMessage ? reply.errorMessage() : QString());
    }
    session.call(QStringLiteral("Stop"));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() == 3 && args[1] == QLatin1String("screenshot")) return Screenshot(args[2]);
    if (args.size() == 4 && args[1] == QLatin1String("remote-desktop"))
        return RemoteDesktop(args[2].toInt(), args[3].toInt());
    std::fprintf(stderr, "usage: huebird_wlbus screenshot FILE | remote-desktop WIDTH HEIGHT\n");
    return 2;
}

#include "bus.moc"
