// Palette files (core/PaletteFile.h) and the names an import stores (core/FavouritesPalette.h):
// whatever the bytes, reading ends with a palette or a problem that names a line within the
// text; a palette read is written back and read again to the same entries; every name an
// import would store is one the settings file holds as it is; and a custom property name is
// "--" and characters an identifier may hold.
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "core/FavouritesPalette.h"
#include "core/PaletteFile.h"
#include "core/Text.h"

using namespace huebird;

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

std::size_t LineCount(std::string_view text) {
    std::size_t lines = text.empty() ? 0 : 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' || (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
            if (i + 1 < text.size()) ++lines;
        }
    }
    return lines;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const PaletteRead read = ParseGpl(text);
    if (!read) {
        Require(read.palette.entries.empty());
        Require(read.line <= LineCount(text));
        return 0;
    }
    Require(!read.palette.entries.empty());
    for (const PaletteEntry& entry : read.palette.entries) {
        Require(IsValidUtf8(entry.name));
        Require(entry.name.find_first_of("\r\n") == std::string::npos);
        Require(TrimBlanksView(entry.name).size() == entry.name.size());
        Require(entry.color <= 0xFFFFFF);

        std::optional<RenameReason> why;
        const std::string stored = StorableName(entry.name, entry.color, why);
        Require(!FavouriteNameProblem(stored));
        Require(stored.size() <= kMaxImportedNameBytes);
        Require(why.has_value() == (stored != entry.name));

        const std::string property = CssPropertyName(entry.name);
        Require(property.size() > 2 && property.starts_with("--"));
        Require(IsValidUtf8(property));
        for (char c : property) {
            const auto byte = static_cast<unsigned char>(c);
            Require(byte >= 0x80 || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' ||
                    c == '_');
        }
    }
    const PaletteRead again = ParseGpl(GplText(read.palette.name, read.palette.entries));
    Require(static_cast<bool>(again));
    Require(again.palette.entries == read.palette.entries);
    return 0;
}
