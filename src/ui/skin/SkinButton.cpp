#include "ui/skin/SkinButton.h"

#include <QMouseEvent>
#include <QPainter>

namespace huebird {

SkinButton::SkinButton(const QString& name, const QString& hint, QWidget* parent)
    : QWidget(parent) {
    setObjectName(name);
    setToolTip(hint);
}

void SkinButton::SetStrip(const QImage* strip) {
    strip_ = strip;
    const int half = strip ? strip->width() / 2 : 0;
    const int height = strip ? strip->height() : 0;
    picture_ = QImage(half, height, QImage::Format_RGB32);
    picture_.fill(Qt::black);
    setFixedSize(half, height);
}

void SkinButton::DrawButtonState(int state) {
    if (!strip_ || (state != 0 && state != 1) || picture_.isNull()) return;
    const int half = strip_->width() / 2;
    QPainter p(&picture_);
    p.setCompositionMode(QPainter::CompositionMode_Source);
    p.drawImage(QRect(0, 0, half, strip_->height()), *strip_,
                QRect(state == 0 ? 0 : half, 0, half, strip_->height()));
    p.end();
    update();
}

void SkinButton::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

void SkinButton::Click() {
    emit pressed(this, Qt::LeftButton);
    emit released(this, Qt::LeftButton, true);
}

void SkinButton::mousePressEvent(QMouseEvent* e) { emit pressed(this, e->button()); }

void SkinButton::mouseReleaseEvent(QMouseEvent* e) {
    emit released(this, e->button(), rect().contains(e->position().toPoint()));
}

}  // namespace huebird
