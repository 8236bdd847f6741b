#include "ui/skin/Swatch.h"

#include <QAccessible>
#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include "core/Adjust.h"
#include "ui/skin/SkinAccessible.h"

namespace huebird {

Swatch::Swatch(const QString& name, int index, QWidget* parent) : QWidget(parent), index_(index) {
    setObjectName(name);
    setToolTip(tr("按住鼠标左键并移动"));
    SetPictureSize(21, 21);
}

void Swatch::SetPictureSize(int width, int height) {
    width = std::max(width, 0);
    height = std::max(height, 0);
    picture_ = QImage(width, height, QImage::Format_RGB32);
    picture_.fill(Qt::white);  // a fresh picture is blank until the colours are painted
    frame_ = qRgb(255, 255, 255);
    fill_ = qRgb(255, 255, 255);
    setFixedSize(width, height);
    update();
    UpdateAccessibleName();
}

void Swatch::Fill(QRgb fill, QRgb frame) {
    if (picture_.isNull()) return;
    picture_.fill(fill);
    fill_ = fill;
    Frame(frame);
    UpdateAccessibleName();
}

void Swatch::Frame(QRgb frame) {
    if (picture_.isNull()) return;
    frame_ = frame;
    QPainter p(&picture_);
    p.setPen(QColor::fromRgb(frame));
    p.setBrush(Qt::NoBrush);
    p.drawRect(0, 0, picture_.width() - 1, picture_.height() - 1);
    p.end();
    update();
}

void Swatch::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.drawImage(0, 0, picture_);
}

void Swatch::ConvertToGrey() {
    for (int x = 0; x < picture_.width(); ++x) {
        for (int y = 0; y < picture_.height(); ++y) {
            const QRgb p = picture_.pixel(x, y);
            const int g = GreyLevel(qRed(p), qGreen(p), qBlue(p));
            picture_.setPixel(x, y, qRgb(g, g, g));
        }
    }
    const int g = GreyLevel(qRed(frame_), qGreen(frame_), qBlue(frame_));
    frame_ = qRgb(g, g, g);
    const int fillGrey = GreyLevel(qRed(fill_), qGreen(fill_), qBlue(fill_));
    fill_ = qRgb(fillGrey, fillGrey, fillGrey);
    update();
    UpdateAccessibleName();
}

void Swatch::SetActive(bool active) {
    if (active == active_) return;
    active_ = active;
    UpdateAccessibleName();
    QAccessible::State changed;
    changed.selected = true;
    QAccessibleStateChangeEvent event(this, changed);
    QAccessible::updateAccessibility(&event);
}

void Swatch::UpdateAccessibleName() {
    const QString name =
        SwatchAccessibleName(index_, MakeColor(qRed(fill_), qGreen(fill_), qBlue(fill_)), active_);
    if (name != accessibleName()) setAccessibleName(name);
}

void Swatch::mousePressEvent(QMouseEvent* e) { emit pressed(this, e->button()); }

void Swatch::mouseReleaseEvent(QMouseEvent* e) {
    emit released(this, e->button(), rect().contains(e->position().toPoint()));
}

void Swatch::contextMenuEvent(QContextMenuEvent* e) {
    emit contextMenuWanted(this, e->globalPos());
}

}  // namespace huebird
