#include "ui/common/FramePlacement.h"

#include <QEvent>
#include <QHash>
#include <QWidget>
#include <QWindow>

namespace huebird {

namespace {

// The frames seen in this run, by kind of window (dialog, tool window, ...): a window manager
// may frame them differently.
QHash<int, QMargins>& SeenFrames() {
    static QHash<int, QMargins> frames;
    return frames;
}

int KindOf(const QWidget* window) { return static_cast<int>(window->windowType()); }

}  // namespace

FramePlacement* FramePlacement::Place(QWidget* window, Rule rule) {
    return new FramePlacement(window, std::move(rule), std::nullopt,
                              KnownFrame(window).value_or(QMargins()));
}

FramePlacement* FramePlacement::PlaceOuter(QWidget* window, QSize outer, QMargins layoutFrame,
                                           Rule rule) {
    return new FramePlacement(window, std::move(rule), outer,
                              KnownFrame(window).value_or(layoutFrame));
}

std::optional<QMargins> FramePlacement::KnownFrame(const QWidget* window) {
    const auto found = SeenFrames().constFind(KindOf(window));
    if (found == SeenFrames().constEnd()) return std::nullopt;
    return *found;
}

FramePlacement::FramePlacement(QWidget* window, Rule rule, std::optional<QSize> outer,
                               QMargins guess)
    : QObject(window), window_(window), rule_(std::move(rule)), outer_(outer) {
    if (outer_) window_->resize(outer_->shrunkBy(guess));
    placedAt_ = rule_(window_->size().grownBy(guess));
    // A top-level window's position is its frame's.
    window_->move(placedAt_);
    window_->installEventFilter(this);
}

bool FramePlacement::eventFilter(QObject* watched, QEvent* event) {
    if (watched == window_) {
        switch (event->type()) {
            case QEvent::Show:
            case QEvent::Move:
            case QEvent::Resize:
                Fit();
                break;
            default:
                break;
        }
    }
    return QObject::eventFilter(watched, event);
}

// Once the window manager's frame is known: the place (and for a fixed outer size, the client
// size) by the real frame, once per window, so a place the user chooses later stays.
void FramePlacement::Fit() {
    if (fitted_ || !window_->isVisible() || !window_->windowHandle()) return;
    const QMargins frame = window_->windowHandle()->frameMargins();
    if (frame.isNull()) return;
    fitted_ = true;
    SeenFrames().insert(KindOf(window_), frame);
    bool resized = false;
    if (outer_) {
        const QSize client = outer_->shrunkBy(frame);
        if (window_->size() != client) {
            window_->resize(client);
            resized = true;
        }
    }
    const QPoint at = rule_(window_->size().grownBy(frame));
    // While the window manager frames the window the toolkit may still hold a position from
    // before the framing, and a resize would send the window there.
    if (resized || at != placedAt_) {
        placedAt_ = at;
        window_->move(at);
    }
}

}  // namespace huebird
