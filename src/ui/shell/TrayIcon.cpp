#include "ui/shell/TrayIcon.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QMenu>
#include <QStyleHints>
#include <QWidget>

#include "ui/shell/AppIcon.h"
#include "ui/shell/Hosts.h"
#include "ui/shell/Notices.h"
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
      icon_(new QSystemTrayIcon(AppIcon(), this)),
      clicks_(QGuiApplication::styleHints()->mouseDoubleClickInterval()) {
    QElapsedTimer started;
    started.start();
    clock_ = [started] { return started.elapsed(); };
    icon_->setToolTip(QString::fromUtf8(kAppTitle));
    connect(icon_, &QSystemTrayIcon::activated, this, &TrayIcon::Activated);
    icon_->show();
}

TrayIcon::~TrayIcon() { Remove(); }

void TrayIcon::Remove() {
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
            OpenMenu();
            break;
        case TrayAction::Nothing:
            break;
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
