// The window's skinned controls: the background picture under everything, the eleven
// buttons, the six readout labels and the four swatches. They are built once; a loaded skin
// is put on them whole.
#pragma once

#include <QWidget>
#include <array>

#include "core/Color.h"
#include "core/SkinDescription.h"
#include "ui/skin/SkinLoader.h"

class QLabel;

namespace huebird {

class SkinButton;
class Swatch;

// The background picture. While the left button is held after a press here, moves arrive
// from anywhere on the screen: the pressed control keeps the pointer until the release.
class SkinBackground : public QWidget {
    Q_OBJECT
  public:
    explicit SkinBackground(QWidget* parent);
    void SetPicture(const QImage* picture);

  signals:
    void pressed(Qt::MouseButton which, QPoint screenAt);
    void moved(Qt::MouseButtons held, QPoint screenAt);
    void released(Qt::MouseButton which, bool inside);
    void doubleClicked();

  protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void mouseDoubleClickEvent(QMouseEvent* e) override;

  private:
    const QImage* picture_ = nullptr;
};

class SkinFace {
  public:
    // Builds the controls on `window` at the layout's default places.
    explicit SkinFace(QWidget* window);

    // Puts the skin on: background and outline, strips and places, label colours, places and
    // weight. A label colour is parsed into `workColor` as the colour text rule does, so a
    // rejected text keeps the label's colour.
    void Wear(const LoadedSkin& skin, ColorValue& workColor);
    // Lets go of the strips (before closing).
    void ReleaseButtonStrips();

    const LoadedSkin& Skin() const { return skin_; }
    // The colour readout label `i` shows (kLabelNames order), and a new one for it.
    ColorValue LabelColor(int i) const;
    void SetLabelColor(int i, ColorValue c);
    // The six labels exactly bold or exactly regular.
    void ApplyLabelWeight(bool bold);
    SkinBackground* Background() const { return background_; }
    const std::array<SkinButton*, kButtonCount>& Buttons() const { return buttons_; }
    const std::array<QLabel*, kLabelCount>& Labels() const { return labels_; }
    const std::array<Swatch*, 4>& Swatches() const { return swatches_; }
    int ButtonIndex(const SkinButton* button) const;  // -1 when not one of ours
    int SwatchIndex(const Swatch* swatch) const;      // -1 when not one of ours

  private:
    QWidget* window_;
    LoadedSkin skin_;
    SkinBackground* background_ = nullptr;
    std::array<SkinButton*, kButtonCount> buttons_{};
    std::array<QLabel*, kLabelCount> labels_{};
    std::array<Swatch*, 4> swatches_{};
};

}  // namespace huebird
