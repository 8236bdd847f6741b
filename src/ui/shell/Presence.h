// Hiding the program as a whole and bringing it back: the minimise button, "最小", a left
// press on the tray icon and the hot-key all come here.
#pragma once

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <functional>
#include <vector>

class QTimer;
class QWidget;

namespace huebird {

class TrayHost;

// Every visible window of the program (the main window, the palette window, an open dialog,
// a modal one included) goes and comes back together, each at the place it had. Windows that
// were hidden before stay hidden. A hide never strands the user: without a tray showing the
// icon it needs the hot-key (PlanHide), and a tray that goes away while the program is hidden
// brings the program back when the hot-key cannot. Showing brings back every window, iconified
// ones included: a program with an iconified window does not show, so a toggle brings it back.
class Presence : public QObject {
    Q_OBJECT
  public:
    // Whether a tray shows the program's icon now.
    using TrayCheck = std::function<bool()>;

    // How often a hidden program looks whether its tray is still there.
    static constexpr int kTrayCheckMs = 1000;

    Presence(QWidget& mainWindow, TrayHost& host, TrayCheck trayShown, QObject* parent = nullptr);

    // Hides the program (the minimise button, "最小", and the hiding half of
    // ToggleVisibility), or leaves it and says why when nothing could bring it back.
    void HideToTray();
    // A left press on the tray icon and the hot-key: hides the program when it shows whole,
    // brings back what was hidden or iconified otherwise (PlanToggle).
    void ToggleVisibility();
    // `huebird --toggle`: the same, and a hide it asks for needs neither tray nor hot-key,
    // since the command brings the program back.
    void ToggleFromCommand();
    bool Hidden() const { return hidden_; }
    QWidget& MainWindow() const { return main_; }

  signals:
    // The program is about to hide: whatever follows the pointer (a pick) ends now, since the
    // button will be released over no window of the program.
    void hiding();

  public slots:
    // The tray may have come or gone: a hidden program that nothing could bring back now
    // shows again, and one that only the hot-key can bring back says so (once).
    void TrayChanged();

  private:
    void Hide();
    void Show();
    void HideAsked(bool byCommand);
    void Toggle(bool byCommand);
    // Why nothing could bring the program back, naming the way that works on this desktop.
    QString CannotHideText() const;
    // Whether a window of the program that shows is iconified.
    bool AnyIconified() const;

    struct KeptWindow {
        QPointer<QWidget> window;
        QPoint pos;
    };

    QWidget& main_;
    TrayHost& host_;
    TrayCheck trayShown_;
    QTimer* trayCheck_;             // runs while hidden
    std::vector<KeptWindow> kept_;  // what was hidden, the main window first
    bool hidden_ = false;
    bool keyTold_ = false;    // the notice naming the hot-key was given in this session
    bool byCommand_ = false;  // hidden by the command, which brings it back
};

}  // namespace huebird
