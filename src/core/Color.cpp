#include "core/Color.h"

#include <cstdio>

namespace huebird {

namespace {

int HexDigit(char ch) {
    if (ch >= '0' && ch <= '9') return ch - '0';
    if (ch >= 'A' && ch <= 'F') return ch - 'A' + 10;
    if (ch >= 'a' && ch <= 'f') return ch - 'a' + 10;
    return -1;
}

}  // namespace

bool ParseHexColorPlain(std::string_view text, ColorValue& out) {
    if (text.size() > 6) return false;
    int digits[6] = {0, 0, 0, 0, 0, 0};  // padding with '0' on the right
    for (std::size_t i = 0; i < text.size(); ++i) {
        digits[i] = HexDigit(text[i]);
        if (digits[i] < 0) return false;
    }
    out = MakeColor(digits[0] * 16 + digits[1], digits[2] * 16 + digits[3],
                    digits[4] * 16 + digits[5]);
    return true;
}

bool ParseHexColor(std::string_view text, ColorValue& out) {
    if (text.size() == 7 && text.front() == '#') text.remove_prefix(1);
    return ParseHexColorPlain(text, out);
}

std::string ColorToHex(ColorValue c) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02X%02X%02X", RedOf(c), GreenOf(c), BlueOf(c));
    return buf;
}

std::array<std::string, 6> ReadoutTexts(ColorValue c) {
    auto dec = [](int v) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "%.3d", v);
        return std::string(buf);
    };
    const std::string hex = ColorToHex(c);
    return {dec(RedOf(c)),    dec(GreenOf(c)),  dec(BlueOf(c)),
            hex.substr(0, 2), hex.substr(2, 2), hex.substr(4, 2)};
}

}  // namespace huebird
