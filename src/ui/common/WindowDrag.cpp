#include "ui/common/WindowDrag.h"

#include <QWindow>

#include <QEvent>
#include <QMouseEvent>
#include <QWidget>
#include <utility>

#include "core/Drag.h"

namespace huebird {

namespace {

Point ToPoint(QPoint p) { return {p.x(), p.y()}; }

}  // namespace

WindowDrag::WindowDrag(QWidget* window, Place place)
    : QObject(window), window_(window), place_(std::move(place)) {
    if (!place_) place_ = [this](QPoint topLeft) { window_->move(topLeft); };
}

void WindowDrag::AddHandle(QWidget* handle) { handle->installEventFilter(this); }

bool WindowDrag::Press(Qt::MouseButton button, QPoint global) {
    if (button != Qt::LeftButton) return false;
    if (compositorMoves_ && window_->windowHandle() && window_->windowHandle()->startSystemMove()) {
        return true;  // the compositor has the pointer until the release
    }
    // The frame position, as move() takes it: a framed window keeps its frame under the
    // pointer where it was taken.
    origin_ = GrabOffset(ToPoint(global), ToPoint(window_->pos()));
    dragging_ = true;
    return true;
}

bool WindowDrag::Move(Qt::MouseButtons held, QPoint global) {
    if (!dragging_) return false;
    if (!(held & Qt::LeftButton)) {
        dragging_ = false;
        return false;
    }
    const Point to = DragPosition(ToPoint(global), origin_);
    place_(QPoint(to.x, to.y));
    return true;
}

bool WindowDrag::Release(Qt::MouseButton button) {
    if (button != Qt::LeftButton || !dragging_) return false;
    dragging_ = false;
    return true;
}

bool WindowDrag::eventFilter(QObject* watched, QEvent* event) {
    switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            return Press(mouse->button(), mouse->globalPosition().toPoint());
        }
        case QEvent::MouseMove: {
            const auto* mouse = static_cast<QMouseEvent*>(event);
            return Move(mouse->buttons(), mouse->globalPosition().toPoint());
        }
        case QEvent::MouseButtonRelease:
            return Release(static_cast<QMouseEvent*>(event)->button());
        default:
            return QObject::eventFilter(watched, event);
    }
}

}  // namespace huebird
