// Colour text against plain readings of its rules: ParseHexColor, ParseHexColorPlain,
// ColorToHex and the readout texts (core/Color.h), manual entry (core/ManualInput.h) and the
// copy notations with the keyboard shortcuts (core/Notation.h).
#include <fuzzer/FuzzedDataProvider.h>

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>

#include "Reference.h"
#include "core/Color.h"
#include "core/ManualInput.h"
#include "core/Notation.h"

using namespace reference;
using huebird::ColorValue;

namespace {

int HexValue(char c) {
    const std::string digits = "0123456789abcdef";
    const std::size_t at = digits.find(Lower(c));
    return at == std::string::npos ? -1 : static_cast<int>(at);
}

// RRGGBB: at most six hexadecimal digits, the missing ones '0' on the right.
std::optional<ColorValue> PlainColor(std::string_view text) {
    if (text.size() > 6) return std::nullopt;
    std::string padded(text);
    padded.resize(6, '0');
    ColorValue c = 0;
    for (int part = 0; part < 3; ++part) {
        const int hi = HexValue(padded[2 * part]), lo = HexValue(padded[2 * part + 1]);
        if (hi < 0 || lo < 0) return std::nullopt;
        c |= static_cast<ColorValue>(hi * 16 + lo) << (8 * part);
    }
    return c;
}

// The same, where exactly seven characters may start with '#'.
std::optional<ColorValue> HashColor(std::string_view text) {
    if (text.size() == 7 && text[0] == '#') text.remove_prefix(1);
    return PlainColor(text);
}

std::string Hex2(int v) {
    const char* digits = "0123456789ABCDEF";
    return {digits[v >> 4 & 15], digits[v & 15]};
}

std::string Dec3(int v) {
    return {static_cast<char>('0' + v / 100), static_cast<char>('0' + v / 10 % 10),
            static_cast<char>('0' + v % 10)};
}

// A field that is an integer: an optional sign and digits, within 32 bits.
std::optional<long long> FieldInteger(const std::string& s) {
    std::size_t i = s.empty() || (s[0] != '+' && s[0] != '-') ? 0 : 1;
    if (i == s.size()) return std::nullopt;
    long long v = 0;
    for (std::size_t k = i; k < s.size(); ++k) {
        if (s[k] < '0' || s[k] > '9') return std::nullopt;
        v = v * 10 + (s[k] - '0');
        if (v > 1LL << 32) return std::nullopt;
    }
    if (s[0] == '-') v = -v;
    if (v < -2147483648LL || v > 2147483647LL) return std::nullopt;
    return v;
}

void CheckParse(const std::string& text) {
    constexpr ColorValue kUntouched = 0xA5A5A5A5;
    for (bool hash : {false, true}) {
        ColorValue out = kUntouched;
        const bool ok =
            hash ? huebird::ParseHexColor(text, out) : huebird::ParseHexColorPlain(text, out);
        const std::optional<ColorValue> expected = hash ? HashColor(text) : PlainColor(text);
        Check(ok == expected.has_value() && out == expected.value_or(kUntouched),
              std::string(hash ? "ParseHexColor " : "ParseHexColorPlain ") + Show(text));
    }
    Check(huebird::HexEntryColor(text) == HashColor(text), "HexEntryColor " + Show(text));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const auto color = in.ConsumeIntegral<ColorValue>();
    const int r = color & 0xFF, g = color >> 8 & 0xFF, b = color >> 16 & 0xFF;

    const std::string hex = Hex2(r) + Hex2(g) + Hex2(b);
    Check(huebird::ColorToHex(color) == hex, "ColorToHex " + std::to_string(color));
    const std::array<std::string, 6> readout = {Dec3(r), Dec3(g), Dec3(b),
                                                Hex2(r), Hex2(g), Hex2(b)};
    Check(huebird::ReadoutTexts(color) == readout, "ReadoutTexts " + std::to_string(color));
    ColorValue back = 0;
    Check(huebird::ParseHexColor(hex, back) && back == (color & 0xFFFFFF),
          "ColorToHex does not read back: " + hex);

    char rgb[32];
    std::snprintf(rgb, sizeof rgb, "RGB(%03d, %03d, %03d)", r, g, b);
    const int notation = in.ConsumeIntegralInRange(-2, 4);
    const bool addHash = in.ConsumeBool();
    const std::string copied = huebird::CopyText(color, notation, addHash);
    const std::string expected = notation == 0   ? (addHash ? "#" : "") + hex
                                 : notation == 1 ? std::string(rgb)
                                 : notation == 2 ? std::to_string(r << 16 | g << 8 | b)
                                                 : std::string();
    Check(copied == expected, "CopyText " + std::to_string(notation) + " gave " + Show(copied));
    if (notation == 0) {
        Check(huebird::ParseHexColor(copied, back) && back == (color & 0xFFFFFF),
              "a copied colour does not paste back: " + copied);
    }

    using huebird::Key;
    using huebird::Shortcut;
    const auto key = static_cast<Key>(in.ConsumeIntegralInRange(0, static_cast<int>(Key::Other)));
    const bool ctrl = in.ConsumeBool();
    static constexpr Shortcut kFunction[] = {Shortcut::Manager, Shortcut::Copy, Shortcut::Paste,
                                             Shortcut::Undo};
    static constexpr Shortcut kLetter[] = {Shortcut::Copy, Shortcut::Manager, Shortcut::Paste,
                                           Shortcut::Undo};
    const int k = static_cast<int>(key);
    const Shortcut want = k <= 3 ? kFunction[k] : k <= 7 && ctrl ? kLetter[k - 4] : Shortcut::None;
    Check(huebird::ShortcutFor(key, ctrl) == want, "ShortcutFor " + std::to_string(k));

    const auto typed = in.ConsumeIntegral<char32_t>() % 0x110;
    const bool digit = typed >= '0' && typed <= '9';
    const bool hexLetter = (typed >= 'a' && typed <= 'f') || (typed >= 'A' && typed <= 'F');
    Check(huebird::AcceptsHexInputChar(typed) == (typed == 8 || digit || hexLetter),
          "AcceptsHexInputChar " + std::to_string(typed));
    Check(huebird::AcceptsDecimalInputChar(typed) == (typed == 8 || digit),
          "AcceptsDecimalInputChar " + std::to_string(typed));

    std::array<std::string, 3> fields;
    for (std::string& f : fields) f = in.ConsumeRandomLengthString(14);
    const huebird::DecimalEntry entry = huebird::EnterDecimalColor(fields);
    std::array<std::string, 3> corrected = fields;
    std::string error;
    std::array<int, 3> parts{};
    for (int i = 0; i < 3 && error.empty(); ++i) {
        const std::optional<long long> v = FieldInteger(fields[i]);
        if (!v) {
            error = "'" + fields[i] + "' is not a valid integer value";
        } else {
            parts[i] = *v < 0 ? 0 : *v > 255 ? 255 : static_cast<int>(*v);
            if (parts[i] != *v) corrected[i] = std::to_string(parts[i]);
        }
    }
    Check(entry.fields == corrected && entry.error == error,
          "EnterDecimalColor " + Show(fields[0]) + " " + Show(fields[1]) + " " + Show(fields[2]));
    Check(entry.color == (error.empty() ? std::optional<ColorValue>(
                                              huebird::MakeColor(parts[0], parts[1], parts[2]))
                                        : std::nullopt),
          "EnterDecimalColor's colour");

    CheckParse(in.ConsumeRandomLengthString(9));
    CheckParse(in.ConsumeRemainingBytesAsString());
    return 0;
}
