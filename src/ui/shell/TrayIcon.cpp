#include "ui/shell/TrayIcon.h"

#include <QApplication>
#include <QCursor>
#include <QElapsedTimer>
#include <QEvent>
#include <QMenu>
#include <QStyleHints>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "ui/shell/AppIcon.h"
#include "ui/shell/DialogGate.h"
#include "ui/shell/TrayHost.h"
#include "ui/common/Notices.h"
#include "ui/shell/Presence.h"

namespace huebird {

namespace {

TrayPress PressOf(QSystemTrayIcon::ActivationReason reason) {
    switch (reason) {
        case QSystemTrayIcon::Trigger:
            return TrayPress::Left;
        case QSystemTrayIcon::Context:
            return TrayPress::Right;
        case QSystemTrayIcon::DoubleClick:
            return TrayPress::Double;
        default:
            return TrayPress::Other;
    }
}

}  // namespace

TrayIcon::TrayIcon(TrayHost& host, Presence& presence, QObject* parent)
    : QObject(parent),
      host_(host),
      presence_(presence),
      clicks_(QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
    QElapsedTimer started;
    started.start();
    clock_ = [started] { return started.elapsed(); };
    QApplication::instance()->installEventFilter(this);
    // Making the toolkit's tray icon looks for a StatusNotifierItem host on the session bus,
    // and adding it to an XEmbed tray takes a few round trips to the X server and work in the
    // tray: together some milliseconds. Both wait until the main window has painted, so the
    // window is not kept waiting at start-up; there is nothing to hide before then.
    if (presence_.MainWindow().isVisible()) {
        QTimer::singleShot(0, this, &TrayIcon::Add);
    } else {
        waitingForPaint_ = true;
    }
}

void TrayIcon::Add() {
    if (icon_ || removed_) return;
    icon_ = new QSystemTrayIcon(AppIcon(), this);
    icon_->setToolTip(QString::fromUtf8(kAppTitle));
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::Activated);
    icon_->show();
}

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::Remove() {
    removed_ = true;
    if (!icon_) return;
    icon_->hide();
    delete icon_;
    icon_ = nullptr;
}

bool TrayIcon::Shown() const {
    return icon_ && icon_->isVisible() && QSystemTrayIcon::isSystemTrayAvailable();
}

void TrayIcon::Activated(QSystemTrayIcon::ActivationReason reason) {
    switch (clicks_.Press(PressOf(reason), clock_())) {
        case TrayAction::Toggle:
            presence_.ToggleVisibility();
            break;
        case TrayAction::Menu:
            // The menu's items open dialogs and switch the skin: never over a dialog that
            // runs. The press brings that dialog forward instead.
            if (!DialogGate::BringToFront()) OpenMenu();
            break;
        case TrayAction::Nothing:
            break;
    }
}

bool TrayIcon::eventFilter(QObject* watched, QEvent* event) {
    if (waitingForPaint_ && event->type() == QEvent::Paint && watched == &presence_.MainWindow()) {
        waitingForPaint_ = false;
        QTimer::singleShot(0, this, &TrayIcon::Add);
    }
    // In an XEmbed tray the icon is a window of the program, and the toolkit blocks it like
    // every other window while a modal dialog runs: its presses would be lost, and a program
    // hidden with a dialog open could come back by the hot-key alone. A window is never
    // blocked by a modal window it is a transient child of, so the icon's window is made one
    // of the innermost modal window, again whenever that changes: when a dialog opened from
    // another one closes, the icon must follow the outer one (its old parent goes, and the
    // toolkit would then find the icon blocked without telling anyone).
    switch (event->type()) {
        case QEvent::WindowBlocked:
        case QEvent::WindowUnblocked:
            FollowModalWindow();
            break;
        default:
            break;
    }
    return false;
}

void TrayIcon::FollowModalWindow() {
    if (!icon_) return;
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (!w->inherits("QSystemTrayIconSys")) continue;
        QWindow* window = w->windowHandle();
        if (!window) continue;
        QWindow* modal = QGuiApplication::modalWindow();
        if (modal == window) modal = nullptr;
        if (window->transientParent() != modal) window->setTransientParent(modal);
    }
}

void TrayIcon::OpenMenu() {
    const QPoint pointer = QCursor::pos();
    QWidget& main = presence_.MainWindow();
    const QRect r = main.frameGeometry();
    if (!TrayMenuOpens({pointer.x(), pointer.y()},
                       {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()})) {
        return;
    }
    QMenu* menu = host_.PopupMenu1();
    if (!menu) return;
    if (main.isVisible()) main.activateWindow();
    menu->popup(pointer);
}

}  // namespace huebird
