#include "core/CopyAs.h"

#include <array>

#include "core/Notation.h"
#include "core/Translatable.h"

namespace huebird {

std::vector<CopyAsEntry> CopyAsEntries(ColorValue c) {
    std::vector<CopyAsEntry> entries;
    entries.reserve(13);
    entries.push_back({HB_TR_NOOP("CopyAs", "WEB值"), "web", CopyText(c, 0, true)});
    entries.push_back(
        {HB_TR_NOOP("CopyAs", "WEB值（不带＃）"), "web-plain", CopyText(c, 0, false)});
    entries.push_back({HB_TR_NOOP("CopyAs", "RGB值"), "rgb-value", CopyText(c, 1, false)});
    entries.push_back({HB_TR_NOOP("CopyAs", "十进制值"), "decimal", CopyText(c, 2, false)});
    struct Css {
        CssNotation notation;
        const char* label;
        const char* format;
    };
    static constexpr std::array<Css, 8> kCss = {{
        {CssNotation::Hex, HB_TR_NOOP("CopyAs", "CSS 十六进制"), "hex"},
        {CssNotation::Rgb, "rgb()", "rgb"},
        {CssNotation::Hsl, "hsl()", "hsl"},
        {CssNotation::Hwb, "hwb()", "hwb"},
        {CssNotation::Lab, "lab()", "lab"},
        {CssNotation::Lch, "lch()", "lch"},
        {CssNotation::Oklab, "oklab()", "oklab"},
        {CssNotation::Oklch, "oklch()", "oklch"},
    }};
    for (const Css& css : kCss)
        entries.push_back({css.label, css.format, CssText(c, css.notation)});
    entries[4].startsGroup = true;
    const CssNameMatch name = NearestCssName(c);
    entries.push_back({name.exact ? HB_TR_NOOP("CopyAs", "CSS 颜色名称")
                                  : HB_TR_NOOP("CopyAs", "最接近的 CSS 颜色名称"),
                       "name", std::string(name.name), !name.exact, true});
    return entries;
}

std::vector<std::string> CopyAsFormats() {
    std::vector<std::string> names;
    for (const CopyAsEntry& e : CopyAsEntries(0)) names.emplace_back(e.format);
    return names;
}

std::optional<std::string> CopyAsText(ColorValue c, std::string_view format) {
    for (CopyAsEntry& e : CopyAsEntries(c))
        if (format == e.format) return std::move(e.text);
    return std::nullopt;
}

namespace {

// Strips what surrounds a colour in what people copy: ASCII blanks and line breaks, and the
// UTF-8 no-break space, zero-width space and byte-order mark that web pages and editors add.
std::string_view StripAround(std::string_view s) {
    static constexpr std::array<std::string_view, 4> kWide = {"\xC2\xA0", "\xE2\x80\x8B",
                                                              "\xEF\xBB\xBF", "\xE3\x80\x80"};
    bool changed = true;
    while (changed && !s.empty()) {
        changed = false;
        const char f = s.front(), b = s.back();
        if (f == ' ' || f == '\t' || f == '\n' || f == '\r' || f == '\f' || f == '\v') {
            s.remove_prefix(1);
            changed = true;
        }
        if (!s.empty() &&
            (b == ' ' || b == '\t' || b == '\n' || b == '\r' || b == '\f' || b == '\v')) {
            s.remove_suffix(1);
            changed = true;
        }
        for (std::string_view w : kWide) {
            if (s.starts_with(w)) s.remove_prefix(w.size()), changed = true;
            if (s.ends_with(w)) s.remove_suffix(w.size()), changed = true;
        }
    }
    return s;
}

bool AllOf(std::string_view s, bool (*pred)(char)) {
    if (s.empty()) return false;
    for (char ch : s)
        if (!pred(ch)) return false;
    return true;
}
bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }
bool IsHex(char ch) { return IsDigit(ch) || (ch >= 'a' && ch <= 'f') || (ch >= 'A' && ch <= 'F'); }
bool IsNameChar(char ch) {
    return (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || IsDigit(ch) || ch == '-' ||
           ch == '_';
}

ColorValue FromHex(std::string_view six) {
    ColorValue c = 0;
    ParseHexColorPlain(six, c);
    return c;
}

// The decimal notation: the number 0xRRGGBB, red in the high byte.
std::optional<ColorValue> FromDecimal(std::string_view digits) {
    unsigned long long v = 0;
    for (char ch : digits) {
        v = v * 10 + static_cast<unsigned>(ch - '0');
        if (v > 0xFFFFFF) return std::nullopt;
    }
    return MakeColor(static_cast<int>(v >> 16), static_cast<int>(v >> 8), static_cast<int>(v));
}

}  // namespace

std::optional<ColorValue> ReadAnyColour(std::string_view text, bool sixDigitsAreDecimal,
                                        CssProblem* why) {
    std::string_view t = StripAround(text);
    // A declaration's value: "color: red;", "--accent: #e94560 !important;".
    if (!t.empty() && t.back() == ';') t = StripAround(t.substr(0, t.size() - 1));
    if (const std::size_t colon = t.find(':'); colon != std::string_view::npos && colon > 0 &&
                                               AllOf(StripAround(t.substr(0, colon)), IsNameChar))
        t = StripAround(t.substr(colon + 1));
    if (t.size() > 10 && t.substr(t.size() - 10) == "!important")
        t = StripAround(t.substr(0, t.size() - 10));

    if (t.size() == 6 && AllOf(t, IsHex) && !(sixDigitsAreDecimal && AllOf(t, IsDigit)))
        return FromHex(t);
    if (t.size() == 8 && (t.starts_with("0x") || t.starts_with("0X")) && AllOf(t.substr(2), IsHex))
        return FromHex(t.substr(2));
    if (AllOf(t, IsDigit)) {
        if (t.size() <= 8)
            if (const std::optional<ColorValue> c = FromDecimal(t)) return c;
        if (why)
            *why = {HB_TR_NOOP("CssColour", "“%1”不是 0 到 16777215 之间的十进制颜色值"),
                    {std::string(t.substr(0, 20))}};
        return std::nullopt;
    }
    return ParseCssColour(t, why);
}

std::string QuotedClipboardText(std::string_view text, std::size_t maxChars) {
    std::string out;
    std::size_t chars = 0, i = 0;
    while (i < text.size()) {
        if (chars == maxChars) {
            out += "…";
            break;
        }
        const unsigned char ch = static_cast<unsigned char>(text[i]);
        std::size_t len = ch < 0x80         ? 1
                          : (ch >> 5) == 6  ? 2
                          : (ch >> 4) == 14 ? 3
                          : (ch >> 3) == 30 ? 4
                                            : 0;
        bool valid = len > 0 && i + len <= text.size();
        for (std::size_t k = 1; valid && k < len; ++k)
            valid = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (!valid) {
            out += '?';
            ++i;
        } else if (ch == '\n') {
            out += "⏎";
            ++i;
        } else if (ch == '\r') {
            // A CRLF is one line break.
            if (i + 1 >= text.size() || text[i + 1] != '\n') out += "⏎";
            ++i;
            if (i < text.size() && text[i] == '\n') {
                out += "⏎";
                ++i;
            }
        } else if (ch == '\t') {
            out += "⇥";
            ++i;
        } else if (ch < 0x20 || ch == 0x7F) {
            out += '?';
            ++i;
        } else {
            out.append(text.substr(i, len));
            i += len;
        }
        ++chars;
    }
    return out;
}

}  // namespace huebird
