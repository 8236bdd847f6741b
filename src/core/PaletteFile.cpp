#include "core/PaletteFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <set>

#include "core/AtomicFile.h"
#include "core/CssColour.h"
#include "core/Text.h"

namespace fs = std::filesystem;

namespace huebird {

namespace {

constexpr std::string_view kHeader = "GIMP Palette";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
// A line shown in a message is cut to this many bytes (at a character's start).
constexpr std::size_t kShownLineBytes = 60;

std::string OneLine(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c == '\r' || c == '\n') c = ' ';
    }
    return out;
}

// The code point at text[i] and its length; an invalid byte reads as a code point no
// identifier holds, one byte long.
char32_t DecodeAt(std::string_view text, std::size_t i, std::size_t& length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    const unsigned char lead = byte(i);
    length = 1;
    if (lead < 0x80) return lead;
    const int extra = lead >= 0xF0 ? 3 : lead >= 0xE0 ? 2 : lead >= 0xC0 ? 1 : 0;
    if (extra == 0 || i + extra >= text.size() || !IsValidUtf8(text.substr(i, extra + 1))) {
        return 0xFFFF;  // a noncharacter: outside every identifier range
    }
    char32_t cp = lead & (0x3F >> extra);
    for (int k = 1; k <= extra; ++k) cp = (cp << 6) | (byte(i + k) & 0x3F);
    length = static_cast<std::size_t>(extra) + 1;
    return cp;
}

// The code points outside ASCII that an identifier may hold as they are.
bool IsIdentifierCodePoint(char32_t c) {
    return c == 0xB7 || (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) ||
           (c >= 0xF8 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C || c == 0x200D ||
           c == 0x203F || c == 0x2040 || (c >= 0x2070 && c <= 0x218F) ||
           (c >= 0x2C00 && c <= 0x2FEF) || (c >= 0x3001 && c <= 0xD7FF) ||
           (c >= 0xF900 && c <= 0xFDCF) || (c >= 0xFDF0 && c <= 0xFFFD) || c >= 0x10000;
}

// The text cut to at most `bytes` bytes without splitting a character, "…" marking a cut.
std::string Shortened(std::string_view text, std::size_t bytes) {
    if (text.size() <= bytes) return std::string(text);
    return std::string(Utf8PrefixView(text, bytes)) + "\xE2\x80\xA6";
}

// "Name:" or "Columns:" at the start of a line, with or without blanks after the colon; the
// rest of the line without its blanks.
std::optional<std::string_view> AfterKeyword(std::string_view line, std::string_view keyword) {
    if (!line.starts_with(keyword)) return std::nullopt;
    return TrimBlanksView(line.substr(keyword.size()));
}

// The next blank-separated word of `rest`, taken off its front ("3x" is one word, and no
// number).
std::string_view NextWord(std::string_view& rest) {
    rest = TrimLeadingBlanksView(rest);
    std::size_t end = 0;
    while (end < rest.size() && !IsBlank(rest[end])) ++end;
    std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

enum class Component { kValue, kOutOfRange, kNotANumber };

// A decimal component: digits only (a '-' in front makes it a number below 0).
Component ReadComponent(std::string_view word, int& value) {
    const bool negative = word.starts_with('-');
    if (negative) word.remove_prefix(1);
    if (word.empty()) return Component::kNotANumber;
    long long n = 0;
    for (char c : word) {
        if (c < '0' || c > '9') return Component::kNotANumber;
        if (n <= 255) n = n * 10 + (c - '0');
    }
    if (negative && n != 0) return Component::kOutOfRange;
    if (n > 255) return Component::kOutOfRange;
    value = static_cast<int>(n);
    return Component::kValue;
}

PaletteRead Problem(PaletteProblem problem, std::size_t line = 0, std::string detail = {}) {
    PaletteRead read;
    read.problem = problem;
    read.line = line;
    read.detail = std::move(detail);
    return read;
}

}  // namespace

const char* PaletteProblemText(PaletteProblem problem) {
    switch (problem) {
        case PaletteProblem::kNone:
            return "";
        case PaletteProblem::kCannotRead:
            return HB_TR_NOOP("huebird::MarksForm", "无法读取文件：%2");
        case PaletteProblem::kTooLarge:
            return HB_TR_NOOP("huebird::MarksForm", "文件太大（调色板文件最多 %2 字节）。");
        case PaletteProblem::kEmpty:
            return HB_TR_NOOP("huebird::MarksForm", "文件是空的。");
        case PaletteProblem::kNotUtf8:
            return HB_TR_NOOP("huebird::MarksForm",
                              "第 %1 行不是 UTF-8 文本：调色板文件必须用 UTF-8 编码。");
        case PaletteProblem::kNoHeader:
            return HB_TR_NOOP("huebird::MarksForm",
                              "第 1 行不是“GIMP Palette”：这不是 GIMP 调色板文件。");
        case PaletteProblem::kValueOutOfRange:
            return HB_TR_NOOP("huebird::MarksForm", "第 %1 行：颜色值 %2 不在 0 到 255 之间。");
        case PaletteProblem::kNotAColour:
            return HB_TR_NOOP("huebird::MarksForm", "第 %1 行不是颜色（应为“红 绿 蓝 名称”）：%2");
        case PaletteProblem::kNoColours:
            return HB_TR_NOOP("huebird::MarksForm", "文件中没有颜色。");
    }
    return "";
}

std::string GplText(std::string_view paletteName, std::span<const PaletteEntry> entries) {
    std::string text =
        "GIMP Palette\nName: " + OneLine(TrimBlanksView(paletteName)) + "\nColumns: 0\n#\n";
    for (const PaletteEntry& e : entries) {
        char numbers[16];
        std::snprintf(numbers, sizeof numbers, "%3d %3d %3d\t", RedOf(e.color), GreenOf(e.color),
                      BlueOf(e.color));
        text += numbers;
        text += OneLine(e.name);
        text += '\n';
    }
    return text;
}

std::string CssPropertyName(std::string_view name) {
    std::string body;
    bool dash = false;  // a '-' is pending: written only before the next character kept
    for (std::size_t i = 0; i < name.size();) {
        std::size_t length = 1;
        const char32_t c = DecodeAt(name, i, length);
        const bool asciiKept =
            (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
        if (asciiKept || (c >= 0x80 && IsIdentifierCodePoint(c))) {
            if (dash && !body.empty()) body += '-';
            dash = false;
            if (c >= 'A' && c <= 'Z') {
                body += static_cast<char>(c - 'A' + 'a');
            } else {
                body.append(name.substr(i, length));
            }
        } else {
            dash = true;
        }
        i += length;
    }
    return "--" + (body.empty() ? std::string("colour") : body);
}

std::string CssPropertiesText(std::span<const PaletteEntry> entries) {
    std::string text = ":root {\n";
    std::set<std::string> used;
    for (const PaletteEntry& e : entries) {
        const std::string base = CssPropertyName(e.name);
        std::string property = base;
        for (int n = 2; used.contains(property); ++n) property = base + "-" + std::to_string(n);
        used.insert(property);
        text += "  " + property + ": " + CssText(e.color, CssNotation::Hex) + ";";
        if (property != "--" + e.name) {
            // The name as it was, where a comment can hold it.
            std::string shown = OneLine(e.name);
            for (std::size_t at; (at = shown.find("*/")) != std::string::npos;) {
                shown.replace(at, 2, "* /");
            }
            text += " /* " + shown + " */";
        }
        text += '\n';
    }
    text += "}\n";
    return text;
}

PaletteRead ParseGpl(std::string_view text) {
    if (text.empty()) return Problem(PaletteProblem::kEmpty);
    if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
    if (text.empty()) return Problem(PaletteProblem::kEmpty);
    PaletteRead read;
    std::size_t number = 0;
    while (!text.empty()) {
        // "\n", "\r\n" and a lone "\r" all end a line.
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view raw = text.substr(0, end);
        if (end == std::string_view::npos) {
            text = {};
        } else {
            const std::size_t next =
                (text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? end + 2
                                                                                      : end + 1;
            text.remove_prefix(next);
        }
        ++number;
        if (!IsValidUtf8(raw)) return Problem(PaletteProblem::kNotUtf8, number);
        const std::string_view line = TrimBlanksView(raw);
        if (number == 1) {
            if (!line.starts_with(kHeader)) return Problem(PaletteProblem::kNoHeader, 1);
            continue;
        }
        if (line.empty() || line.front() == '#') continue;
        if (auto name = AfterKeyword(line, "Name:")) {
            read.palette.name = std::string(*name);
            continue;
        }
        // The number of columns only lays the palette out: one it cannot use is ignored, as
        // GIMP does.
        if (AfterKeyword(line, "Columns:")) continue;
        std::string_view rest = line;
        int rgb[3] = {0, 0, 0};
        for (int& component : rgb) {
            const std::string_view word = NextWord(rest);
            switch (ReadComponent(word, component)) {
                case Component::kValue:
                    break;
                case Component::kOutOfRange:
                    return Problem(PaletteProblem::kValueOutOfRange, number, std::string(word));
                case Component::kNotANumber:
                    return Problem(PaletteProblem::kNotAColour, number,
                                   Shortened(line, kShownLineBytes));
            }
        }
        read.palette.entries.push_back(
            {std::string(TrimBlanksView(rest)), MakeColor(rgb[0], rgb[1], rgb[2])});
    }
    if (read.palette.entries.empty()) return Problem(PaletteProblem::kNoColours);
    return read;
}

PaletteRead ReadGplFile(const fs::path& path) {
    const Loaded file = ReadPlainFile(path, kMaxPaletteFileBytes);
    switch (file.error) {
        case LoadError::kNone:
            return ParseGpl(file.bytes);
        case LoadError::kNotRegular:
            return Problem(PaletteProblem::kCannotRead, 0, "not a plain file");
        case LoadError::kTooLarge:
            return Problem(PaletteProblem::kTooLarge, 0, std::to_string(kMaxPaletteFileBytes));
        case LoadError::kMissing:
        case LoadError::kSystem:
            break;
    }
    return Problem(PaletteProblem::kCannotRead, 0, SystemReason(file.errnum));
}

std::optional<std::string> WritePaletteFile(const fs::path& path, std::string_view text) {
    const auto writer = [text](int fd) { return WriteAll(fd, text); };
    const auto failed = [](const std::string& why) { return std::optional<std::string>(why); };
    std::error_code ec;
    const fs::path target = fs::canonical(path, ec);
    if (!ec) {
        UniqueFd fd(::open(target.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat st {};
        if (fd.get() < 0 || ::fstat(fd.get(), &st) != 0) return failed(SystemReason(errno));
        if (!S_ISREG(st.st_mode)) return failed("not a plain file");
        // Replacing needs only the folder to be writable; a read-only file must still refuse.
        if (::faccessat(AT_FDCWD, target.c_str(), W_OK, AT_EACCESS) != 0) {
            return failed(SystemReason(errno));
        }
        if (auto error = ReplaceWhole(target, fd.get(), st, writer)) return failed(*error);
        return std::nullopt;
    }
    if (ec != std::errc::no_such_file_or_directory) return failed(ec.message());
    // A link that points at nothing would be kept as "already there" and nothing written.
    if (fs::is_symlink(fs::symlink_status(path, ec))) return failed("a link to a missing file");
    if (auto error = CreateWhole(path, 0666, writer)) return failed(*error);
    return std::nullopt;
}

}  // namespace huebird
