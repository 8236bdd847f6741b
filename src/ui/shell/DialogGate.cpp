#include "ui/shell/DialogGate.h"

#include <QApplication>
#include <QWidget>
#include <QWindow>

namespace huebird {

DialogGate::DialogGate(QWidget& mainWindow, std::function<void()> beforeOpen)
    : main_(mainWindow), beforeOpen_(std::move(beforeOpen)) {}

QWidget* DialogGate::Running() { return QApplication::activeModalWidget(); }

bool DialogGate::BringToFront() {
    QWidget* dialog = Running();
    if (!dialog) return false;
    // Hidden with the program (its window taken off the screen, the dialog still running):
    // it comes back when the program does, not now.
    const QWindow* window = dialog->windowHandle();
    if (dialog->isVisible() && (!window || window->isVisible())) {
        dialog->raise();
        dialog->activateWindow();
    }
    return true;
}

bool DialogGate::Run(const std::function<void()>& dialog) {
    if (Running()) return false;
    if (beforeOpen_) beforeOpen_();
    dialog();
    if (main_.isVisible()) {
        main_.raise();
        main_.activateWindow();
    }
    return true;
}

}  // namespace huebird
