#include "ui/colour/FrozenScreen.h"

#include <QPaintEvent>
#include <QPainter>

#include "ui/common/Notices.h"

namespace huebird {

namespace {

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.width(), r.height()); }

}  // namespace

FrozenScreen::FrozenScreen(const ScreenPicture& picture, const std::vector<Monitor>& monitors)
    // Above every other window, left alone by the window manager, and never given the
    // keyboard: the keys that steer the pick go on reaching the main window.
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint |
                           Qt::X11BypassWindowManagerHint | Qt::WindowDoesNotAcceptFocus |
                           Qt::NoDropShadowWindowHint),
      monitors_(monitors) {
    setObjectName(QStringLiteral("FrozenScreen"));
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setAttribute(Qt::WA_ShowWithoutActivating);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCursor(Qt::CrossCursor);
    const QRect bounds = ToQRect(ToLogical(monitors_, picture.Bounds()));
    origin_ = bounds.topLeft();
    setGeometry(bounds);
    for (const OutputPicture& o : picture.Outputs()) {
        // 0xRRGGBB words are what the toolkit's 32-bit format holds, its top byte unread.
        QImage image(reinterpret_cast<const uchar*>(o.rgb.data()), o.width, o.height, o.width * 4,
                     QImage::Format_RGB32);
        pieces_.push_back({image, ToQRect(ToLogical(monitors_, o.place)).translated(-origin_)});
    }
}

void FrozenScreen::SetMark(std::optional<Point> device) {
    std::optional<QRect> mark;
    if (device) {
        const Point p = ToLogical(monitors_, *device);
        // A hollow square one pixel out from the aimed pixel, which stays visible.
        mark = QRect(p.x - 2, p.y - 2, 5, 5).translated(-origin_);
    }
    if (mark == mark_) return;
    if (mark_) update(mark_->adjusted(-1, -1, 1, 1));
    mark_ = mark;
    if (mark_) update(mark_->adjusted(-1, -1, 1, 1));
}

void FrozenScreen::ShowLive(QWidget* window) {
    live_ = window;
    UpdateLive();
}

void FrozenScreen::UpdateLive() {
    if (live_) update(live_->geometry().translated(-origin_));
}

void FrozenScreen::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::black);  // between monitors
    for (const Piece& piece : pieces_) {
        if (piece.place.intersects(event->rect())) painter.drawImage(piece.place, piece.image);
    }
    if (live_ && live_->isVisible()) {
        const QRect place = live_->geometry().translated(-origin_);
        if (place.intersects(event->rect())) {
            painter.save();
            if (!live_->mask().isEmpty()) {
                painter.setClipRegion(live_->mask().translated(place.topLeft()));
            }
            painter.drawPixmap(place.topLeft(), live_->grab());
            painter.restore();
        }
    }
    if (mark_) {
        painter.setPen(Qt::white);
        painter.drawRect(mark_->adjusted(0, 0, -1, -1));
        painter.setPen(Qt::black);
        painter.drawRect(mark_->adjusted(1, 1, -2, -2));
    }
}

}  // namespace huebird
