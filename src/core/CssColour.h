// Colours as CSS colour text: every notation a style sheet can take, written and read.
#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Color.h"

namespace huebird {

enum class CssNotation { Hex, Rgb, Hsl, Hwb, Lab, Lch, Oklab, Oklch, Named };

// The colour as CSS text in one notation:
//   Hex    #rrggbb, lower case
//   Rgb    rgb(R G B), integers
//   Hsl    hsl(H S% L%)          Hwb  hwb(H W% B%)
//   Lab    lab(L a b)            Lch  lch(L C H)      CIE Lab, D50 white (Bradford from D65)
//   Oklab  oklab(L% a b)         Oklch oklch(L% C H)  Oklab; L written as a percentage
//   Named  the nearest named colour (see NearestCssName)
// Each number carries just enough decimals that a CSS engine reading the text and rounding
// each channel to 8 bits (half up, after clamping) gets this very colour back; trailing zeros
// are dropped. The hue of a colour whose chroma (or saturation) is written as 0 is 0.
std::string CssText(ColorValue c, CssNotation notation);

// The decimals each of the three numbers of a notation is written with (zeros for Hex and
// Named). Fewer would lose some colour somewhere; the tests sweep the colours to show both.
std::array<int, 3> CssDecimals(CssNotation notation);
// As CssText with other decimals: only for checking that the chosen ones are the fewest.
std::string CssTextWithDecimals(ColorValue c, CssNotation notation, std::array<int, 3> decimals);

struct CssNamedColour {
    std::string_view name;
    ColorValue colour;
};
// The 148 named colours, in alphabetical order ("transparent" is not a colour we can pick).
std::span<const CssNamedColour> CssNamedColours();

struct CssNameMatch {
    std::string_view name;
    ColorValue colour;  // the named colour, which may differ from the one asked about
    bool exact;
};
// The named colour nearest to c by Euclidean distance in Oklab; of names at the same
// distance, the alphabetically first (so aqua before cyan, gray before grey).
CssNameMatch NearestCssName(ColorValue c);

// Reads CSS colour text: #rgb, #rgba, #rrggbb, #rrggbbaa; rgb()/rgba() and hsl()/hsla() in the
// comma syntax and the space syntax; hwb(), lab(), lch(), oklab(), oklch(); hue units deg,
// rad, grad, turn; `none`; an optional "/ alpha"; the named colours. Case does not matter;
// blanks and line breaks around the text are ignored. Alpha is read and then dropped: the
// picker has no transparency.
// A colour outside sRGB is clamped channel by channel. CSS engines map such colours into
// gamut by reducing chroma, which keeps the hue better; we clamp because it is simple and
// predictable, and any text this program writes is inside sRGB anyway.
// Why a text is not a colour: a short message (translated in the "CssColour" context) and
// the arguments for its %1, %2.
struct CssProblem {
    const char* text = "";
    std::vector<std::string> args;
};
// The message filled in, untranslated.
std::string CssProblemText(const CssProblem& problem);

// On failure returns nothing and, when why is given, puts a short reason there.
std::optional<ColorValue> ParseCssColour(std::string_view text, CssProblem* why = nullptr);

}  // namespace huebird
