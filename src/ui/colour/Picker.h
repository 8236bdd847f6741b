// A pick from the screen: from a left press on a swatch to its release. While it lasts,
// Timer1 samples the pixel under the pointer ten times a second into WorkColor and the
// magnifier follows. Anything that takes the pointer from the swatch (a window that opens
// over the program, a lost grab) ends the pick the way a release would. While it lasts, the
// arrow keys steer the pointer pixel by pixel and Escape cancels it; hiding the program
// cancels it too (the main window wires that), as the release comes over no chosen pixel.
#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <memory>

class QTimer;
class QWidget;

namespace huebird {

class ColorModel;
class FrozenScreen;
class PickSession;
class ScreenSampler;
class ZoomForm;

class Picker : public QObject {
    Q_OBJECT
  public:
    // `window` is the main window: a modal window that blocks it ends the pick.
    Picker(ColorModel& colors, ScreenSampler& screen, QWidget* window);
    ~Picker() override;

    bool Picking() const;
    // Opens the magnifier and starts sampling; a pick already running goes on as it is. A
    // screen that cannot be read starts nothing and says why in a notice (no colour changes).
    void Start();
    // A pick with no button held (asked for from outside, `huebird --pick`): the same pick,
    // and the pointer and the keyboard are ours until a left click takes the colour under the
    // pointer (at its release) or Escape or another button cancels it.
    void StartUnheld();
    // Ends a pick in progress as a release does: the last sampled colour becomes one
    // history entry. Returns whether a pick was running.
    bool Finish();
    // Ends a pick without recording it (the program is closing).
    void Abort();
    // Ends a pick without recording it and shows the swatch's stored colour again (Escape,
    // and the program hiding).
    void Cancel();
    // Moves the pointer of a pick in progress by (dx, dy) and samples at once.
    void Nudge(int dx, int dy);

    void Timer1Timer();
    void SampleScreen();

    // The side of the block a pick takes the mean of (1, 3 or 5; 1 is the pointer's pixel),
    // from the next sample on.
    void SetArea(int side);
    int Area() const { return side_; }

    QTimer* Timer1() const { return timer1_; }
    ZoomForm* Magnifier() const;

    // Where a screen that cannot be read is said (an error box unless set).
    void SetProblemShown(std::function<void(const QString&)> show) {
        showProblem_ = std::move(show);
    }

  signals:
    // A pick that was running ended: taken (released, the colour recorded) or not (cancelled).
    void ended(bool taken);
    // A pick asked for could not start; the reason has been shown.
    void failed();

  protected:
    bool eventFilter(QObject* watched, QEvent* e) override;

  private:
    void Close();
    // The window that holds the pointer and the keyboard in a pick with no button held: the
    // picture where there is one, else the magnifier.
    QWidget* Holder() const;

    ColorModel& colors_;
    ScreenSampler& screen_;
    std::unique_ptr<PickSession> pick_;  // while a pick runs
    QWidget* window_;
    QTimer* timer1_;
    QPointer<ZoomForm> zoomForm_;
    // Where the desktop shows other programs' pixels only in a capture: the picture, over
    // every monitor, that the pick runs over.
    FrozenScreen* frozen_ = nullptr;
    std::function<void(const QString&)> showProblem_;
    int side_ = 1;
    bool unheld_ = false;    // the pick holds the pointer and the keyboard itself
    bool starting_ = false;  // the desktop is being read for a pick's start
    bool stopped_ = false;   // ended (hidden, closed) while it was being read
};

}  // namespace huebird
