// A small program with the real tray icon and hiding, for the tray's end-to-end tests and the
// tray bench: a plain window titled "Huebird" in place of the skinned main window.
//
//   huebird_traydemo [--no-hotkey] [--no-tray] [--at X Y]
//
// --no-tray leaves the tray icon and hiding out altogether (the tray bench compares start-up
// with and without them).
//
// In the window (or the palette): "m" hides the program as the minimise button does, "p" opens a
// palette-like tool window, "d" opens a modal dialog (Return accepts it; the program prints "dialog
// <result>" when it returns). The main menu has one item, "关闭", which ends the program.
#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "platform/x11/X11Desktop.h"
#include "ui/shell/TrayHost.h"
#include "ui/shell/Presence.h"
#include "ui/shell/TrayIcon.h"

namespace {

class Face : public QWidget {
  public:
    Face(QColor colour, Qt::WindowFlags flags) : QWidget(nullptr, flags), colour_(colour) {}
    std::function<void(int key)> onKey = [](int) {};

  protected:
    // Some text, as the real window's readout has: fonts load at start-up either way.
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        p.fillRect(rect(), colour_);
        p.setPen(Qt::white);
        p.drawText(QPoint(4, 14), QStringLiteral("255 128 064"));
    }
    void keyPressEvent(QKeyEvent* e) override { onKey(e->key()); }

  private:
    QColor colour_;
};

class Host : public huebird::TrayHost {
  public:
    QMenu* menu = nullptr;
    bool hotKey = true;
    QMenu* PopupMenu1() const override { return menu; }
    QString HotKeyName() const override { return QStringLiteral("Ctrl+W"); }
    bool HotKeyWorks() const override { return hotKey; }
    bool GlobalKeysReachUs() const override { return true; }
};

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    Host host;
    QPoint at(100, 100);
    bool withTray = true;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--no-hotkey") == 0) host.hotKey = false;
        if (std::strcmp(argv[i], "--no-tray") == 0) withTray = false;
        if (std::strcmp(argv[i], "--at") == 0 && i + 2 < argc) {
            at = QPoint(std::atoi(argv[i + 1]), std::atoi(argv[i + 2]));
            i += 2;
        }
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);

    huebird::X11Desktop desktop;
    Face main(QColor(0x30, 0x50, 0x70), Qt::FramelessWindowHint);
    main.setWindowTitle(QStringLiteral("Huebird"));
    main.setGeometry(QRect(at, QSize(120, 80)));
    QMenu menu;
    menu.setWindowTitle(QStringLiteral("PopupMenu1"));
    menu.addAction(QStringLiteral("关闭"), &app, &QCoreApplication::quit);
    host.menu = &menu;

    huebird::TrayIcon* tray = nullptr;
    std::unique_ptr<huebird::Presence> presence;
    if (withTray) {
        presence =
            std::make_unique<huebird::Presence>(main, host, [&] { return tray && tray->Shown(); });
        tray = new huebird::TrayIcon(host, *presence, &app);
    }

    Face palette(QColor(0x70, 0x50, 0x30), Qt::Tool);
    palette.setWindowTitle(QStringLiteral("Huebird palette"));
    palette.setGeometry(300, 100, 100, 60);

    main.onKey = [&](int key) {
        if (key == Qt::Key_M && presence) presence->HideToTray();
        if (key == Qt::Key_P) palette.show();
        if (key == Qt::Key_D) {
            QDialog dialog(&main);
            dialog.setWindowTitle(QStringLiteral("Huebird dialog"));
            dialog.setGeometry(120, 300, 160, 60);
            auto* ok = new QPushButton(QStringLiteral("确定"), &dialog);
            ok->setDefault(true);
            QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
            std::printf("dialog %d\n", dialog.exec());
        }
    };
    // With a window manager the keyboard follows the window last shown.
    palette.onKey = main.onKey;
    desktop.KeepOffTaskbar(&main);
    main.show();
    std::printf("started\n");
    const int rc = QApplication::exec();
    if (tray) tray->Remove();
    return rc;
}
