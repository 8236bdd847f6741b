#include "ui/colour/ColourCommands.h"

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
    // The grey of what the swatch shows at (5, 5), from the colours it shows: the working
    // colour in a frame (ImgColor, or its grey after an earlier grey that recorded nothing).
    const QRgb frame = swatch->FrameColor();
    swatch->ConvertToGrey();
    swatch->repaint();
    const QSize size = swatch->picture().size();
    colors_.WorkColor =
        SwatchGrey(colors_.WorkColor, MakeColor(qRed(frame), qGreen(frame), qBlue(frame)),
                   size.width(), size.height());
    colors_.ShowWorkColor();
    colors_.PushHistory();
}

}  // namespace huebird
