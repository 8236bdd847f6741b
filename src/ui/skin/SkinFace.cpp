#include "ui/skin/SkinFace.h"

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <algorithm>

#include "ui/skin/SkinAccessible.h"
#include "ui/skin/Swatch.h"
#include "ui/skin/SkinButton.h"
#include "ui/common/QtColour.h"

namespace huebird {

SkinBackground::SkinBackground(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("SkinImg"));
}

void SkinBackground::SetPicture(const QImage* picture) {
    picture_ = picture;
    update();
}

void SkinBackground::paintEvent(QPaintEvent*) {
    if (!picture_) return;
    QPainter p(this);
    p.drawImage(0, 0, *picture_);
}

void SkinBackground::mousePressEvent(QMouseEvent* e) {
    emit pressed(e->button(), e->globalPosition().toPoint());
}

void SkinBackground::mouseMoveEvent(QMouseEvent* e) {
    emit moved(e->buttons(), e->globalPosition().toPoint());
}

void SkinBackground::mouseReleaseEvent(QMouseEvent* e) {
    emit released(e->button(), rect().contains(e->position().toPoint()));
}

void SkinBackground::mouseDoubleClickEvent(QMouseEvent* e) {
    if (e->button() == Qt::LeftButton) emit doubleClicked();
}

SkinFace::SkinFace(QWidget* window) : window_(window) {
    InstallSkinAccessibility();
    ReadAsWindow(window);
    background_ = new SkinBackground(window);
    background_->resize(0, 0);

    static const char* kButtonNames[kButtonCount] = {
        "MenuImg",     "MIniImg",    "CloseImg",   "SubRedImg", "AddRedImg", "SubGreenImg",
        "AddGreenImg", "SubBlueImg", "AddBlueImg", "SubRgbImg", "AddRgbImg"};
    static const QPoint kButtonDefaults[3] = {{4, 3}, {56, 3}, {68, 3}};
    for (int i = 0; i < kButtonCount; ++i) {
        auto* b = new SkinButton(QString::fromLatin1(kButtonNames[i]),
                                 QString::fromLatin1(kButtonSections[i]), window);
        if (i < 3) b->move(kButtonDefaults[i]);
        b->setAccessibleName(ButtonAccessibleName(i));
        buttons_[i] = b;
    }

    QFont labelFont(QStringLiteral("MS Sans Serif"));
    labelFont.setPixelSize(11);
    for (int i = 0; i < kLabelCount; ++i) {
        auto* label = new QLabel(i < 3 ? QStringLiteral("125") : QStringLiteral("7D"), window);
        label->setObjectName(QString::fromLatin1(kLabelNames[i]));
        label->setFont(labelFont);
        label->adjustSize();
        label->setAccessibleName(ReadoutAccessibleName(i, label->text()));
        labels_[i] = label;
    }

    static const QPoint kSwatchDefaults[4] = {{17, 16}, {37, 16}, {17, 36}, {37, 36}};
    for (int s = 0; s < 4; ++s) {
        auto* swatch = new Swatch(QStringLiteral("Color%1Img").arg(s + 1), s, window);
        swatch->move(kSwatchDefaults[s]);
        swatches_[s] = swatch;
    }
}

void SkinFace::Wear(const LoadedSkin& skin, ColorValue& workColor) {
    // The buttons let go of the old strips before those are replaced.
    ReleaseButtonStrips();
    skin_ = skin;
    background_->SetPicture(&skin_.background);
    background_->setGeometry(0, 0, skin_.background.width(), skin_.background.height());
    window_->setMask(skin_.outline);

    for (int i = 0; i < kButtonCount; ++i) {
        const SkinButtonPlace& place = skin_.controls.buttons[i];
        buttons_[i]->move(place.left, place.top);
        buttons_[i]->SetStrip(&skin_.strips[i]);
        buttons_[i]->DrawButtonState(0);
    }
    for (int s = 0; s < 4; ++s) {
        const SwatchPlace& place = skin_.controls.swatches[s];
        swatches_[s]->move(place.left, place.top);
        swatches_[s]->SetPictureSize(place.width, place.height);
    }
    for (int i = 0; i < kLabelCount; ++i) {
        QLabel* label = labels_[i];
        const LabelPlace& place = skin_.fonts.labels[i];
        if (ParseHexColor(place.colorText, workColor)) {
            QPalette pal = label->palette();
            pal.setColor(QPalette::WindowText, ToQColor(workColor));
            label->setPalette(pal);
        }
        label->move(place.left, place.top);
    }
    ApplyLabelWeight(skin_.fonts.bold);
    window_->update();
}

ColorValue SkinFace::LabelColor(int i) const {
    if (i < 0 || i >= kLabelCount) return 0;
    return FromQColor(labels_[i]->palette().color(QPalette::WindowText));
}

void SkinFace::SetLabelColor(int i, ColorValue c) {
    if (i < 0 || i >= kLabelCount) return;
    QPalette pal = labels_[i]->palette();
    pal.setColor(QPalette::WindowText, ToQColor(c));
    labels_[i]->setPalette(pal);
}

void SkinFace::ApplyLabelWeight(bool bold) {
    for (QLabel* label : labels_) {
        QFont f = label->font();
        f.setBold(bold);
        f.setItalic(false);
        f.setUnderline(false);
        f.setStrikeOut(false);
        label->setFont(f);
        label->adjustSize();
    }
}

void SkinFace::ReleaseButtonStrips() {
    for (SkinButton* b : buttons_) b->SetStrip(nullptr);
}

int SkinFace::ButtonIndex(const SkinButton* button) const {
    const auto it = std::find(buttons_.begin(), buttons_.end(), button);
    return it == buttons_.end() ? -1 : static_cast<int>(it - buttons_.begin());
}

int SkinFace::SwatchIndex(const Swatch* swatch) const {
    const auto it = std::find(swatches_.begin(), swatches_.end(), swatch);
    return it == swatches_.end() ? -1 : static_cast<int>(it - swatches_.begin());
}

}  // namespace huebird
