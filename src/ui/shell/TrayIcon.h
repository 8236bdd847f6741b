// The program's icon in the tray (XEmbed trays and StatusNotifierItem hosts alike, through
// the toolkit's tray icon) and what its presses do.
#pragma once

#include <QObject>
#include <QSystemTrayIcon>
#include <functional>

#include "core/Tray.h"

namespace huebird {

class Presence;
class TrayHost;

class TrayIcon : public QObject {
    Q_OBJECT
  public:
    // Milliseconds from a monotonic clock.
    using Clock = std::function<qint64()>;

    // The icon (the four brush strokes, tip "Huebird"). It joins the tray as soon as the main
    // window has painted for the first time (at the next turn of the event loop when the
    // window shows already). A tray that starts later (a panel restarted) gets it too: the
    // toolkit docks it again when a tray appears.
    TrayIcon(TrayHost& host, Presence& presence, QObject* parent = nullptr);
    ~TrayIcon() override;

    // Takes the icon off the tray for good (the close steps).
    void Remove();
    // A tray shows the icon now.
    bool Shown() const;
    // The toolkit's icon, once it has joined the tray (and until it is removed).
    QSystemTrayIcon* Icon() const { return icon_; }

    // In tests: the clock that times the presses (double clicks).
    void SetClock(Clock clock) { clock_ = std::move(clock); }

  public slots:
    // A press on the icon: a left press toggles the program, a right press opens the main
    // menu at the pointer when the pointer lies beyond the main window's right and bottom
    // edges, and nothing else does anything (a double click toggles once). While a modal
    // dialog runs a right press opens no menu: it brings the dialog to the front.
    void Activated(QSystemTrayIcon::ActivationReason reason);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void Add();
    void OpenMenu();
    // Makes the icon's window (in an XEmbed tray) a transient child of the innermost modal
    // window, or of none, so no modal dialog blocks it.
    void FollowModalWindow();

    TrayHost& host_;
    Presence& presence_;
    QSystemTrayIcon* icon_ = nullptr;
    TrayClicks clicks_;
    Clock clock_;
    bool waitingForPaint_ = false;  // for the main window's first paint
    bool removed_ = false;
};

}  // namespace huebird
