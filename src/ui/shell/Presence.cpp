#include "ui/shell/Presence.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include "core/Tray.h"
#include "ui/shell/TrayHost.h"
#include "ui/common/Notices.h"

namespace huebird {

namespace {

// The program's own windows that hiding takes along: its windows and dialogs, not menus,
// tooltips or the window an XEmbed tray holds the icon in.
bool TakenAlong(const QWidget* w) {
    if (!w->isWindow() || !w->isVisible()) return false;
    switch (w->windowType()) {
        case Qt::Window:
        case Qt::Dialog:
        case Qt::Sheet:
        case Qt::Drawer:
        case Qt::Tool:
            return !w->inherits("QSystemTrayIconSys");
        default:
            return false;
    }
}

// Shows or hides a window through its window, not through the widget: hiding a dialog widget
// ends its modal loop (it would return as cancelled), while hiding its window only takes it
// off the screen, and the dialog goes on where it was when the window comes back.
void SetShown(QWidget& w, bool shown) {
    if (QWindow* window = w.windowHandle()) {
        window->setVisible(shown);
    } else {
        w.setVisible(shown);
    }
}

// Takes a window out of the iconified state a window manager put it in (a dialog's minimise
// box iconifies it, and the main window with it), so it comes back as a window, not an icon.
void Deiconify(QWidget& w) {
    if (w.isMinimized()) w.setWindowState(w.windowState() & ~Qt::WindowMinimized);
}

}  // namespace

Presence::Presence(QWidget& mainWindow, TrayHost& host, TrayCheck trayShown, QObject* parent)
    : QObject(parent),
      main_(mainWindow),
      host_(host),
      trayShown_(std::move(trayShown)),
      trayCheck_(new QTimer(this)) {
    trayCheck_->setInterval(kTrayCheckMs);
    connect(trayCheck_, &QTimer::timeout, this, &Presence::TrayChanged);
}

QString Presence::CannotHideText() const {
    if (host_.GlobalKeysReachUs()) return tr("没有找到系统托盘，也没有可用的热键，窗口无法隐藏");
    return tr(
        "没有找到系统托盘，窗口无法隐藏。在桌面的键盘设置中为命令 huebird --toggle "
        "设置一个快捷键，就可以用它隐藏和显示窗口");
}

void Presence::HideToTray() { HideAsked(false); }

void Presence::HideAsked(bool byCommand) {
    if (hidden_) return;
    const HidePlan plan = PlanHide(trayShown_(), host_.HotKeyWorks(), keyTold_, byCommand);
    if (plan == HidePlan::Stay) {
        Notices::Notice(&main_, CannotHideText());
        return;
    }
    Hide();
    byCommand_ = byCommand;
    if (plan == HidePlan::HideAndTellKey) {
        keyTold_ = true;
        Notices::Notice(&main_, tr("窗口已隐藏，按 %1 可以重新显示").arg(host_.HotKeyName()));
    }
}

void Presence::ToggleVisibility() { Toggle(false); }

void Presence::ToggleFromCommand() { Toggle(true); }

void Presence::Toggle(bool byCommand) {
    switch (PlanToggle(hidden_, main_.isVisible(), AnyIconified())) {
        case ToggleAction::Show:
            Show();
            break;
        case ToggleAction::Hide:
            HideAsked(byCommand);
            break;
        case ToggleAction::Nothing:
            break;
    }
}

bool Presence::AnyIconified() const {
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (TakenAlong(w) && w->isMinimized()) return true;
    }
    return false;
}

void Presence::TrayChanged() {
    if (!hidden_) return;
    switch (PlanHide(trayShown_(), host_.HotKeyWorks(), keyTold_, byCommand_)) {
        case HidePlan::Hide:
            break;
        case HidePlan::HideAndTellKey:
            keyTold_ = true;
            Notices::Notice(&main_, tr("窗口已隐藏，按 %1 可以重新显示").arg(host_.HotKeyName()));
            break;
        case HidePlan::Stay:
            Show();
            Notices::Notice(&main_, CannotHideText());
            break;
    }
}

void Presence::Hide() {
    emit hiding();
    // An open menu closes: it is no window to bring back.
    for (int i = 0; i < 8 && QApplication::activePopupWidget(); ++i) {
        QApplication::activePopupWidget()->close();
    }
    kept_.clear();
    if (TakenAlong(&main_)) kept_.push_back({&main_, main_.pos()});
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w != &main_ && TakenAlong(w)) kept_.push_back({w, w->pos()});
    }
    hidden_ = true;
    for (const KeptWindow& k : kept_) SetShown(*k.window, false);
    trayCheck_->start();
}

void Presence::Show() {
    trayCheck_->stop();
    hidden_ = false;
    byCommand_ = false;
    const std::vector<KeptWindow> kept = std::move(kept_);
    kept_.clear();
    for (const KeptWindow& k : kept) {
        if (!k.window) continue;  // closed while hidden
        Deiconify(*k.window);
        SetShown(*k.window, true);
        if (k.window->pos() != k.pos) k.window->move(k.pos);
    }
    // Windows the window manager iconified while the program showed come back too.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (TakenAlong(w)) Deiconify(*w);
    }
    // The window the user can work in gets the keyboard: a modal dialog if one is open.
    QWidget* active = QApplication::activeModalWidget();
    if (!active || !active->isVisible()) active = &main_;
    if (active->isVisible()) {
        active->raise();
        active->activateWindow();
    }
}

}  // namespace huebird
