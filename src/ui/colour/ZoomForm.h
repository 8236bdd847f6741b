// The magnifier shown while a colour is picked: the area around the pointer, enlarged three
// times with a crosshair, and the pointer's screen coordinates.
#pragma once

#include <QImage>
#include <QWidget>
#include <array>
#include <cstdint>

#include "core/Magnifier.h"

class QLabel;

namespace huebird {

class ZoomForm : public QWidget {
    Q_OBJECT
  public:
    // Its own window, or, given `rider`, a part of that window (the picture a pick runs over,
    // which no other window could show above).
    explicit ZoomForm(QWidget* rider = nullptr);

    // Shows the 15 x 15 magnified picture (0xRRGGBB) and the pointer's coordinates; where a
    // pick takes the mean of a block larger than one pixel (`side`), a thin dashed line of
    // black and white, seen on light and dark pixels alike, runs round that block just
    // outside it.
    void ShowArea(const std::array<std::uint32_t, kMagnifiedSize * kMagnifiedSize>& magnified,
                  int x, int y, int side = 1);
    const QImage& picture() const { return picture_; }  // 45 x 45, as shown

  private:
    QWidget* image1_ = nullptr;
    QLabel* label1_ = nullptr;  // "X:" pointer x
    QLabel* label2_ = nullptr;  // "Y:" pointer y
    QImage picture_;
};

}  // namespace huebird
