#include "core/ManualInput.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace huebird {

namespace {

constexpr char32_t kBackspace = 8;

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

// An optional sign and decimal digits, within 32 bits; anything else is not an integer.
std::optional<std::int32_t> ParseInteger(std::string_view text) {
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;
    const std::int64_t limit =
        negative ? -static_cast<std::int64_t>(std::numeric_limits<std::int32_t>::min())
                 : std::numeric_limits<std::int32_t>::max();
    std::int64_t value = 0;
    for (char ch : text) {
        if (!IsDigit(static_cast<unsigned char>(ch))) return std::nullopt;
        value = value * 10 + (ch - '0');
        if (value > limit) return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

}  // namespace

bool AcceptsHexInputChar(char32_t c) {
    return c == kBackspace || IsDigit(c) || (c >= U'a' && c <= U'f') || (c >= U'A' && c <= U'F');
}

bool AcceptsDecimalInputChar(char32_t c) { return c == kBackspace || IsDigit(c); }

std::optional<ColorValue> HexEntryColor(std::string_view text) {
    ColorValue c = 0;
    if (!ParseHexColor(text, c)) return std::nullopt;
    return c;
}

DecimalEntry EnterDecimalColor(const std::array<std::string, 3>& fields) {
    DecimalEntry entry{fields, std::nullopt, {}, {}};
    std::array<int, 3> parts{};
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::optional<std::int32_t> value = ParseInteger(entry.fields[i]);
        if (!value) {
            entry.error = "'" + entry.fields[i] + "' is not a valid integer value";
            entry.invalid = entry.fields[i];
            return entry;
        }
        // A negative part would borrow from the next colour byte: it reads as 0, as a part
        // above 255 reads as 255. Only pasted text can get here with a sign.
        parts[i] = std::clamp(*value, 0, 255);
        if (parts[i] != *value) entry.fields[i] = std::to_string(parts[i]);
    }
    entry.color = MakeColor(parts[0], parts[1], parts[2]);
    return entry;
}

Point InputFormPosition(int mainLeft, int mainTop, int skinHeight, int screenWidth,
                        int screenHeight) {
    Point at;
    at.x = mainLeft - 40 > 0 ? mainLeft - 40 : 0;
    if (at.x + kInputFormWidth > screenWidth) at.x = screenWidth - kInputFormWidth;
    const int below = mainTop + skinHeight + 20;
    at.y = below + kInputFormDesignHeight < screenHeight ? below : kInputFormDesignTop;
    return at;
}

}  // namespace huebird
