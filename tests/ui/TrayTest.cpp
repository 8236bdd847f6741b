// Hiding the program as a whole and bringing it back, the tray icon's presses, and the icon
// itself: offscreen, with a fake main window host.
#include <QApplication>
#include <QCursor>
#include <QDialog>
#include <QFile>
#include <QMenu>
#include <QPointer>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "Fixture.h"
#include "platform/ScreenSampler.h"
#include "platform/fake/FakePlatform.h"
#include "ui/skin/Swatch.h"
#include "ui/shell/AppIcon.h"
#include "ui/shell/TrayHost.h"
#include "ui/shell/MainForm.h"
#include "ui/common/Notices.h"
#include "ui/shell/Presence.h"
#include "ui/shell/TrayIcon.h"

using namespace huebird;

namespace {

const QString kNoWayBack =
    QStringLiteral("notice: 没有找到系统托盘，也没有可用的热键，窗口无法隐藏");
const QString kKeyBringsBack = QStringLiteral("notice: 窗口已隐藏，按 Ctrl+W 可以重新显示");
const QString kBindTheCommand = QStringLiteral(
    "notice: 没有找到系统托盘，窗口无法隐藏。在桌面的键盘设置中为命令 huebird --toggle "
    "设置一个快捷键，就可以用它隐藏和显示窗口");

class FakeHost : public TrayHost {
  public:
    QMenu* menu = nullptr;
    bool hotKeyWorks = true;
    QMenu* PopupMenu1() const override { return menu; }
    QString HotKeyName() const override { return QStringLiteral("Ctrl+W"); }
    bool HotKeyWorks() const override { return hotKeyWorks; }
    bool keysReach = true;
    bool GlobalKeysReachUs() const override { return keysReach; }
};

std::unique_ptr<QWidget> Window(const QString& name, QPoint at, Qt::WindowFlags flags = {}) {
    auto w = std::make_unique<QWidget>(nullptr, flags);
    w->setObjectName(name);
    w->setGeometry(QRect(at, QSize(120, 80)));
    return w;
}

// The program's windows that show on the screen.
QStringList Showing() {
    QStringList names;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !w->objectName().isEmpty()) names << w->objectName();
    }
    names.sort();
    return names;
}

// The colour at the centre of each of the icon's four rows, at `size` pixels.
QList<QRgb> RowColours(const QImage& icon) {
    QList<QRgb> colours;
    const int size = icon.width();
    for (int row = 0; row < 4; ++row) {
        const int y = (row * 4 + 2) * size / 16;
        colours << (icon.pixel(size / 2, y) & 0xFFFFFFu);
    }
    return colours;
}

}  // namespace

class TrayTest : public QObject {
    Q_OBJECT

    FakeHost host;
    bool tray = true;
    std::unique_ptr<QWidget> main;
    std::unique_ptr<Presence> presence;

    void MakePresence() {
        presence = std::make_unique<Presence>(*main, host, [this] { return tray; });
    }

  private slots:
    void init() {
        Notices::SetRecording(true);
        host = FakeHost{};
        tray = true;
        main = Window("main", {100, 100}, Qt::FramelessWindowHint);  // like the real one
        main->show();
        MakePresence();
    }
    void cleanup() {
        presence.reset();
        main.reset();
        for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
    }

    void theProgramGoesAndComesBackAsAWhole() {
        auto palette = Window("palette", {400, 120}, Qt::Tool);
        auto dialog = Window("dialog", {200, 300}, Qt::Dialog);
        auto closedBefore = Window("closedBefore", {600, 500});
        palette->show();
        dialog->show();
        closedBefore->show();
        closedBefore->hide();
        QCOMPARE(Showing(), QStringList({"dialog", "main", "palette"}));
        const QRect places[] = {main->frameGeometry(), palette->frameGeometry(),
                                dialog->frameGeometry()};

        presence->ToggleVisibility();
        QVERIFY(presence->Hidden());
        QCOMPARE(Showing(), QStringList());

        presence->ToggleVisibility();
        QVERIFY(!presence->Hidden());
        QCOMPARE(Showing(), QStringList({"dialog", "main", "palette"}));
        QCOMPARE(main->frameGeometry(), places[0]);
        QCOMPARE(palette->frameGeometry(), places[1]);
        QCOMPARE(dialog->frameGeometry(), places[2]);
        QCOMPARE(main->pos(), QPoint(100, 100));
        QVERIFY(closedBefore->isHidden());
        QCOMPARE(Notices::Recorded(), QStringList());

        // A window closed while the program was hidden stays closed; the others come back.
        presence->HideToTray();
        presence->HideToTray();  // hiding twice keeps the first record
        palette.reset();
        presence->ToggleVisibility();
        QCOMPARE(Showing(), QStringList({"dialog", "main"}));
    }

    void anOpenMenuClosesAndDoesNotComeBack() {
        QMenu menu;
        menu.setObjectName("menu");
        menu.addAction("x");
        menu.popup({150, 150});
        QVERIFY(menu.isVisible());
        presence->HideToTray();
        QVERIFY(!menu.isVisible());
        presence->ToggleVisibility();
        QVERIFY(!menu.isVisible());
        QCOMPARE(Showing(), QStringList({"main"}));
    }

    void aModalDialogIsHiddenAndBroughtBackStillRunning() {
        QDialog dialog(main.get());
        dialog.setObjectName("modal");
        dialog.setGeometry(250, 260, 200, 100);
        QStringList seen;
        QRect place;
        QTimer::singleShot(0, [&] {
            place = dialog.frameGeometry();
            presence->ToggleVisibility();
            seen << Showing().join(',');
            QTimer::singleShot(50, [&] {
                seen << QStringLiteral("running");
                presence->ToggleVisibility();
                seen << Showing().join(',');
                seen << (dialog.frameGeometry() == place ? "same place" : "moved");
                dialog.accept();
            });
        });
        const int result = dialog.exec();
        // The hide did not end the dialog: it returned only when accepted, after coming back.
        QCOMPARE(result, int(QDialog::Accepted));
        QCOMPARE(seen, QStringList({"", "running", "main,modal", "same place"}));
    }

    void withoutATrayTheHotKeyMustWorkAndIsNamedOnce() {
        tray = false;
        presence->HideToTray();
        QVERIFY(presence->Hidden());
        QCOMPARE(Notices::Recorded(), QStringList({kKeyBringsBack}));
        presence->ToggleVisibility();
        presence->HideToTray();
        QVERIFY(presence->Hidden());
        QCOMPARE(Notices::Recorded(), QStringList({kKeyBringsBack}));
        presence->ToggleVisibility();

        host.hotKeyWorks = false;
        presence->HideToTray();
        presence->ToggleVisibility();  // the main window shows: toggling hides, or tries to
        QVERIFY(!presence->Hidden());
        QCOMPARE(Showing(), QStringList({"main"}));
        QCOMPARE(Notices::Recorded(), QStringList({kKeyBringsBack, kNoWayBack, kNoWayBack}));
    }

    void aTrayThatGoesAwayWhileHiddenNeverStrandsTheProgram() {
        host.hotKeyWorks = false;
        presence->HideToTray();
        QVERIFY(presence->Hidden());
        presence->TrayChanged();  // still there
        QVERIFY(presence->Hidden());
        tray = false;
        presence->TrayChanged();
        QVERIFY(!presence->Hidden());
        QCOMPARE(Showing(), QStringList({"main"}));
        QCOMPARE(Notices::Recorded(), QStringList({kNoWayBack}));

        // With the hot-key the program stays hidden and says how to bring it back, once.
        Notices::Recorded().clear();
        tray = true;
        host.hotKeyWorks = true;
        presence->HideToTray();
        tray = false;
        presence->TrayChanged();
        presence->TrayChanged();
        QVERIFY(presence->Hidden());
        QCOMPARE(Notices::Recorded(), QStringList({kKeyBringsBack}));
    }

    // `huebird --toggle` brings the program back itself: what it hides needs neither tray nor
    // hot-key, and stays hidden when the tray goes. Where no global key reaches the program,
    // a hide that nothing could undo names the command to bind.
    void theCommandHidesWithoutTrayOrHotKeyAndTheNoticeNamesIt() {
        tray = false;
        host.hotKeyWorks = false;
        host.keysReach = false;
        presence->HideToTray();
        QVERIFY(!presence->Hidden());
        QCOMPARE(Notices::Recorded(), QStringList({kBindTheCommand}));

        presence->ToggleFromCommand();
        QVERIFY(presence->Hidden());
        QCOMPARE(Showing(), QStringList());
        presence->TrayChanged();
        QVERIFY(presence->Hidden());
        QCOMPARE(Notices::Recorded(), QStringList({kBindTheCommand}));  // nothing more said
        presence->ToggleFromCommand();
        QVERIFY(!presence->Hidden());
        QCOMPARE(Showing(), QStringList({"main"}));

        // Hidden by the tray's press, a tray that goes still brings it back.
        tray = true;
        presence->ToggleVisibility();
        QVERIFY(presence->Hidden());
        tray = false;
        presence->TrayChanged();
        QVERIFY(!presence->Hidden());
        QCOMPARE(Notices::Recorded(), QStringList({kBindTheCommand, kBindTheCommand}));
    }

    void aHiddenProgramLooksForItsTrayByItself() {
        host.hotKeyWorks = false;
        presence->HideToTray();
        tray = false;
        QTRY_VERIFY_WITH_TIMEOUT(!presence->Hidden(), Presence::kTrayCheckMs * 3);
        QCOMPARE(Showing(), QStringList({"main"}));
    }

    void theTrayIconsPressesToggleOnceAndOpenTheMenuOnlyBeyondTheWindow() {
        QMenu menu;
        menu.setObjectName("PopupMenu1");
        menu.addAction("关闭");
        host.menu = &menu;
        TrayIcon icon(host, *presence);
        qint64 now = 10000;
        icon.SetClock([&] { return now; });
        QTRY_VERIFY(icon.Icon());
        QCOMPARE(icon.Icon()->toolTip(), QStringLiteral("Huebird"));
        QVERIFY(!icon.Icon()->icon().isNull());
        QVERIFY(icon.Icon()->isVisible());

        icon.Activated(QSystemTrayIcon::Trigger);
        QVERIFY(presence->Hidden());
        now += 1000;
        icon.Activated(QSystemTrayIcon::Trigger);
        QVERIFY(!presence->Hidden());

        // A double click: the press toggles, the double click does not.
        now += 1000;
        icon.Activated(QSystemTrayIcon::Trigger);
        now += 150;
        icon.Activated(QSystemTrayIcon::DoubleClick);
        QVERIFY(presence->Hidden());
        now += 1000;
        icon.Activated(QSystemTrayIcon::MiddleClick);
        icon.Activated(QSystemTrayIcon::Unknown);
        QVERIFY(presence->Hidden());
        icon.Activated(QSystemTrayIcon::Trigger);
        QVERIFY(!presence->Hidden());

        // The main window is 120 x 80 at (100, 100): the menu opens only beyond (220, 180).
        const struct {
            QPoint pointer;
            bool opens;
        } cases[] = {{{221, 181}, true},
                     {{220, 181}, false},
                     {{221, 180}, false},
                     {{150, 400}, false},
                     {{400, 150}, false}};
        for (const auto& c : cases) {
            QCursor::setPos(c.pointer);
            QCOMPARE(QCursor::pos(), c.pointer);
            icon.Activated(QSystemTrayIcon::Context);
            QVERIFY2(
                menu.isVisible() == c.opens,
                qPrintable(QStringLiteral("pointer %1,%2").arg(c.pointer.x()).arg(c.pointer.y())));
            if (c.opens) QCOMPARE(menu.pos(), c.pointer);
            menu.hide();
        }
        QVERIFY(!presence->Hidden());

        icon.Remove();
        QVERIFY(!icon.Shown());
        QVERIFY(!icon.Icon());
    }

    // While a modal dialog runs a right press on the icon opens no menu (its items would open
    // a second dialog over the first, or change what the first works on): it brings the
    // dialog to the front with the keyboard. A left press still hides the program with it.
    void aRightPressBringsTheRunningDialogForwardInsteadOfTheMenu() {
        QMenu menu;
        menu.addAction("关闭");
        host.menu = &menu;
        TrayIcon icon(host, *presence);
        qint64 now = 10000;
        icon.SetClock([&] { return now; });
        const QPoint beyond(300, 300);  // beyond the main window: the menu would open here
        QCursor::setPos(beyond);

        QDialog dialog(main.get());
        dialog.setObjectName("modal");
        dialog.setGeometry(250, 260, 200, 100);
        QStringList seen;
        QTimer::singleShot(0, [&] {
            struct Done {  // the dialog ends however the checks here go
                QDialog& dialog;
                ~Done() { dialog.reject(); }
            } done{dialog};
            // Another window of the program has the keyboard (one the dialog owns: the
            // dialog does not block it).
            QWidget other(&dialog, Qt::Tool);
            other.setGeometry(500, 100, 50, 50);
            other.show();
            other.activateWindow();
            QTRY_COMPARE(QApplication::activeWindow(), &other);
            icon.Activated(QSystemTrayIcon::Context);
            seen << (menu.isVisible() ? "menu" : "no menu");
            menu.hide();
            QTRY_COMPARE(QApplication::activeWindow(), &dialog);
            seen << QApplication::activeWindow()->objectName();
            now += 1000;
            icon.Activated(QSystemTrayIcon::Trigger);
            seen << Showing().join(',');
            now += 1000;
            icon.Activated(QSystemTrayIcon::Trigger);
            seen << Showing().join(',');
        });
        dialog.exec();
        QCOMPARE(seen, QStringList({"no menu", "modal", "", "main,modal"}));

        // Without a dialog the menu opens again.
        now += 1000;
        icon.Activated(QSystemTrayIcon::Context);
        QVERIFY(menu.isVisible());
        menu.hide();
    }

    void theIconJoinsTheTrayAfterTheMainWindowsFirstPaint() {
        main->hide();
        TrayIcon icon(host, *presence);
        QTest::qWait(50);
        QVERIFY(!icon.Icon());
        main->show();
        QTRY_VERIFY(icon.Icon() && icon.Icon()->isVisible());

        // Removed before it joined: it never does.
        main->hide();
        TrayIcon removedEarly(host, *presence);
        removedEarly.Remove();
        main->show();
        QTest::qWait(50);
        QVERIFY(!removedEarly.Icon());
    }

    void theIconHasItsFourStrokesCrispAtSixteenPixels() {
        const QImage icon16 = AppIconImage(16);
        QCOMPARE(icon16.size(), QSize(16, 16));
        QCOMPARE(RowColours(icon16), QList<QRgb>({0xFFC400, 0x1E6FE8, 0x20A848, 0xE8302A}));
        // Crisp: each row of a stroke is either fully painted or empty at its middle column,
        // and the ground is transparent.
        for (int y = 0; y < 16; ++y) {
            const int alpha = qAlpha(icon16.pixel(8, y));
            QVERIFY2(alpha == 0 || alpha == 255, qPrintable(QString::number(y)));
        }
        QCOMPARE(qAlpha(icon16.pixel(0, 0)), 0);
        QCOMPARE(qAlpha(icon16.pixel(15, 15)), 0);
        for (const int size : kAppIconSizes) {
            QCOMPARE(RowColours(AppIconImage(size)), RowColours(icon16));
        }
        // The icon the tray shows is that drawing, at whatever size the tray asks for.
        const QIcon app = AppIcon();
        QCOMPARE(app.pixmap(22).toImage().convertToFormat(QImage::Format_ARGB32),
                 AppIconImage(22).convertToFormat(QImage::Format_ARGB32));
        QCOMPARE(app.actualSize(QSize(40, 40)), QSize(40, 40));
    }

    void theSvgHasTheSameStrokes() {
        QFile svg(QStringLiteral(HUEBIRD_SOURCE_DIR "/resources/huebird.svg"));
        QVERIFY(svg.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(svg.readAll());
        static const QRegularExpression path(
            QStringLiteral(R"re(<path\s+fill="([^"]*)"\s+d="([^"]*)"\s*/>)re"));
        QStringList inSvg, inCode;
        for (auto it = path.globalMatch(text); it.hasNext();) {
            const auto m = it.next();
            inSvg << m.captured(1) + QStringLiteral(" ") + m.captured(2);
        }
        for (const IconStroke& s : AppIconStrokes()) {
            inCode << QString::fromLatin1(s.fill) + QStringLiteral(" ") +
                          QString::fromLatin1(s.path);
        }
        QCOMPARE(inSvg, inCode);
        QVERIFY(text.contains(QStringLiteral("viewBox=\"0 0 16 16\"")));
    }

    // Hiding in the middle of a pick ends it as Escape does: the release comes over no chosen
    // pixel, so nothing is recorded and the swatch shows its stored colour again. Whichever way
    // the program is hidden, it comes back with no pick that follows the pointer.
    void hidingEndsAPickWithoutRecordingIt_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("the minimise button") << 0;
        QTest::newRow("最小") << 1;
        QTest::newRow("the hot-key") << 2;
        QTest::newRow("a left press on the tray icon") << 3;
    }
    void hidingEndsAPickWithoutRecordingIt() {
        QFETCH(int, how);
        presence.reset();
        main.reset();
        testing::AppFolder app;
        app.WriteSettings("[System]\r\nLeft=100\r\nTop=200\r\nColor2=0510C8\r\nAutoFlex=0\r\n");
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen.Fill(0x4A7F2C);
        platform.screen.cursor = {600, 400};
        MainForm form(app.path(), platform);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const ColorValue stored = form.Colors().StoredColor(1);
        const int slot = form.Colors().HistoryIndex(1);
        auto* swatch = form.findChild<Swatch*>(QStringLiteral("Color2Img"));
        QTest::mousePress(swatch, Qt::LeftButton, {}, QPoint(5, 5));
        form.Timer1Timer();
        QVERIFY(form.Timer1()->isActive() && form.Magnifier());
        QCOMPARE(form.Colors().WorkColor, PickSession::FromRgb(0x4A7F2C));

        switch (how) {
            case 0:
                QTest::mouseClick(form.findChild<QWidget*>(QStringLiteral("MIniImg")),
                                  Qt::LeftButton, {}, QPoint(2, 2));
                break;
            case 1:
                form.findChild<QAction*>(QStringLiteral("N3"))->trigger();
                break;
            case 2:
                QCoreApplication::postEvent(
                    &form, new QEvent(static_cast<QEvent::Type>(kToggleWindowEvent)));
                QCoreApplication::sendPostedEvents(&form);
                break;
            case 3:
                form.findChild<TrayIcon*>()->Activated(QSystemTrayIcon::Trigger);
                break;
        }
        QVERIFY(!form.isVisible());
        QVERIFY(!form.Timer1()->isActive());
        QVERIFY(!form.Magnifier());
        QCOMPARE(form.Colors().WorkColor, stored);

        // The release reaches no window; the program comes back with no pick running.
        form.ToggleVisibility();
        QVERIFY(form.isVisible());
        QVERIFY(!form.Timer1()->isActive());
        QVERIFY(!form.Magnifier());
        QCOMPARE(Showing(), QStringList({"MainForm"}));
        QCOMPARE(form.Colors().StoredColor(1), stored);
        QCOMPARE(form.Colors().HistoryIndex(1), slot);
    }

    // A capture takes a moment (a portal's up to a second), in which the hot-key, the command
    // or the tray may hide the program: the pick it was for does not start afterwards over a
    // hidden program, and nothing of it stays.
    void hidingWhileTheScreenIsCapturedLeavesThePickUnstarted() {
        presence.reset();
        main.reset();
        testing::AppFolder app;
        app.WriteSettings("[System]\r\nLeft=100\r\nTop=200\r\nAutoFlex=0\r\n");
        app.WriteSkin("DEFAULT");
        FakePlatform platform;
        platform.screen.Fill(0x4A7F2C);
        platform.screen.captured = true;
        MainForm form(app.path(), platform);
        platform.screen.whileCapturing = [&form] {
            QCoreApplication::postEvent(&form,
                                        new QEvent(static_cast<QEvent::Type>(kToggleWindowEvent)));
            QCoreApplication::sendPostedEvents(&form);
        };
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        const ColorValue stored = form.Colors().StoredColor(1);
        auto* swatch = form.findChild<Swatch*>(QStringLiteral("Color2Img"));
        QTest::mousePress(swatch, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(platform.screen.picksBegun, 1);
        QVERIFY(!form.isVisible());
        QVERIFY(!form.Timer1()->isActive());
        QVERIFY(!form.Magnifier());
        QCOMPARE(Showing(), QStringList());
        QTest::mouseRelease(swatch, Qt::LeftButton, {}, QPoint(5, 5));
        QCOMPARE(form.Colors().WorkColor, stored);

        platform.screen.whileCapturing = nullptr;
        form.ToggleVisibility();
        QVERIFY(form.isVisible());
        QVERIFY(!form.Magnifier());
        QCOMPARE(Showing(), QStringList({"MainForm"}));
        QCOMPARE(form.Colors().StoredColor(1), stored);
    }

    // A window manager may iconify a dialog from its minimise box, and the main window with it.
    // The program then does not show: a toggle brings every window back, iconified ones
    // included, instead of hiding; the next toggle hides as usual.
    void aToggleBringsBackIconifiedWindows_data() {
        QTest::addColumn<bool>("mainIconified");
        QTest::addColumn<bool>("dialogIconified");
        QTest::addColumn<bool>("hiddenBetween");  // hidden and shown again while iconified
        QTest::newRow("the dialog") << false << true << false;
        QTest::newRow("the main window") << true << false << false;
        QTest::newRow("both") << true << true << false;
        QTest::newRow("both, hidden to the tray first") << true << true << true;
    }
    void aToggleBringsBackIconifiedWindows() {
        QFETCH(bool, mainIconified);
        QFETCH(bool, dialogIconified);
        QFETCH(bool, hiddenBetween);
        auto dialog = Window("dialog", {200, 300}, Qt::Dialog);
        dialog->show();
        if (mainIconified) main->showMinimized();
        if (dialogIconified) dialog->showMinimized();
        QVERIFY(main->isMinimized() == mainIconified);
        if (hiddenBetween) {
            presence->HideToTray();
            QCOMPARE(Showing(), QStringList());
        }

        presence->ToggleVisibility();
        QVERIFY(!presence->Hidden());
        QCOMPARE(Showing(), QStringList({"dialog", "main"}));
        QVERIFY(!main->isMinimized());
        QVERIFY(!dialog->isMinimized());

        presence->ToggleVisibility();
        QVERIFY(presence->Hidden());
        presence->ToggleVisibility();
        QCOMPARE(Showing(), QStringList({"dialog", "main"}));
        QVERIFY(!main->isMinimized() && !dialog->isMinimized());
    }

    // An iconified modal dialog comes back still running, with the keyboard.
    void anIconifiedModalDialogComesBackActive() {
        QDialog dialog(main.get());
        dialog.setObjectName("modal");
        dialog.setGeometry(250, 260, 200, 100);
        QStringList seen;
        QTimer::singleShot(0, [&] {
            dialog.showMinimized();
            main->showMinimized();
            presence->ToggleVisibility();
            seen << Showing().join(',');
            seen << (dialog.isMinimized() || main->isMinimized() ? "iconified" : "normal");
            QTimer::singleShot(0, [&] {
                seen << (QApplication::activeWindow() == &dialog ? "dialog active" : "not active");
                dialog.accept();
            });
        });
        QCOMPARE(dialog.exec(), int(QDialog::Accepted));
        QVERIFY(!presence->Hidden());
        QCOMPARE(seen, QStringList({"main,modal", "normal", "dialog active"}));
    }
};

QTEST_MAIN(TrayTest)

#include "TrayTest.moc"
