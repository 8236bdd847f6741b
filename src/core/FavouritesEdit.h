// The favourites manager's edits: adding the active colour under a name, deleting an entry,
// moving one to another list, and inspecting one. Each edit checks its input, writes the
// settings file first, and says what the manager's lists and the swatch menu may show
// afterwards: only what the file now holds, so nothing is lost or shown that is not stored.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/Color.h"
#include "core/Favourites.h"
#include "core/Translatable.h"

namespace huebird {

// What the manager tells the user about an edit.
enum class FavouriteNotice {
    kNone,
    kEnterName,         // add: no name was typed
    kBadName,           // add: the file cannot hold the name as a key
    kAlreadyListed,     // add: the list shows the name, or the file holds it beyond the listing
    kNoRoom,            // add: the list's listing could not show the name
    kChooseName,        // move: no entry is selected
    kSameList,          // move: from a list to itself
    kTargetHasName,     // move: the target shows the name, or holds it beyond the listing
    kNoRoomToMove,      // move: the target's listing could not show the name
    kCannotSave,        // a write failed and the file is as it was
    kCopiedNotRemoved,  // move: the target holds the entry, but the source could not let it go
};

// The manager's text for a notice (none for kNone), translated where it is shown in the
// context kFavouritesTextContext. A failed write's text leads the file's name and the reason.
inline constexpr const char* kFavouritesTextContext = "huebird::MarksForm";
const char* FavouriteNoticeText(FavouriteNotice notice);

struct FavouriteEdit {
    FavouriteNotice notice = FavouriteNotice::kNone;
    std::string reason;    // the system's reason, for kCannotSave and kCopiedNotRemoved
    bool added = false;    // the entry was written to the list it goes to
    bool removed = false;  // the entry was taken out of the list it came from
    std::size_t row = 0;   // delete: the shown row the removed entry was on
    // move: the lists' names must be read from the file again (a write was tried, or there is
    // no file); a move refused before any write leaves them as they are
    bool reload = false;
};

// The row of `name` among `shown`, compared as the settings file compares keys; none if absent.
std::optional<std::size_t> FindFavourite(const std::vector<std::string>& shown,
                                         std::string_view name);

// Adds name=code at the end of `list`, which shows `shown` (the names may lag behind the
// file). Refused, in this order: no name, a name the file cannot hold; then, with a file only,
// a name the list shows or holds, a name the listing could not show. Without a file nothing
// happens and nothing is said. On success `added`: the name goes at the end of the list shown.
FavouriteEdit AddFavourite(const FavouritesStore& store, int list, std::string_view name,
                           std::string_view code, const std::vector<std::string>& shown);

// Deletes the shown entry named `typed` (compared as keys are) from `list`. Nothing happens,
// and nothing is said, without a file or when no shown entry has that name. On success
// `removed` and `row`: the entry of that row leaves the list shown.
FavouriteEdit DeleteFavourite(const FavouritesStore& store, int list, std::string_view typed,
                              const std::vector<std::string>& shown);

// Moves the entry `picked` (none when nothing is selected) from list `from` to list `to`,
// which shows `targetShown`. Refused, in this order: nothing picked, the same list; then,
// with a file only, a name the target shows or holds, a name its listing could not show. The
// target is written first, so a failure anywhere leaves the entry in at least one list;
// `added` and `removed` say which writes succeeded.
FavouriteEdit MoveFavourite(const FavouritesStore& store, int from, int to,
                            const std::optional<std::string>& picked,
                            const std::vector<std::string>& targetShown);

// An entry as the manager shows it: the stored value as written, and the colour the preview
// takes (none for a value it cannot show, which leaves the preview as it was).
struct FavouriteEntry {
    std::string code;
    std::optional<ColorValue> preview;
};
FavouriteEntry InspectFavourite(const FavouritesStore& store, int list, std::string_view name);

}  // namespace huebird
