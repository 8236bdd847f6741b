// A favourites list to and from palette files: what an export writes, and what an import
// adds. An import never loses or changes what a list already holds: names the settings file
// cannot hold are made safe, a name the list (or an earlier line of the file) already gives
// another colour gets a free name "<name> (2)", and an entry the list already holds with the
// same name and colour is not added again. All of it is written as one replacement of the
// settings file, or nothing is, and one notice says what happened.
#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Favourites.h"
#include "core/PaletteFile.h"
#include "core/Profile.h"

namespace huebird {

// The names a list shows, each with the colour a click on it applies; names whose value is
// no colour are left out and listed in `noColour`.
struct FavouritesOut {
    std::vector<PaletteEntry> entries;
    std::vector<std::string> noColour;
};
FavouritesOut CollectFavourites(const FavouritesStore& store, int list);

// Imported names are cut to this many bytes: a longer one would take a good part of the
// list's 16384-byte listing alone.
inline constexpr std::size_t kMaxImportedNameBytes = 1000;

enum class RenameReason {
    kCannotHold,  // '=', a line break, a zero byte, ';' or '[' in front
    kEmpty,       // the line had no name: the colour's code "#RRGGBB" names it
    kTooLong,     // cut to kMaxImportedNameBytes
    kTaken,       // the list or an earlier line gives the name another colour
};

// The name the settings file holds for an imported colour, and why it is not `name` (none
// when it is). '=' becomes '-', line breaks become spaces, zero bytes and bytes that are not
// UTF-8 go, blanks at the ends go, a ';' or '[' in front gets '_' before it.
std::string StorableName(std::string_view name, ColorValue color, std::optional<RenameReason>& why);

struct ImportRename {
    std::string from;
    std::string to;
    RenameReason reason = RenameReason::kCannotHold;
};

struct ImportPlan {
    std::vector<std::pair<std::string, std::string>> writes;  // name and RRGGBB, in file order
    std::vector<ImportRename> renamed;
    std::size_t alreadyThere = 0;  // same name and colour in the list or earlier in the file
    bool noRoom = false;           // the listing could not show every new name: none is added
};
ImportPlan PlanImport(const FavouritesStore& store, int list,
                      const std::vector<PaletteEntry>& entries);

// Plans the import and writes it as one replacement of the settings file. `written` fails
// (and the file is as it was) when the write does; nothing is written when there is no room
// or nothing new.
struct ImportResult {
    ImportPlan plan;
    WriteResult written;
    bool added() const { return written.ok && !plan.noRoom && !plan.writes.empty(); }
};
ImportResult ImportPalette(const FavouritesStore& store, int list,
                           const std::vector<PaletteEntry>& entries);

// The notices, built from texts marked for translation in kFavouritesTextContext; `say` gives
// each one in the user's language.
using Translate = std::function<std::string(const char*)>;
// After an import that was read and planned: what was added, renamed and left out, or that
// nothing was added for want of room. `failure` is the system's reason when the write failed.
std::string ImportSummary(const ImportPlan& plan, std::string_view fileName,
                          std::string_view listName, const Translate& say);
// A file that could not be read, or a write that failed.
std::string ImportFailure(std::string_view fileName, const PaletteRead& read, const Translate& say);
std::string ExportFailure(std::string_view fileName, std::string_view reason, const Translate& say);
// After an export, when entries were left out or nothing could be written; empty when there
// is nothing to say.
std::string ExportSummary(const FavouritesOut& out, const Translate& say);

}  // namespace huebird
