#include "ui/colour/ColourCommands.h"

#include <algorithm>

#include "core/Adjust.h"
#include "core/ColorModel.h"
#include "core/Notation.h"
#include "platform/Clipboard.h"
#include "ui/skin/Swatch.h"

namespace huebird {

ColourCommands::ColourCommands(ColorModel& colors, Clipboard& clipboard,
                               const std::array<Swatch*, 4>& swatches, const CopySettings& copy)
    : colors_(colors), clipboard_(clipboard), swatches_(swatches), copy_(copy) {}

void ColourCommands::N2Click() {
    clipboard_.SetText(CopyText(colors_.WorkColor, copy_.copyType, copy_.copyAddHash));
}

void ColourCommands::N13Click() {
    ColorValue c = 0;
    if (ParseHexColor(clipboard_.Text().value_or("error"), c)) colors_.AdoptColor(c);
}

void ColourCommands::N23Click() { colors_.Invert(); }

void ColourCommands::N24Click() {
    Swatch* swatch = swatches_[colors_.ActiveSwatch()];
    swatch->ConvertToGrey();
    swatch->repaint();
    // The converted picture is what the screen shows at (5, 5) of the swatch; reading it
    // from the picture keeps a window lying over the swatch out of the result.
    const QImage& picture = swatch->picture();
    if (picture.isNull()) {
        const ColorValue c = colors_.WorkColor;
        const int g = GreyLevel(RedOf(c), GreenOf(c), BlueOf(c));
        colors_.WorkColor = MakeColor(g, g, g);
    } else {
        const QRgb p =
            picture.pixel(std::min(5, picture.width() - 1), std::min(5, picture.height() - 1));
        colors_.WorkColor = MakeColor(qRed(p), qGreen(p), qBlue(p));
    }
    colors_.ShowWorkColor();
    colors_.PushHistory();
}

}  // namespace huebird
