// The hot-key through KDE's global shortcut service, against the real one: KWin's own, on a
// headless KWin that kde.sh starts with a private session bus. Keys are pressed through KWin's
// fake-input protocol (kwinkeys), so they take the way a keyboard's keys take. A second bus
// (HUEBIRD_BARE_BUS) has the service installed but not running, as on another desktop.
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusReply>
#include <QFile>
#include <QProcess>
#include <QThread>
#include <QWidget>
#include <QtTest>

#include <linux/input-event-codes.h>
#include <signal.h>

#include "platform/wayland/KdeHotKey.h"

namespace huebird {

namespace {

using Kind = HotKeyProblem::Kind;

const QString kService = QStringLiteral("org.kde.kglobalaccel");

// W, E and G as stored virtual-key codes.
constexpr std::uint32_t kW = 0x57, kE = 0x45, kG = 0x47;

int Ctrl(int qtKey) { return (Qt::CTRL | Qt::Key(qtKey)).toCombined(); }

// A call to the service on `bus`, as another program or the desktop's settings make it.
QDBusMessage Ask(QDBusConnection bus, const QString& method, const QVariantList& args) {
    QDBusMessage message = QDBusMessage::createMethodCall(
        kService, QStringLiteral("/kglobalaccel"), QStringLiteral("org.kde.KGlobalAccel"), method);
    message.setArguments(args);
    return bus.call(message, QDBus::Block, 5000);
}

QDBusMessage Ask(const QString& method, const QVariantList& args) {
    return Ask(QDBusConnection::sessionBus(), method, args);
}

QStringList Id(const QString& component, const QString& action) {
    return {component, action, component + QStringLiteral(" Tool"), action + QStringLiteral(" it")};
}

// The keys an action has, as the service answers anybody who asks.
QList<int> KeysOf(QDBusConnection bus, const QString& component, const QString& action) {
    const QDBusMessage answer =
        Ask(bus, QStringLiteral("shortcut"), {QStringList{component, action, {}, {}}});
    if (answer.type() != QDBusMessage::ReplyMessage) return {{-1}};
    QList<int> keys = qdbus_cast<QList<int>>(answer.arguments().value(0));
    keys.removeAll(0);  // the service answers [0] for an action without keys
    return keys;
}

QList<int> OurKeys(QDBusConnection bus = QDBusConnection::sessionBus()) {
    return KeysOf(bus, QStringLiteral("huebird"), QStringLiteral("toggle"));
}

// The action holding `key`: component, action and their texts; empty when it is free.
QStringList HolderOf(int key) {
    return Ask(QStringLiteral("action"), {key}).arguments().value(0).toStringList();
}

// Another program registers Ctrl plus a key for its action; answers the keys it really got.
QList<int> OtherTakes(const QString& component, int key) {
    Ask(QStringLiteral("doRegister"), {Id(component, QStringLiteral("act"))});
    const QDBusMessage answer =
        Ask(QStringLiteral("setShortcut"),
            {Id(component, QStringLiteral("act")), QVariant::fromValue(QList<int>{key}), 6u});
    return qdbus_cast<QList<int>>(answer.arguments().value(0));
}

void OtherLetsGo(const QString& component) {
    Ask(QStringLiteral("unregister"), {component, QStringLiteral("act")});
}

// Ctrl plus the key with evdev code `code`, down and up, through the compositor.
bool PressCtrl(int code) {
    const QString key = QString::number(code);
    return QProcess::execute(
               QStringLiteral(HUEBIRD_KWIN_KEYS),
               {QStringLiteral("%1:1").arg(KEY_LEFTCTRL), key + QStringLiteral(":1"),
                key + QStringLiteral(":0"), QStringLiteral("%1:0").arg(KEY_LEFTCTRL)}) == 0;
}

// Counts toggles, and that each came on the user-interface thread.
struct Toggles {
    int count = 0;
    bool offThread = false;
    std::function<void()> Callback() {
        return [this] {
            ++count;
            if (QThread::currentThread() != qApp->thread()) offThread = true;
        };
    }
};

}  // namespace

class KdeHotKeyTest : public QObject {
    Q_OBJECT

  public slots:
    // Every press of our action the service announces, seen beside the hot-key: when the
    // count has moved, the hot-key has had its message too.
    void Pressed(const QString& component, const QString& action, qlonglong) {
        if (component == QLatin1String("huebird") && action == QLatin1String("toggle")) ++presses_;
    }

  private:
    // Runs what the event loop holds so far, twice over: the hot-key's handler of a press that
    // came in beside ours queues the toggle, which the second round runs.
    static void Flush() {
        for (int round = 0; round < 2; ++round) {
            bool done = false;
            QMetaObject::invokeMethod(
                qApp, [&] { done = true; }, Qt::QueuedConnection);
            QTRY_VERIFY(done);
        }
    }

    int presses_ = 0;

  private slots:
    void initTestCase() {
        QDBusConnection bus = QDBusConnection::sessionBus();
        QVERIFY2(bus.interface()->isServiceRegistered(kService),
                 "kde.sh starts the test with KWin's shortcut service on the session bus");
        QVERIFY(bus.connect(kService, QStringLiteral("/component/huebird"),
                            QStringLiteral("org.kde.kglobalaccel.Component"),
                            QStringLiteral("globalShortcutPressed"), this,
                            SLOT(Pressed(QString, QString, qlonglong))));
    }

    // Programs of other tests must not leave keys held for the next one.
    void cleanup() {
        for (const char* component : {"othertool", "kcm"})
            OtherLetsGo(QString::fromLatin1(component));
        Ask(QStringLiteral("unregister"), {QStringLiteral("huebird"), QStringLiteral("toggle")});
    }

    // Ctrl plus the key shows in the service's own answers under our names, forced over a
    // different key the service kept for our action from an earlier run; the component's
    // object is where the service says it is.
    void registeringShowsTheKeyInTheService() {
        Ask(QStringLiteral("doRegister"), {QStringList{"huebird", "toggle", "Huebird", "x"}});
        Ask(QStringLiteral("setShortcut"), {QStringList{"huebird", "toggle", "Huebird", "x"},
                                            QVariant::fromValue(QList<int>{Ctrl(Qt::Key_J)}), 6u});
        Ask(QStringLiteral("setInactive"), {QStringList{"huebird", "toggle", "Huebird", "x"}});
        QCOMPARE(OurKeys(), QList<int>{Ctrl(Qt::Key_J)});

        KdeHotKey hotKey;
        hotKey.Start();
        hotKey.SetKey(kW);
        QTRY_VERIFY_WITH_TIMEOUT(!hotKey.Problem(), 2000);
        QCOMPARE(OurKeys(), QList<int>{Ctrl(Qt::Key_W)});
        QCOMPARE(HolderOf(Ctrl(Qt::Key_W)),
                 (QStringList{"huebird", "toggle", "Huebird", "Show or hide Huebird"}));
        QCOMPARE(HolderOf(Ctrl(Qt::Key_J)), QStringList{});
        QCOMPARE(hotKey.Key(), kW);

        const QDBusMessage path = Ask(QStringLiteral("getComponent"), {QStringLiteral("huebird")});
        QCOMPARE(qdbus_cast<QDBusObjectPath>(path.arguments().value(0)).path(),
                 QStringLiteral("/component/huebird"));
    }

    // A real Ctrl+W pressed in the compositor is one toggle, on the user-interface thread;
    // other keys are none; the service's own invocation counts as a press; after the window
    // has gone, a press calls nothing.
    void aPressTogglesOnce() {
        auto window = std::make_unique<QWidget>();
        Toggles toggles;
        KdeHotKey hotKey;
        hotKey.SetToggleTarget(window.get(), toggles.Callback());
        hotKey.Start();
        hotKey.SetKey(kW);
        QTRY_VERIFY_WITH_TIMEOUT(!hotKey.Problem(), 2000);
        presses_ = 0;

        QVERIFY(PressCtrl(KEY_W));
        QTRY_COMPARE_WITH_TIMEOUT(toggles.count, 1, 2000);
        QVERIFY(PressCtrl(KEY_E));
        QVERIFY(PressCtrl(KEY_W));
        QTRY_COMPARE_WITH_TIMEOUT(presses_, 2, 2000);
        Flush();
        QCOMPARE(toggles.count, 2);

        QDBusMessage invoke = QDBusMessage::createMethodCall(
            kService, QStringLiteral("/component/huebird"),
            QStringLiteral("org.kde.kglobalaccel.Component"), QStringLiteral("invokeShortcut"));
        invoke << QStringLiteral("toggle");
        QDBusConnection::sessionBus().call(invoke);
        QTRY_COMPARE_WITH_TIMEOUT(toggles.count, 3, 2000);
        QVERIFY(!toggles.offThread);

        window.reset();
        QVERIFY(PressCtrl(KEY_W));
        QTRY_COMPARE_WITH_TIMEOUT(presses_, 4, 2000);
        Flush();
        QCOMPARE(toggles.count, 3);
    }

    // Each kind of key as KWin delivers it with Ctrl held (a US layout, Num Lock off): the key
    // toggles, or KWin's own shortcut holds it, or the service cannot hold it; one started
    // hot-key is moved from each to the next, and a key with no place lets the last one go.
    void eachKeyAsTheCompositorDeliversIt() {
        enum Expect { Works, HeldByKWin, NoKey };
        struct Case {
            std::uint32_t vk;
            int code;  // the evdev key that makes it
            Expect expect;
        };
        const Case cases[] = {
            {0x41, KEY_A, Works},
            {0x51, KEY_Q, Works},
            {0x59, KEY_Y, Works},
            {0x35, KEY_5, Works},
            {0x20, KEY_SPACE, Works},
            {0x08, KEY_BACKSPACE, Works},
            {0x09, KEY_TAB, Works},
            {0x0d, KEY_ENTER, Works},
            {0x1b, KEY_ESC, Works},
            {0x21, KEY_PAGEUP, Works},
            {0x22, KEY_PAGEDOWN, Works},
            {0x23, KEY_END, Works},
            {0x24, KEY_HOME, Works},
            {0x25, KEY_LEFT, Works},
            {0x26, KEY_UP, Works},
            {0x27, KEY_RIGHT, Works},
            {0x28, KEY_DOWN, Works},
            {0x2c, KEY_SYSRQ, Works},  // Print Screen
            {0x2d, KEY_INSERT, Works},
            {0x2e, KEY_DELETE, Works},
            {0x2f, KEY_HELP, Works},
            {0x5d, KEY_COMPOSE, Works},  // Menu
            {0x0c, KEY_KP5, Works},      // Clear
            {0x6a, KEY_KPASTERISK, Works},
            {0x6d, KEY_KPMINUS, Works},
            {0x6f, KEY_KPSLASH, Works},
            {0x74, KEY_F5, Works},
            {0x7b, KEY_F12, Works},
            {0x70, KEY_F1, HeldByKWin},  // switching to desktop 1
            {0x78, KEY_F9, HeldByKWin},  // present windows
            {0x10, KEY_LEFTSHIFT, NoKey},
            {0x5b, KEY_LEFTMETA, NoKey},
            {0x13, KEY_PAUSE, NoKey},  // Ctrl+Pause is Break, matched by nothing with Ctrl
            {0x01, 0, NoKey},          // a mouse button
            {0x00, 0, NoKey},
            {0x7e, 0, NoKey},  // past the last code
        };
        QWidget window;
        Toggles toggles;
        KdeHotKey hotKey;
        hotKey.SetToggleTarget(&window, toggles.Callback());
        hotKey.Start();
        for (const Case& c : cases) {
            const QByteArray what = "virtual key 0x" + QByteArray::number(c.vk, 16);
            hotKey.SetKey(c.vk);
            QCOMPARE(hotKey.Key(), c.vk);
            std::optional<HotKeyProblem> problem;
            switch (c.expect) {
                case Works: {
                    QTRY_VERIFY2_WITH_TIMEOUT(
                        !(problem = hotKey.Problem()),
                        (what + ": " + QByteArray::fromStdString(problem ? problem->reason : ""))
                            .constData(),
                        2000);
                    QCOMPARE(OurKeys().size(), 1);
                    const int before = toggles.count;
                    QVERIFY2(PressCtrl(c.code), what.constData());
                    QTRY_VERIFY2_WITH_TIMEOUT(toggles.count == before + 1, what.constData(), 2000);
                    break;
                }
                case HeldByKWin:
                    QTRY_VERIFY2_WITH_TIMEOUT((problem = hotKey.Problem()).has_value(),
                                              what.constData(), 2000);
                    QVERIFY2(problem->kind == Kind::KeyTaken, what.constData());
                    QCOMPARE(problem->key, c.vk);
                    QVERIFY2(QString::fromStdString(problem->reason).contains("KWin"),
                             problem->reason.c_str());
                    QCOMPARE(OurKeys(), QList<int>{});
                    break;
                case NoKey:
                    problem = hotKey.Problem();
                    QVERIFY2(problem && problem->kind == Kind::NoKey, what.constData());
                    QCOMPARE(problem->key, c.vk);
                    QCOMPARE(OurKeys(), QList<int>{});  // the last key was let go
                    break;
            }
        }
        QVERIFY(!toggles.offThread);
    }

    // A new key is the action's within 100 ms; the old one is free and does nothing.
    void aNewKeyMovesTheShortcut() {
        QWidget window;
        Toggles toggles;
        KdeHotKey hotKey;
        hotKey.SetToggleTarget(&window, toggles.Callback());
        hotKey.Start();
        hotKey.SetKey(kW);
        QTRY_VERIFY_WITH_TIMEOUT(!hotKey.Problem(), 2000);

        hotKey.SetKey(kE);
        QTRY_COMPARE_WITH_TIMEOUT(OurKeys(), QList<int>{Ctrl(Qt::Key_E)}, 100);
        QVERIFY(!hotKey.Problem());
        QCOMPARE(HolderOf(Ctrl(Qt::Key_W)), QStringList{});
        presses_ = 0;
        QVERIFY(PressCtrl(KEY_W));
        QVERIFY(PressCtrl(KEY_E));
        QTRY_COMPARE_WITH_TIMEOUT(presses_, 1, 2000);
        Flush();
        QCOMPARE(toggles.count, 1);
    }

    // Ctrl+G held by another program: KeyTaken naming it, its press is the other's; once let
    // go, ours within about two seconds with nobody asking, and a press toggles.
    void aKeyHeldElsewhereWorksOnceLetGo() {
        QCOMPARE(OtherTakes(QStringLiteral("othertool"), Ctrl(Qt::Key_G)),
                 QList<int>{Ctrl(Qt::Key_G)});
        QWidget window;
        Toggles toggles;
        KdeHotKey hotKey;
        hotKey.SetToggleTarget(&window, toggles.Callback());
        hotKey.Start();
        hotKey.SetKey(kG);
        const auto problem = hotKey.Problem();
        QVERIFY(problem);
        QCOMPARE(problem->kind, Kind::KeyTaken);
        QCOMPARE(problem->key, kG);
        QVERIFY2(QString::fromStdString(problem->reason).contains("othertool Tool"),
                 problem->reason.c_str());
        QCOMPARE(HolderOf(Ctrl(Qt::Key_G)).value(0), QStringLiteral("othertool"));

        OtherLetsGo(QStringLiteral("othertool"));
        QElapsedTimer clock;
        clock.start();
        QTRY_COMPARE_WITH_TIMEOUT(OurKeys(), QList<int>{Ctrl(Qt::Key_G)}, 2500);
        qInfo("taken back %lld ms after it was let go", clock.elapsed());
        QVERIFY(!hotKey.Problem());
        QVERIFY(PressCtrl(KEY_G));
        QTRY_COMPARE_WITH_TIMEOUT(toggles.count, 1, 2000);
    }

    // Asked afresh: Problem() finds a key let go the moment it is, without the event loop.
    void problemAsksAfresh() {
        OtherTakes(QStringLiteral("othertool"), Ctrl(Qt::Key_G));
        KdeHotKey hotKey;
        hotKey.Start();
        hotKey.SetKey(kG);
        QCOMPARE(hotKey.Problem()->kind, Kind::KeyTaken);
        OtherLetsGo(QStringLiteral("othertool"));
        QCOMPARE(hotKey.Problem(), std::nullopt);
        QCOMPARE(OurKeys(), QList<int>{Ctrl(Qt::Key_G)});
    }

    // The desktop's shortcut settings give our key to another action (clearing ours, as they
    // do): reported taken, and ours again once that action lets it go.
    void aKeyTakenAwayComesBack() {
        QWidget window;
        Toggles toggles;
        KdeHotKey hotKey;
        hotKey.SetToggleTarget(&window, toggles.Callback());
        hotKey.Start();
        hotKey.SetKey(kW);
        QTRY_VERIFY_WITH_TIMEOUT(!hotKey.Problem(), 2000);

        Ask(QStringLiteral("setForeignShortcut"),
            {QStringList{"huebird", "toggle", "", ""}, QVariant::fromValue(QList<int>{})});
        QCOMPARE(OtherTakes(QStringLiteral("kcm"), Ctrl(Qt::Key_W)), QList<int>{Ctrl(Qt::Key_W)});
        QTRY_VERIFY_WITH_TIMEOUT(hotKey.Problem() && hotKey.Problem()->kind == Kind::KeyTaken,
                                 2000);
        QCOMPARE(hotKey.Problem()->key, kW);

        OtherLetsGo(QStringLiteral("kcm"));
        QTRY_COMPARE_WITH_TIMEOUT(OurKeys(), QList<int>{Ctrl(Qt::Key_W)}, 2500);
        QVERIFY(PressCtrl(KEY_W));
        QTRY_COMPARE_WITH_TIMEOUT(toggles.count, 1, 2000);
    }

    // Stop (and, without it, the end of the object) leaves nothing bound: the key is free for
    // anyone, our action is gone from the service, and a press calls nothing. Key() stays.
    void stoppingLetsTheKeyGo() {
        QWidget window;
        Toggles toggles;
        {
            KdeHotKey hotKey;
            hotKey.SetToggleTarget(&window, toggles.Callback());
            hotKey.Start();
            hotKey.SetKey(kW);
            QTRY_VERIFY_WITH_TIMEOUT(!hotKey.Problem(), 2000);
            hotKey.Stop();
            QCOMPARE(HolderOf(Ctrl(Qt::Key_W)), QStringList{});
            QCOMPARE(OurKeys(), QList<int>{});
            QCOMPARE(hotKey.Key(), kW);
            QCOMPARE(hotKey.Problem(), std::nullopt);
            hotKey.Stop();

            hotKey.Start();  // started again: the key again
            QTRY_COMPARE_WITH_TIMEOUT(OurKeys(), QList<int>{Ctrl(Qt::Key_W)}, 2000);
        }
        QCOMPARE(HolderOf(Ctrl(Qt::Key_W)), QStringList{});
        QCOMPARE(OtherTakes(QStringLiteral("othertool"), Ctrl(Qt::Key_W)),
                 QList<int>{Ctrl(Qt::Key_W)});
        QCOMPARE(toggles.count, 0);
    }

    // Without the service on the bus (installed, to be started on demand, as on another desktop
    // with KDE's libraries): NotLoaded with a reason naming it, and the service is not started
    // for us. Once it comes, the key is registered by itself; when it leaves, NotLoaded again.
    void withoutTheServiceNotLoaded() {
        const QByteArray address = qgetenv("HUEBIRD_BARE_BUS");
        QVERIFY2(!address.isEmpty(), "kde.sh gives a bus without the service running");
        QDBusConnection bare =
            QDBusConnection::connectToBus(QString::fromLatin1(address), QStringLiteral("bare"));
        QVERIFY(bare.isConnected());

        KdeHotKey hotKey(address.toStdString());
        hotKey.Start();
        hotKey.SetKey(kW);
        const auto problem = hotKey.Problem();
        QVERIFY(problem);
        QCOMPARE(problem->kind, Kind::NotLoaded);
        QVERIFY2(QString::fromStdString(problem->reason).contains(kService),
                 problem->reason.c_str());
        QCOMPARE(hotKey.Key(), kW);

        // Started now, as the bus starts it for a program that asks: the answer says whether
        // it was running already (had the hot-key's calls started it).
        const QDBusMessage start = bare.call(
            QDBusMessage::createMethodCall(
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("/org/freedesktop/DBus"),
                QStringLiteral("org.freedesktop.DBus"), QStringLiteral("StartServiceByName"))
                << kService << 0u,
            QDBus::Block, 20000);
        QVERIFY2(start.type() == QDBusMessage::ReplyMessage, qPrintable(start.errorMessage()));
        QCOMPARE(start.arguments().value(0).toUInt(), 1u);  // 1: started; 2: already running
        QTRY_VERIFY_WITH_TIMEOUT(!hotKey.Problem(), 2000);
        QCOMPARE(OurKeys(bare), QList<int>{Ctrl(Qt::Key_W)});

        const QDBusReply<uint> pid = bare.interface()->servicePid(kService);
        QVERIFY(pid.isValid());
        QVERIFY(::kill(static_cast<pid_t>(pid.value()), SIGTERM) == 0);
        QTRY_VERIFY_WITH_TIMEOUT(hotKey.Problem() && hotKey.Problem()->kind == Kind::NotLoaded,
                                 5000);
        hotKey.Stop();
    }

    // With no bus at all, NotLoaded says so.
    void withoutABusNotLoaded() {
        KdeHotKey hotKey("unix:path=/nonexistent/huebird-bus");
        hotKey.Start();
        hotKey.SetKey(kW);
        const auto problem = hotKey.Problem();
        QVERIFY(problem);
        QCOMPARE(problem->kind, Kind::NotLoaded);
        QVERIFY2(problem->reason.starts_with("no session bus"), problem->reason.c_str());
        hotKey.Stop();
    }
};

}  // namespace huebird

QTEST_MAIN(huebird::KdeHotKeyTest)
#include "KdeHotKeyTest.moc"
