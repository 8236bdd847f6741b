// The colour commands of the menus and keys that need more than the colour model: copy and
// paste through the clipboard, and grey, which converts the swatch's picture too.
#pragma once

#include <array>

#include "core/Color.h"

namespace huebird {

class Clipboard;
class ColorModel;
class Swatch;

struct CopySettings {
    int copyType = 0;         // CopyType: the notation
    bool copyAddHash = true;  // CopyAdd#: a leading '#' on hexadecimal
};

class ColourCommands {
  public:
    ColourCommands(ColorModel& colors, Clipboard& clipboard, const std::array<Swatch*, 4>& swatches,
                   const CopySettings& copy);

    void N2Click();   // copy the working colour in the chosen notation
    void N13Click();  // paste a colour code ("error" when the clipboard holds no text)
    void N23Click();  // invert
    void N24Click();  // grey

  private:
    ColorModel& colors_;
    Clipboard& clipboard_;
    const std::array<Swatch*, 4>& swatches_;
    const CopySettings& copy_;
};

}  // namespace huebird
