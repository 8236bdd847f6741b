// Automatic size: Timer2 rolls the window up to the skin's small corner while the pointer is
// away and unrolls it when the pointer comes back; the "自动伸缩" item turns it on and off.
// Windows that stay open for a while pause it; pauses nest, and the state from before the
// first pause comes back when the last one ends.
#pragma once

#include <QObject>

#include "core/AutoSize.h"
#include "ui/common/DialogContext.h"

class QAction;
class QTimer;

namespace huebird {

// What automatic size needs of the main window.
class AutoSizeHost {
  public:
    virtual ~AutoSizeHost() = default;
    virtual Rect WindowRect() const = 0;
    virtual Point PointerPos() const = 0;
    virtual Size BackgroundSize() const = 0;  // the skin background's size
    virtual Size FlexSize() const = 0;        // the skin's rolled-up size
    virtual bool Picking() const = 0;         // a pick holds the window at its size
    // Resizes through the window's one move/resize function (which snaps).
    virtual void ResizeWindow(int width, int height) = 0;
};

class AutoSizer : public QObject {
    Q_OBJECT
  public:
    // `item` is the checkable menu item; its tick always says what automatic size does
    // (or will do again once the pauses end).
    AutoSizer(AutoSizeHost& host, QAction* item, QObject* parent);

    QTimer* Timer2() const { return timer2_; }
    bool Paused() const { return pauses_ > 0; }

    // Sets the state read from the settings file.
    void SetEnabled(bool on);
    void Timer2Timer();
    // The menu item was toggled (its tick has already changed).
    void N16Click();
    void Pause();
    void Resume();
    // Pauses now; the pause ends (Resume) when the returned object does.
    AutoSizePause Hold();

  private:
    void ApplySteps(const std::vector<Size>& steps);

    AutoSizeHost& host_;
    QAction* item_;
    QTimer* timer2_;
    int pauses_ = 0;
    bool savedFlexState_ = false;  // Timer2's state before the first pause
};

}  // namespace huebird
