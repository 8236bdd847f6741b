#include "core/Text.h"

#include <cstdint>
#include <cstring>

namespace huebird {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimLeadingBlanksView(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    return text.substr(i);
}

std::string_view TrimBlanksView(std::string_view text) {
    text = TrimLeadingBlanksView(text);
    std::size_t n = text.size();
    while (n > 0 && IsBlank(text[n - 1])) --n;
    return text.substr(0, n);
}

std::string TrimBlanks(std::string_view text) { return std::string(TrimBlanksView(text)); }

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    auto lower = [](char c) {
        return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// Anything looser than strict would let GB18030 files (which often form plausible
// lead/continuation pairs) pass as UTF-8.
namespace {

// The length of the well-formed multi-byte UTF-8 sequence at p (p points at a byte of 0x80 or
// more), or 0 when none starts there.
int Utf8SequenceLength(const unsigned char* p, const unsigned char* end) {
    const unsigned char c = *p;
    int extra;
    unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
    if (c >= 0xC2 && c <= 0xDF) {
        extra = 1;
    } else if (c >= 0xE0 && c <= 0xEF) {
        extra = 2;
        if (c == 0xE0) lo = 0xA0;
        if (c == 0xED) hi = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        extra = 3;
        if (c == 0xF0) lo = 0x90;
        if (c == 0xF4) hi = 0x8F;
    } else {
        return 0;
    }
    if (end - p <= extra) return 0;
    if (p[1] < lo || p[1] > hi) return 0;
    for (int i = 2; i <= extra; ++i) {
        if ((p[i] & 0xC0) != 0x80) return 0;
    }
    return extra + 1;
}

// Calls `sequence(length)` for each well-formed multi-byte sequence and `stray()` for each
// byte that starts none; stops early when either returns false.
template <typename Sequence, typename Stray>
void ScanUtf8(std::string_view text, Sequence sequence, Stray stray) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const auto* end = p + text.size();
    while (p < end) {
        // Settings files are mostly ASCII: skip it eight bytes at a time.
        while (end - p >= 8) {
            std::uint64_t word;
            std::memcpy(&word, p, 8);
            if (word & 0x8080808080808080ull) break;
            p += 8;
        }
        if (p == end) break;
        if (*p < 0x80) {
            ++p;
            continue;
        }
        if (const int n = Utf8SequenceLength(p, end)) {
            if (!sequence(n)) return;
            p += n;
        } else {
            if (!stray()) return;
            ++p;
        }
    }
}

}  // namespace

bool IsValidUtf8(std::string_view text) {
    bool valid = true;
    ScanUtf8(
        text, [](int) { return true; }, [&valid] { return valid = false; });
    return valid;
}

Utf8Tally TallyUtf8(std::string_view text) {
    Utf8Tally t;
    ScanUtf8(
        text, [&t](int) { return ++t.sequences, true; }, [&t] { return ++t.strayBytes, true; });
    return t;
}

namespace {

// Problems every name and value shares: these would end or cut the line.
const char* LineProblem(std::string_view s) {
    if (s.find_first_of("\r\n") != std::string_view::npos) return "contains a line break";
    if (s.find('\0') != std::string_view::npos) return "contains a zero byte";
    if (!IsValidUtf8(s)) return "is not valid UTF-8";
    return nullptr;
}

}  // namespace

std::optional<std::string> SectionNameProblem(std::string_view name) {
    // An empty section name is allowed: "[]" is a section line like any other.
    if (name.find(']') != std::string_view::npos) return "contains ']'";
    if (const char* p = LineProblem(name)) return std::string(p);
    if (TrimBlanksView(name).size() != name.size()) return "has leading or trailing blanks";
    return std::nullopt;
}

std::optional<std::string> KeyNameProblem(std::string_view name) {
    if (name.empty()) return "is empty";
    if (name.find('=') != std::string_view::npos) return "contains '='";
    if (const char* p = LineProblem(name)) return std::string(p);
    if (name.front() == ';') return "starts with ';' (a comment)";
    if (name.front() == '[') return "starts with '[' (a section line)";
    if (TrimBlanksView(name).size() != name.size()) return "has leading or trailing blanks";
    return std::nullopt;
}

std::optional<std::string> ValueProblem(std::string_view value) {
    if (const char* p = LineProblem(value)) return std::string(p);
    return std::nullopt;
}

std::string FillIn(std::string_view text, const std::vector<std::string>& args) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' && text[i + 1] <= '9') {
            const auto n = static_cast<std::size_t>(text[i + 1] - '1');
            if (n < args.size()) {
                out += args[n];
                ++i;
                continue;
            }
        }
        out += text[i];
    }
    return out;
}

std::string_view Utf8PrefixView(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) return text;
    std::size_t end = bytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

}  // namespace huebird
