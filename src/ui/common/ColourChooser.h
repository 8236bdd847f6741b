// The desktop's colour dialog as the program uses it: it starts on the colour it last
// returned (black the first time) and keeps the custom colours the user defined in it only
// when it closes with OK; Cancel leaves everything as it was.
#pragma once

#include <optional>

#include "core/Color.h"

class QWidget;

namespace huebird {

class ColourChooser {
  public:
    // The chosen colour, or none when the user cancels. Modal over `parent`.
    std::optional<ColorValue> Choose(QWidget* parent);
    // The colour the next run starts on.
    ColorValue Last() const { return last_; }

  private:
    ColorValue last_ = 0;
};

}  // namespace huebird
