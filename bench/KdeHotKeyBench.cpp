// The hot-key through KDE's global shortcut service (run where the service is on the session
// bus, as tests/platform/kde.sh gives it): what Start and SetKey cost on the user-interface
// thread, how soon the service holds the key, how soon a new key is held, and, with the key
// client, the time from a real key press in KWin to the toggle.
//   huebird_bench_kdehotkey [KWINKEYS [PRESSES]]
#include <QApplication>
#include <QDBusArgument>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QProcess>
#include <QWidget>

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "platform/wayland/KdeHotKey.h"

namespace {

void Report(const char* what, std::vector<double> ms) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    std::printf("%-44s median %7.3f ms  p95 %7.3f ms  max %7.3f ms  (n=%zu)\n", what,
                ms[ms.size() / 2], ms[ms.size() * 95 / 100], ms.back(), ms.size());
}

double Ms(const QElapsedTimer& t) { return static_cast<double>(t.nsecsElapsed()) / 1e6; }

// Our action's keys, as the service answers anybody.
QList<int> OurKeys() {
    QDBusMessage ask = QDBusMessage::createMethodCall(
        QStringLiteral("org.kde.kglobalaccel"), QStringLiteral("/kglobalaccel"),
        QStringLiteral("org.kde.KGlobalAccel"), QStringLiteral("shortcut"));
    ask << QStringList{QStringLiteral("huebird"), QStringLiteral("toggle"), {}, {}};
    return qdbus_cast<QList<int>>(QDBusConnection::sessionBus().call(ask).arguments().value(0));
}

// Runs the event loop until `done`, for at most `ms`; false when it never was.
template <typename F>
bool Until(F done, int ms = 2000) {
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > ms) return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 1);
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString keys = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    const int presses = argc > 2 ? std::atoi(argv[2]) : 50;
    const int w = (Qt::CTRL | Qt::Key_W).toCombined(), e = (Qt::CTRL | Qt::Key_E).toCombined();

    huebird::KdeHotKey hotKey;
    int toggles = 0;
    QWidget window;
    hotKey.SetToggleTarget(&window, [&] { ++toggles; });

    // Start, as the program does it: the calls go out, the answer comes on its own.
    std::vector<double> startMs, boundMs, problemMs;
    for (int i = 0; i < 50; ++i) {
        QElapsedTimer t;
        t.start();
        hotKey.Start();
        hotKey.SetKey(0x57);
        startMs.push_back(Ms(t));
        if (!Until([&] { return OurKeys().contains(w); })) {
            std::fprintf(stderr, "the service never held Ctrl+W: %s\n",
                         hotKey.Problem() ? hotKey.Problem()->reason.c_str() : "no problem told");
            return 1;
        }
        boundMs.push_back(Ms(t));
        hotKey.Stop();
    }
    // Problem() right after Start waits for the answer itself.
    for (int i = 0; i < 50; ++i) {
        hotKey.Start();
        hotKey.SetKey(0x57);
        QElapsedTimer t;
        t.start();
        const bool works = !hotKey.Problem();
        problemMs.push_back(Ms(t));
        if (!works) std::fprintf(stderr, "Problem() told a problem\n");
        hotKey.Stop();
    }
    Report("Start + SetKey (UI thread)", startMs);
    Report("  until the service holds Ctrl+W", boundMs);
    Report("Problem() right after Start (waits)", problemMs);

    hotKey.Start();
    hotKey.SetKey(0x57);
    Until([&] { return OurKeys().contains(w); });
    std::vector<double> moveMs;
    for (int i = 0; i < 50; ++i) {
        const bool toE = i % 2 == 0;
        QElapsedTimer t;
        t.start();
        hotKey.SetKey(toE ? 0x45 : 0x57);
        Until([&] { return OurKeys().contains(toE ? e : w); });
        moveMs.push_back(Ms(t));
    }
    Report("SetKey -> the service holds the new key", moveMs);

    if (!keys.isEmpty()) {
        hotKey.SetKey(0x45);
        Until([&] { return OurKeys().contains(e); });
        const QStringList chord = {
            QStringLiteral("%1:1").arg(KEY_LEFTCTRL), QStringLiteral("%1:1").arg(KEY_E),
            QStringLiteral("%1:0").arg(KEY_E), QStringLiteral("%1:0").arg(KEY_LEFTCTRL)};
        std::vector<double> clientMs, pressMs;
        int lost = 0;
        for (int i = 0; i < presses; ++i) {
            // The client alone (no key): its start and connection, part of every press below.
            QElapsedTimer c;
            c.start();
            QProcess::execute(keys, {});
            clientMs.push_back(Ms(c));
            const int before = toggles;
            QElapsedTimer t;
            t.start();
            QProcess press;
            press.start(keys, chord);
            if (Until([&] { return toggles > before; })) {
                pressMs.push_back(Ms(t));
            } else {
                ++lost;
            }
            press.waitForFinished();
        }
        Report("key client alone (start, connect, end)", clientMs);
        Report("Ctrl+E pressed in KWin -> toggle", pressMs);
        if (lost) std::printf("%d presses brought no toggle\n", lost);
    }

    QElapsedTimer t;
    t.start();
    hotKey.Stop();
    std::printf("%-44s %7.3f ms\n", "Stop (waits for the service)", Ms(t));
    return 0;
}
