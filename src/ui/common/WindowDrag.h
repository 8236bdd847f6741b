// Moving a window with the pointer, for windows that have no caption bar to be moved by (or
// whose caption bar need not be there: without a window manager nobody else moves them).
#pragma once

#include <QObject>
#include <QPoint>
#include <functional>

#include "core/Snap.h"

class QWidget;

namespace huebird {

// A left-button press records where the pointer holds the window (GrabOffset); while the left
// button stays down, every pointer move puts the window's top-left corner at the pointer less
// that offset (DragPosition), in screen coordinates, wherever the pointer goes; the left
// release ends the drag, and so does a move that finds the button no longer held (a release
// the window never saw). The second press of a double-click is a press like the first.
class WindowDrag : public QObject {
    Q_OBJECT
  public:
    // Puts the window's top-left corner at a screen position.
    using Place = std::function<void(QPoint topLeft)>;

    // Drags `window` (a top-level widget, which also owns the drag). Without `place` the
    // window is moved with QWidget::move.
    explicit WindowDrag(QWidget* window, Place place = {});

    // A left press on `handle`, or on a child of it that leaves presses to it (a label), drags
    // the window. The drag takes the press, its moves and its release; the other buttons'
    // presses and moves without a drag go on to the handle.
    void AddHandle(QWidget* handle);

    // For a widget that handles its own pointer events and does more with them (clicks,
    // double-clicks): its handlers feed the drag. Each returns whether the drag used the
    // event. `global` is the pointer in screen coordinates.
    bool Press(Qt::MouseButton button, QPoint global);
    bool Move(Qt::MouseButtons held, QPoint global);
    bool Release(Qt::MouseButton button);
    bool Dragging() const { return dragging_; }

    // Where the compositor should move the window (a Wayland session), a press asks it to, and
    // the drag is the compositor's, its own snapping included.
    void SetCompositorMoves(bool on) { compositorMoves_ = on; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QWidget* window_;
    Place place_;
    Point origin_;  // where the pointer holds the window
    bool dragging_ = false;
    bool compositorMoves_ = false;
};

}  // namespace huebird
