// The manual-input window's rules: which typed characters its fields take, how a typed colour
// is read, and where the window opens.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "core/Color.h"
#include "core/Snap.h"

namespace huebird {

inline constexpr int kInputFormWidth = 245;
inline constexpr int kInputFormDesignHeight = 96;
inline constexpr int kInputFormDesignTop = 199;  // used when the window would not fit below
inline constexpr int kInputFormCollapsedHeight = 31;
inline constexpr int kInputFormExpandedHeight = 65;

// Typed characters the hexadecimal field takes: backspace, 0-9, a-f, A-F.
bool AcceptsHexInputChar(char32_t c);
// Typed characters the red, green and blue fields take: backspace, 0-9.
bool AcceptsDecimalInputChar(char32_t c);

// The colour of a hexadecimal entry (RRGGBB, padded on the right, empty is black), or
// nothing when the text is rejected.
std::optional<ColorValue> HexEntryColor(std::string_view text);

struct DecimalEntry {
    std::array<std::string, 3> fields;  // red, green, blue as the fields read afterwards
    std::optional<ColorValue> color;    // set only when all three fields were integers
    std::string error;                  // the error box's message, or empty
    std::string invalid;                // with an error: the field that is not a number
};

// A decimal entry from the red, green and blue field texts. The fields are taken in that
// order: one above 255 is set to "255" and one below 0 to "0"; the first that is not an
// integer stops the entry with an error, leaving the fields before it as corrected.
DecimalEntry EnterDecimalColor(const std::array<std::string, 3>& fields);

// Where the input window opens, below the main window's skin picture when it fits.
Point InputFormPosition(int mainLeft, int mainTop, int skinHeight, int screenWidth,
                        int screenHeight);

}  // namespace huebird
