// Plain, slow readings of the rules the fuzz targets check the real code against. Each is
// written from the rule as documented, not from the code it checks, and favours being
// obviously right over being fast.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace reference {

// What a target is doing, printed with a failure.
inline std::string& Context() {
    static std::string context;
    return context;
}

// A failed property: says what and stops, so libFuzzer keeps the input.
[[noreturn]] inline void Fail(const std::string& what) {
    std::fprintf(stderr, "PROPERTY FAILED: %s\n", what.c_str());
    if (!Context().empty()) std::fprintf(stderr, "%s\n", Context().c_str());
    std::fflush(stderr);
    std::abort();
}
inline void Check(bool ok, const std::string& what) {
    if (!ok) Fail(what);
}

// Bytes made readable for a failure message.
inline std::string Show(std::string_view s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        if (c >= 0x20 && c < 0x7F && c != '"' && c != '\\') {
            out += static_cast<char>(c);
        } else {
            char buf[8];
            std::snprintf(buf, sizeof buf, "\\x%02X", c);
            out += buf;
        }
    }
    return out + "\"";
}

inline bool Blank(char c) { return c == ' ' || c == '\t'; }

inline std::string Trim(std::string_view s) {
    std::size_t b = 0, e = s.size();
    while (b < e && Blank(s[b])) ++b;
    while (e > b && Blank(s[e - 1])) --e;
    return std::string(s.substr(b, e - b));
}

inline char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

inline bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) return false;
    }
    return true;
}

// The length of the strict UTF-8 sequence of a non-ASCII code point at s[i], decoded code
// point by code point, or 0 when none starts there.
inline std::size_t Utf8SequenceAt(std::string_view s, std::size_t i) {
    const unsigned c = static_cast<unsigned char>(s[i]);
    int n;
    std::uint32_t cp, min;
    if ((c & 0xE0) == 0xC0) {
        n = 1, cp = c & 0x1F, min = 0x80;
    } else if ((c & 0xF0) == 0xE0) {
        n = 2, cp = c & 0x0F, min = 0x800;
    } else if ((c & 0xF8) == 0xF0) {
        n = 3, cp = c & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + n >= s.size()) return 0;
    for (int k = 1; k <= n; ++k) {
        const unsigned t = static_cast<unsigned char>(s[i + k]);
        if ((t & 0xC0) != 0x80) return 0;
        cp = cp << 6 | (t & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return static_cast<std::size_t>(n) + 1;
}

// The well-formed multi-byte sequences of a text and the bytes that start none.
struct Utf8Count {
    std::size_t sequences = 0, stray = 0;
};
inline Utf8Count CountUtf8(std::string_view s) {
    Utf8Count count;
    for (std::size_t i = 0; i < s.size();) {
        if (static_cast<unsigned char>(s[i]) < 0x80) {
            ++i;
        } else if (const std::size_t n = Utf8SequenceAt(s, i)) {
            ++count.sequences, i += n;
        } else {
            ++count.stray, ++i;
        }
    }
    return count;
}

// Strict UTF-8.
inline bool ValidUtf8(std::string_view s) { return CountUtf8(s).stray == 0; }

// An 8-bit file reads as UTF-8 unless the bytes that start no sequence outnumber the sequences.
inline bool ReadsAsUtf8(std::string_view s) {
    const Utf8Count c = CountUtf8(s);
    return c.sequences >= c.stray;
}

// ---------------------------------------------------------------------------------------------
// INI files

enum class Encoding { kUtf8, kGb18030, kUtf16Le, kUtf16Be, kBrokenUtf16 };

// A file's text: for UTF-8 the bytes after a UTF-8 byte order mark; for UTF-16 the decoded
// text (as UTF-8) after its mark; for GB18030 the raw bytes after a UTF-8 mark.
struct Text {
    Encoding encoding = Encoding::kUtf8;
    std::string mark;
    std::string body;
};

inline Text Decode(std::string_view file) {
    Text t;
    const bool le = file.starts_with("\xFF\xFE"), be = file.starts_with("\xFE\xFF");
    if (le || be) {
        t.encoding = le ? Encoding::kUtf16Le : Encoding::kUtf16Be;
        t.mark = file.substr(0, 2);
        std::string_view in = file.substr(2);
        if (in.size() % 2) {
            t.encoding = Encoding::kBrokenUtf16;
            return t;
        }
        std::vector<std::uint32_t> units;
        for (std::size_t i = 0; i < in.size(); i += 2) {
            const unsigned a = static_cast<unsigned char>(in[i]);
            const unsigned b = static_cast<unsigned char>(in[i + 1]);
            units.push_back(be ? (a << 8 | b) : (b << 8 | a));
        }
        for (std::size_t i = 0; i < units.size(); ++i) {
            std::uint32_t cp = units[i];
            if (cp >= 0xDC00 && cp <= 0xDFFF) {
                t.encoding = Encoding::kBrokenUtf16;
                return t;
            }
            if (cp >= 0xD800 && cp <= 0xDBFF) {
                if (i + 1 >= units.size() || units[i + 1] < 0xDC00 || units[i + 1] > 0xDFFF) {
                    t.encoding = Encoding::kBrokenUtf16;
                    return t;
                }
                cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
            }
            if (cp < 0x80) {
                t.body += static_cast<char>(cp);
            } else if (cp < 0x800) {
                t.body += static_cast<char>(0xC0 | cp >> 6);
                t.body += static_cast<char>(0x80 | (cp & 0x3F));
            } else if (cp < 0x10000) {
                t.body += static_cast<char>(0xE0 | cp >> 12);
                t.body += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
                t.body += static_cast<char>(0x80 | (cp & 0x3F));
            } else {
                t.body += static_cast<char>(0xF0 | cp >> 18);
                t.body += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
                t.body += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
                t.body += static_cast<char>(0x80 | (cp & 0x3F));
            }
        }
        return t;
    }
    if (file.starts_with("\xEF\xBB\xBF")) {
        t.mark = file.substr(0, 3);
        file.remove_prefix(3);
    }
    t.body = file;
    t.encoding = ReadsAsUtf8(file) ? Encoding::kUtf8 : Encoding::kGb18030;
    return t;
}

// Whether lines can be read from the text as it is (UTF-8, or UTF-16 decoded).
inline bool Readable(const Text& t) {
    return t.encoding == Encoding::kUtf8 || t.encoding == Encoding::kUtf16Le ||
           t.encoding == Encoding::kUtf16Be;
}

struct Line {
    std::string content;
    std::string ending;  // "\r\n", "\n", "\r", or "" for the last line without one
    friend bool operator==(const Line&, const Line&) = default;
};

inline std::vector<Line> SplitLines(std::string_view s) {
    std::vector<Line> lines;
    std::size_t i = 0;
    while (i < s.size()) {
        Line l;
        while (i < s.size() && s[i] != '\r' && s[i] != '\n') l.content += s[i++];
        if (i < s.size()) {
            if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') {
                l.ending = "\r\n";
                i += 2;
            } else {
                l.ending = std::string(1, s[i++]);
            }
        }
        lines.push_back(std::move(l));
    }
    return lines;
}

enum class Kind { kOther, kSection, kKey };

struct Parsed {
    Kind kind = Kind::kOther;
    std::string name;
    std::string value;   // trimmed, one matching pair of quotes removed
    std::size_t eq = 0;  // where the '=' of a key line is
};

inline std::string Unquote(std::string s) {
    if (s.size() >= 2 && (s[0] == '"' || s[0] == '\'') && s.back() == s[0]) {
        return s.substr(1, s.size() - 2);
    }
    return s;
}

inline Parsed Classify(std::string_view content) {
    Parsed p;
    std::size_t first = 0;
    while (first < content.size() && Blank(content[first])) ++first;
    if (first == content.size() || content[first] == ';') return p;
    if (content[first] == '[') {
        const std::size_t close = content.find(']', first);
        if (close != std::string_view::npos) {
            p.kind = Kind::kSection;
            p.name = Trim(content.substr(first + 1, close - first - 1));
        }
        return p;
    }
    const std::size_t eq = content.find('=');
    if (eq == std::string_view::npos) return p;
    p.name = Trim(content.substr(0, eq));
    if (p.name.empty()) return p;
    p.kind = Kind::kKey;
    p.eq = eq;
    p.value = Unquote(Trim(content.substr(eq + 1)));
    return p;
}

// Where a section's lines are: the first section of that name only.
struct SectionPlace {
    bool found = false;
    std::size_t header = 0;   // index of its [section] line
    std::size_t end = 0;      // index of the line after its last line
    std::size_t lastKey = 0;  // index of its last key line, or its header
};

inline SectionPlace FindSection(const std::vector<Line>& lines, std::string_view section) {
    SectionPlace s;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const Parsed p = Classify(lines[i].content);
        if (!s.found) {
            if (p.kind == Kind::kSection && SameName(p.name, section)) {
                s.found = true;
                s.header = s.lastKey = i;
                s.end = lines.size();
            }
            continue;
        }
        if (p.kind == Kind::kSection) {
            s.end = i;
            break;
        }
        if (p.kind == Kind::kKey) s.lastKey = i;
    }
    return s;
}

// The index of the key's first line in the section, if any.
inline std::optional<std::size_t> FindKey(const std::vector<Line>& lines, const SectionPlace& s,
                                          std::string_view key) {
    if (!s.found) return std::nullopt;
    for (std::size_t i = s.header + 1; i < s.end; ++i) {
        const Parsed p = Classify(lines[i].content);
        if (p.kind == Kind::kKey && SameName(p.name, key)) return i;
    }
    return std::nullopt;
}

inline std::optional<std::string> Lookup(const std::vector<Line>& lines, std::string_view section,
                                         std::string_view key) {
    const auto at = FindKey(lines, FindSection(lines, section), key);
    if (!at) return std::nullopt;
    return Classify(lines[*at].content).value;
}

// Key names of the section in file order, as many as fit whole in `buffer` bytes when each
// takes its length plus a zero and the list ends with one more zero.
inline std::vector<std::string> SectionKeys(const std::vector<Line>& lines,
                                            std::string_view section, std::size_t buffer) {
    std::vector<std::string> keys;
    const SectionPlace s = FindSection(lines, section);
    if (!s.found || buffer == 0) return keys;
    std::size_t used = 1;
    for (std::size_t i = s.header + 1; i < s.end; ++i) {
        const Parsed p = Classify(lines[i].content);
        if (p.kind != Kind::kKey) continue;
        if (used + p.name.size() + 1 > buffer) break;
        used += p.name.size() + 1;
        keys.push_back(p.name);
    }
    return keys;
}

// An integer value: after trimming, an optional sign and decimal digits within 32 bits, or
// more than two characters starting 0x / 0X and then hexadecimal digits of a 32-bit pattern.
inline std::optional<int> ParseInteger(std::string_view raw) {
    const std::string s = Trim(raw);
    auto digit = [](char c, int base) -> int {
        int d = c >= '0' && c <= '9'   ? c - '0'
                : c >= 'a' && c <= 'z' ? c - 'a' + 10
                : c >= 'A' && c <= 'Z' ? c - 'A' + 10
                                       : 99;
        return d < base ? d : -1;
    };
    if (s.size() > 2 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        unsigned long long v = 0;
        for (std::size_t i = 2; i < s.size(); ++i) {
            const int d = digit(s[i], 16);
            if (d < 0) return std::nullopt;
            v = v * 16 + d;
            if (v > 0xFFFFFFFFull) return std::nullopt;
        }
        return static_cast<int>(static_cast<std::uint32_t>(v));
    }
    std::size_t i = 0;
    long long sign = 1;
    if (!s.empty() && (s[0] == '+' || s[0] == '-')) sign = s[i++] == '-' ? -1 : 1;
    if (i == s.size()) return std::nullopt;
    long long v = 0;
    for (; i < s.size(); ++i) {
        const int d = digit(s[i], 10);
        if (d < 0) return std::nullopt;
        v = v * 10 + d;
        if (v > 1LL << 32) return std::nullopt;
    }
    v *= sign;
    if (v < -2147483648LL || v > 2147483647LL) return std::nullopt;
    return static_cast<int>(v);
}

// What a section name, key name or value must be for the file to hold it.
inline bool FitsOnALine(std::string_view s) {
    return s.find_first_of(std::string_view("\r\n\0", 3)) == std::string_view::npos && ValidUtf8(s);
}
inline bool SectionNameOk(std::string_view s) {
    return FitsOnALine(s) && s.find(']') == std::string_view::npos && Trim(s) == s;
}
inline bool KeyNameOk(std::string_view s) {
    return !s.empty() && FitsOnALine(s) && s.find('=') == std::string_view::npos && s[0] != ';' &&
           s[0] != '[' && Trim(s) == s;
}
inline bool ValueOk(std::string_view s) { return FitsOnALine(s); }

}  // namespace reference
