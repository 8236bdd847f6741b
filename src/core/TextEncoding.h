// The text encodings a settings file may come in (UTF-8, GB18030, UTF-16 with a byte order
// mark), and the conversions between them: UTF-16 by hand, exactly (nothing replaced, so a file
// that does not decode says where), the rest through iconv.
#pragma once

#include <iconv.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace huebird {

enum class Encoding { kUtf8, kGb18030, kUtf16Le, kUtf16Be };

inline bool IsUtf16(Encoding e) { return e == Encoding::kUtf16Le || e == Encoding::kUtf16Be; }

constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";

// UTF-16 text (without its byte order mark) to UTF-8. Nothing is replaced: an odd byte count
// or a surrogate without its partner makes the whole file undecodable, and the reason is
// returned instead.
std::optional<std::string> DecodeUtf16(std::string_view in, bool bigEndian, std::string& out);

// The number of UTF-16 code units of valid UTF-8 text.
std::size_t Utf16Units(std::string_view utf8);

// Valid UTF-8 (what decoding gave, plus names and values already checked) to UTF-16.
void EncodeUtf16(std::string_view utf8, bool bigEndian, std::string& out);

// One iconv conversion, from one encoding to another.
class Converter {
  public:
    Converter(const char* to, const char* from) : cd_(iconv_open(to, from)) {}
    ~Converter() {
        if (ok()) iconv_close(cd_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool ok() const { return cd_ != reinterpret_cast<iconv_t>(-1); }

    // Converts in into out. Without a replacement, an invalid sequence fails the conversion;
    // with one, each undecodable byte becomes the replacement so garbage cannot stop a read.
    bool Convert(std::string_view in, std::string& out, const char* replacement);

  private:
    iconv_t cd_;
};

}  // namespace huebird
