// The colour notations beyond the copy setting's: the "Copy as" entries, one text each, and
// reading back any colour text a designer copies ("Paste any colour").
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Color.h"
#include "core/CssColour.h"

namespace huebird {

struct CopyAsEntry {
    // What the entry is, untranslated (translated in the "CopyAs" context).
    const char* label;
    const char* format;        // its name on the command line (huebird --pick --print --format)
    std::string text;          // what a click puts on the clipboard
    bool approximate = false;  // the named colour is only the nearest one
    bool startsGroup = false;  // a separator goes before it
};

// In menu order: the copy setting's four texts (hexadecimal with and without '#', "RGB(...)"
// and the decimal number), then CSS's hexadecimal, rgb(), hsl(), hwb(), lab(), lch(), oklab(),
// oklch() and the nearest named colour.
std::vector<CopyAsEntry> CopyAsEntries(ColorValue c);

// The entries' format names, in menu order, and the one printed when none is asked for.
std::vector<std::string> CopyAsFormats();
inline constexpr const char* kDefaultPrintFormat = "hex";
// The text of the entry named `format` (case matters), or none for a name no entry has.
std::optional<std::string> CopyAsText(ColorValue c, std::string_view format);

// Reads colour text the way "Paste any colour" does: any CSS colour (ParseCssColour), also as
// the value of a declaration ("color: #e94560;", "--accent: red"), and every text this program
// copies: RRGGBB without '#', 0xRRGGBB, and the decimal number of 0xRRGGBB. Six decimal digits
// are read as hexadecimal unless `sixDigitsAreDecimal` (the copy setting is the decimal
// notation). Blanks, line breaks, no-break and zero-width spaces and a byte-order mark around
// the text are ignored. On failure, `why` says why.
std::optional<ColorValue> ReadAnyColour(std::string_view text, bool sixDigitsAreDecimal,
                                        CssProblem* why = nullptr);

// The clipboard text as a notice quotes it: line breaks and tabs shown as one visible mark
// each, cut to `maxChars` characters (not bytes) with "…" after; invalid UTF-8 shown as '?'.
std::string QuotedClipboardText(std::string_view text, std::size_t maxChars = 40);

}  // namespace huebird
