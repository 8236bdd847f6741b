// How the colour model reaches the screen: the swatches, the six readout labels and the
// undo item.
#pragma once

#include <array>
#include <string>

#include "core/ColorModel.h"

class QAction;

namespace huebird {

class SkinFace;

class SwatchView : public ColorView {
  public:
    SwatchView(const SkinFace& face, QAction* undoItem) : face_(face), undoItem_(undoItem) {}

    void FillSwatch(int s, ColorValue fill, ColorValue frame) override;
    void FrameSwatch(int s, ColorValue frame) override;
    void SetReadout(const std::array<std::string, 6>& texts) override;
    void SetUndoEnabled(bool enabled) override;

  private:
    const SkinFace& face_;
    QAction* undoItem_;
};

}  // namespace huebird
