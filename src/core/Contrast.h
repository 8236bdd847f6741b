// The contrast dialog's rules: the WCAG 2.x contrast of two colours, the colours of the three
// gradient strips, and what a change of an edit box's text does to its slider.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace huebird {

// Red, green and blue, each 0..255; also indexed by `Channel`.
using Rgb = std::array<int, 3>;

enum class Channel { Red = 0, Green = 1, Blue = 2 };

// WCAG 2.x relative luminance (0 for black .. 1 for white): each component through the sRGB
// transfer function (c / 12.92 up to 0.04045, else ((c + 0.055) / 1.055) ^ 2.4), weighted
// 0.2126, 0.7152, 0.0722.
double RelativeLuminance(const Rgb& c);

// (lighter + 0.05) / (darker + 0.05), from 1 (equal colours) to 21 (black and white); the
// order of the two colours does not matter.
double ContrastRatio(const Rgb& a, const Rgb& b);

// The ratio as shown: two decimals, cut off rather than rounded ("4.49:1" for 4.4994), so
// the figure shown never reaches a threshold that the ratio itself misses: a 4.50 shown
// always passes AA for normal text.
std::string ContrastRatioText(double ratio);

// What a ratio passes. Judged on the unrounded ratio; WCAG rounds nothing.
struct ContrastVerdicts {
    bool aaNormal;   // 4.5
    bool aaLarge;    // 3
    bool aaaNormal;  // 7
    bool aaaLarge;   // 4.5
};
ContrastVerdicts JudgeContrast(double ratio);

// The colour of column i (0..255) of a gradient strip: `base` with the strip's own component
// replaced by i. When the dialog shows, base is the edited colour; when a slider moves to p,
// the two other strips are painted with base = the edited colour with the moved component p.
Rgb StripColumnColor(const Rgb& base, Channel strip, int i);

// The two strips a move of slider `moved` repaints, in red, green, blue order.
std::array<Channel, 2> OtherStrips(Channel moved);

// `c` with one component replaced.
Rgb WithComponent(Rgb c, Channel channel, int value);

// Typed characters the edit boxes take: the digits and backspace.
bool AcceptsContrastEditChar(char32_t c);

// What a new text in an edit box does.
struct ContrastEdit {
    enum class Kind {
        Nothing,    // empty: the slider stays
        MoveTo,     // the slider goes to `position`
        NotANumber  // the slider stays, the text stays, `error` is shown
    };
    Kind kind = Kind::Nothing;
    int position = 0;      // 0..255, for MoveTo
    bool limited = false;  // the text's number lay outside 0..255 and was limited
    std::string error;
    std::string invalid;  // the text that is not a number, for a translated message
};
// An optional sign and decimal digits is a number; it is limited to 0..255 ("300" moves to
// 255, "-4" to 0, "007" to 7). Anything else is not a number.
ContrastEdit ContrastEditChange(std::string_view text);

// The text an edit box shows for a slider position: plain decimal, no leading zeros.
std::string ContrastEditText(int position);

}  // namespace huebird
