// Palette files a favourites list goes out to and comes in from: the GIMP/Inkscape palette
// (.gpl) both ways, CSS custom properties out only. The texts are made and read here; the
// files are read whole with a size limit and written whole or not at all.
//
// A .gpl is UTF-8 text: the line "GIMP Palette", then "Name:" and "Columns:" lines, comments
// starting with '#', blank lines, and one colour a line, "R G B" in decimal 0..255 followed by
// the colour's name. Reading is lenient where GIMP's own reader is (blanks and tabs anywhere
// between the parts, CRLF or CR line ends, a UTF-8 byte order mark, "Name:" and "Columns:"
// with or without a space, a Columns value it cannot use) and strict about what would change
// a colour: a missing header, a value outside 0..255, a line that is not a colour.
#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/Color.h"
#include "core/Translatable.h"

namespace huebird {

struct PaletteEntry {
    std::string name;
    ColorValue color = 0;
    bool operator==(const PaletteEntry&) const = default;
};

// The .gpl text: header, "Name: <paletteName>", "Columns: 0", "#", then one line a colour as
// GIMP writes them ("%3d %3d %3d\t<name>"). Line breaks in a name become spaces.
std::string GplText(std::string_view paletteName, std::span<const PaletteEntry> entries);

// The custom property a colour's name becomes: "--" and the name with ASCII letters in lower
// case, every run of characters an identifier cannot hold (blanks, punctuation other than '-'
// and '_', controls, the code points CSS keeps out of identifiers) one '-', and no '-' at the
// ends; "--colour" when nothing is left.
std::string CssPropertyName(std::string_view name);
// ":root {", then "  --name: #rrggbb;" a colour, then "}". Two names that come out the same
// get "-2", "-3" ... after the later ones; a name that changed is kept in a comment after the
// line.
std::string CssPropertiesText(std::span<const PaletteEntry> entries);

// Why a palette file was not read. Each text takes the line number as %1 and the detail (the
// offending value or text, the size limit, the system's reason) as %2; it is translated where
// it is shown in the context kPaletteTextContext.
enum class PaletteProblem {
    kNone,
    kCannotRead,  // %2: the system's reason
    kTooLarge,    // %2: the limit in bytes
    kEmpty,
    kNotUtf8,          // %1: the first line with bytes that are not UTF-8
    kNoHeader,         // line 1 is not "GIMP Palette"
    kValueOutOfRange,  // %1, %2: the value
    kNotAColour,       // %1, %2: the line's text (cut short)
    kNoColours,
};
inline constexpr const char* kPaletteTextContext = "huebird::MarksForm";
const char* PaletteProblemText(PaletteProblem problem);

inline constexpr std::size_t kMaxPaletteFileBytes = 1024 * 1024;

struct GplPalette {
    std::string name;  // from "Name:", empty without one
    std::vector<PaletteEntry> entries;
};

struct PaletteRead {
    GplPalette palette;  // empty unless problem is kNone
    PaletteProblem problem = PaletteProblem::kNone;
    std::size_t line = 0;
    std::string detail;
    explicit operator bool() const { return problem == PaletteProblem::kNone; }
};

// Reads a .gpl text. Names are the rest of a colour line after the blue value, without the
// blanks round them, otherwise as written (they may be empty). A palette without colours is
// kNoColours.
PaletteRead ParseGpl(std::string_view text);
// Reads the file at `path` (a plain file of at most kMaxPaletteFileBytes) and parses it.
PaletteRead ReadGplFile(const std::filesystem::path& path);

// Writes `text` to `path` whole or not at all: an existing file (the file a link points to)
// is replaced keeping its owner and mode, a new one is created. The error says what failed
// and the system's reason (not the path).
std::optional<std::string> WritePaletteFile(const std::filesystem::path& path,
                                            std::string_view text);

}  // namespace huebird
