// Colour values and their text notation.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace huebird {

// A 24-bit RGB colour held in 32 bits: red in bits 0-7, green in 8-15, blue in 16-23.
using ColorValue = std::uint32_t;

constexpr ColorValue MakeColor(int red, int green, int blue) {
    return static_cast<ColorValue>(red & 0xFF) | (static_cast<ColorValue>(green & 0xFF) << 8) |
           (static_cast<ColorValue>(blue & 0xFF) << 16);
}
constexpr int RedOf(ColorValue c) { return static_cast<int>(c & 0xFF); }
constexpr int GreenOf(ColorValue c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int BlueOf(ColorValue c) { return static_cast<int>((c >> 16) & 0xFF); }

// Reads colour text RRGGBB. A text of exactly seven characters may begin with '#'; a shorter
// text is padded with '0' on the right; case does not matter; nothing is trimmed. On
// rejection `out` is left untouched and false is returned.
bool ParseHexColor(std::string_view text, ColorValue& out);
// As ParseHexColor, without the '#' rule.
bool ParseHexColorPlain(std::string_view text, ColorValue& out);
// Six upper-case hexadecimal digits, red first.
std::string ColorToHex(ColorValue c);

// The six readout texts: red, green, blue as "%.3d", then red, green, blue as two
// upper-case hexadecimal digits.
std::array<std::string, 6> ReadoutTexts(ColorValue c);

}  // namespace huebird
