#include "core/TextEncoding.h"

#include <cerrno>

namespace huebird {

// UTF-16 text (without its byte order mark) to UTF-8. Nothing is replaced: an odd byte count
// or a surrogate without its partner makes the whole file undecodable, and the reason is
// returned instead.
std::optional<std::string> DecodeUtf16(std::string_view in, bool bigEndian, std::string& out) {
    if (in.size() % 2 != 0) return "an odd number of bytes";
    out.clear();
    out.reserve(in.size() + in.size() / 2);
    auto unitAt = [&](std::size_t i) -> unsigned {
        const auto a = static_cast<unsigned char>(in[i]), b = static_cast<unsigned char>(in[i + 1]);
        return bigEndian ? (a << 8 | b) : (b << 8 | a);
    };
    for (std::size_t i = 0; i < in.size(); i += 2) {
        unsigned cp = unitAt(i);
        if (cp >= 0xD800 && cp <= 0xDFFF) {
            const unsigned low = i + 2 < in.size() ? unitAt(i + 2) : 0;
            if (cp >= 0xDC00 || low < 0xDC00 || low > 0xDFFF) {
                // Offsets count from the start of the file, byte order mark included.
                return "an unpaired surrogate at byte " + std::to_string(i + 2);
            }
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
            i += 2;
        }
        if (cp < 0x80) {
            out += static_cast<char>(cp);
        } else if (cp < 0x800) {
            out += static_cast<char>(0xC0 | cp >> 6);
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else if (cp < 0x10000) {
            out += static_cast<char>(0xE0 | cp >> 12);
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        } else {
            out += static_cast<char>(0xF0 | cp >> 18);
            out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
            out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
            out += static_cast<char>(0x80 | (cp & 0x3F));
        }
    }
    return std::nullopt;
}

// The number of UTF-16 code units of valid UTF-8 text.
std::size_t Utf16Units(std::string_view utf8) {
    std::size_t units = 0;
    for (char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c & 0xC0) != 0x80) ++units;  // every character starts with a non-continuation byte
        if (c >= 0xF0) ++units;           // and four-byte ones need a surrogate pair
    }
    return units;
}

// Valid UTF-8 (what decoding gave, plus names and values already checked) to UTF-16.
void EncodeUtf16(std::string_view utf8, bool bigEndian, std::string& out) {
    out.reserve(out.size() + 2 * Utf16Units(utf8));
    auto unit = [&](unsigned u) {
        const char hi = static_cast<char>(u >> 8), lo = static_cast<char>(u & 0xFF);
        out += bigEndian ? hi : lo;
        out += bigEndian ? lo : hi;
    };
    const auto* p = reinterpret_cast<const unsigned char*>(utf8.data());
    const auto* end = p + utf8.size();
    while (p < end) {
        const unsigned c = *p;
        int extra = c < 0x80 ? 0 : c < 0xE0 ? 1 : c < 0xF0 ? 2 : 3;
        if (end - p <= extra) break;
        unsigned cp = extra == 0 ? c : c & (0x3Fu >> extra);
        for (int k = 1; k <= extra; ++k) cp = cp << 6 | (p[k] & 0x3F);
        p += extra + 1;
        if (cp >= 0x10000) {
            unit(0xD800 + ((cp - 0x10000) >> 10));
            unit(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            unit(cp);
        }
    }
}

bool Converter::Convert(std::string_view in, std::string& out, const char* replacement) {
    out.clear();
    if (!ok()) return false;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr);
    char* src = const_cast<char*>(in.data());
    std::size_t left = in.size();
    char buf[1024];
    while (left > 0) {
        char* dst = buf;
        std::size_t room = sizeof buf;
        std::size_t r = iconv(cd_, &src, &left, &dst, &room);
        int err = errno;
        out.append(buf, static_cast<std::size_t>(dst - buf));
        if (r != static_cast<std::size_t>(-1) || err == E2BIG) continue;
        if ((err == EILSEQ || err == EINVAL) && replacement != nullptr) {
            out += replacement;
            ++src;
            --left;
            continue;
        }
        return false;
    }
    char* dst = buf;
    std::size_t room = sizeof buf;
    if (iconv(cd_, nullptr, nullptr, &dst, &room) == static_cast<std::size_t>(-1)) {
        return false;
    }
    out.append(buf, static_cast<std::size_t>(dst - buf));
    return true;
}

}  // namespace huebird
