// How the colour model reaches the screen: the swatches, the six readout labels and the
// undo item.
#pragma once

#include <array>
#include <functional>
#include <string>

#include "core/ColorModel.h"

class QAction;

namespace huebird {

class SkinFace;

class SwatchView : public ColorView {
  public:
    // `activeSwatch` tells which swatch the model has active, for the swatches' names.
    SwatchView(const SkinFace& face, QAction* undoItem, std::function<int()> activeSwatch)
        : face_(face), undoItem_(undoItem), activeSwatch_(std::move(activeSwatch)) {}

    void FillSwatch(int s, ColorValue fill, ColorValue frame) override;
    void FrameSwatch(int s, ColorValue frame) override;
    void SetReadout(const std::array<std::string, 6>& texts) override;
    void SetUndoEnabled(bool enabled) override;

  private:
    void MarkActive();

    const SkinFace& face_;
    QAction* undoItem_;
    std::function<int()> activeSwatch_;
};

}  // namespace huebird
