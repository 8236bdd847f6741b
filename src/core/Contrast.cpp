#include "core/Contrast.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace huebird {

namespace {

double Linear(int component) {
    const double c = component / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

bool IsDigit(char32_t c) { return c >= U'0' && c <= U'9'; }

}  // namespace

double RelativeLuminance(const Rgb& c) {
    return 0.2126 * Linear(c[0]) + 0.7152 * Linear(c[1]) + 0.0722 * Linear(c[2]);
}

double ContrastRatio(const Rgb& a, const Rgb& b) {
    const double la = RelativeLuminance(a);
    const double lb = RelativeLuminance(b);
    // (L1 + 0.05) / (L2 + 0.05) scaled by 20 on both sides: 0.05 has no exact binary form,
    // and black on white must come out as exactly 21, not a hair under it.
    return (20.0 * std::max(la, lb) + 1.0) / (20.0 * std::min(la, lb) + 1.0);
}

std::string ContrastRatioText(double ratio) {
    // ratio * 100 is rounded to the nearest double, which keeps it at or above a whole
    // number the exact product reaches: 4.5 and above never shows as 4.49.
    const long hundredths = static_cast<long>(std::floor(ratio * 100.0));
    char text[32];
    std::snprintf(text, sizeof text, "%ld.%02ld:1", hundredths / 100, hundredths % 100);
    return text;
}

ContrastVerdicts JudgeContrast(double ratio) {
    return {ratio >= 4.5, ratio >= 3.0, ratio >= 7.0, ratio >= 4.5};
}

Rgb StripColumnColor(const Rgb& base, Channel strip, int i) {
    return WithComponent(base, strip, i);
}

std::array<Channel, 2> OtherStrips(Channel moved) {
    switch (moved) {
        case Channel::Red:
            return {Channel::Green, Channel::Blue};
        case Channel::Green:
            return {Channel::Red, Channel::Blue};
        case Channel::Blue:
            break;
    }
    return {Channel::Red, Channel::Green};
}

Rgb WithComponent(Rgb c, Channel channel, int value) {
    c[static_cast<std::size_t>(channel)] = value;
    return c;
}

bool AcceptsContrastEditChar(char32_t c) { return c == U'\b' || IsDigit(c); }

ContrastEdit ContrastEditChange(std::string_view text) {
    ContrastEdit edit;
    if (text.empty()) return edit;
    std::string_view digits = text;
    const bool negative = digits.front() == '-';
    if (digits.front() == '+' || negative) digits.remove_prefix(1);
    const bool number = !digits.empty() && std::all_of(digits.begin(), digits.end(), [](char ch) {
        return IsDigit(static_cast<unsigned char>(ch));
    });
    if (!number) {
        edit.kind = ContrastEdit::Kind::NotANumber;
        edit.error.append("'").append(text).append("' is not a valid integer value");
        edit.invalid = text;
        return edit;
    }
    // Saturating: any run of digits past 255 is simply "more than 255".
    int value = 0;
    for (char ch : digits) value = std::min(value * 10 + (ch - '0'), 1000);
    if (negative) value = -value;
    edit.kind = ContrastEdit::Kind::MoveTo;
    edit.position = std::clamp(value, 0, 255);
    edit.limited = edit.position != value;
    return edit;
}

std::string ContrastEditText(int position) { return std::to_string(position); }

}  // namespace huebird
