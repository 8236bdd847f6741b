// The three favourites lists: sections of the settings file, one name=RRGGBB line an entry.
// Nothing is cached: every call reads the file afresh.
#pragma once

#include <array>
#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "core/Color.h"
#include "core/Profile.h"

namespace huebird {

inline constexpr int kFavouriteListCount = 3;
inline constexpr std::array<const char*, kFavouriteListCount> kFavouriteSections = {
    "BookMarks", "BookMarks1", "BookMarks2"};
// The names of a list are listed through one buffer of this many bytes.
inline constexpr std::size_t kFavouriteListingBytes = 16384;

// Why a name cannot be stored as an INI key (it would be lost or renamed), or nothing.
std::optional<std::string> FavouriteNameProblem(std::string_view name);

// The most bytes a UTF-8 name can take in the settings file, whichever encoding the file is
// in: one for each ASCII character and four for any other (UTF-8 needs two to four, GB18030
// two or four), and never less than the name's UTF-8 length.
std::size_t FavouriteNameBytesAtMost(std::string_view name);

// Why a new name cannot join a list, or kNone.
enum class FavouriteAddProblem {
    kNone,
    kTaken,   // the list already holds the name (letter case aside), listed or not
    kNoRoom,  // the listing could not show it: the name would hide itself at the next start
};

class FavouritesStore {
  public:
    explicit FavouritesStore(std::filesystem::path settingsFile)
        : profile_(std::move(settingsFile)) {}

    bool Exists() const { return profile_.Exists(); }
    // The names of list 0..2 in file order; none without a file.
    std::vector<std::string> Names(int list) const;
    // The stored value as written, "0" for a missing name.
    std::string Value(int list, std::string_view name) const;
    // The colour a click applies (lenient: a leading '#' is taken); none when the file is
    // missing or the value is rejected.
    std::optional<ColorValue> ClickColor(int list, std::string_view name) const;
    // The colour an entry line shows (no '#' rule); none when it shows nothing.
    std::optional<ColorValue> DrawColor(int list, std::string_view name) const;

    // Whether the list holds the name, compared as keys are, including names that lie
    // beyond the listing.
    bool Contains(int list, std::string_view name) const;
    // Whether a new name may be appended to the list and still be listed. It may when the
    // section's names as the file holds them (every key line of its first [section], counted
    // in the file's own bytes, each with its zero), the final zero, and the new name counted
    // at FavouriteNameBytesAtMost with its zero fit in kFavouriteListingBytes. A list that
    // already has names beyond the listing takes none. Names in a UTF-8 file with characters
    // outside ASCII may be refused a few bytes before the buffer is strictly full.
    FavouriteAddProblem CheckNewName(int list, std::string_view name) const;
    // Every name of the list as the file holds it, those beyond the listing included.
    std::vector<std::string> AllNames(int list) const;
    // Whether all these new names (none of them in the list yet) may be appended to the list
    // and still be listed, by CheckNewName's measure for all of them at once.
    bool HasRoomFor(int list, const std::vector<std::string>& names) const;

    // Writes name=value at the end of the list (or in place); refuses names the format
    // cannot hold. Never creates the file. New names are checked with CheckNewName first.
    WriteResult Put(int list, std::string_view name, std::string_view value) const;
    // Writes the entries as Put would, one after another, as one replacement of the file:
    // all of them are written or none.
    WriteResult PutAll(int list,
                       const std::vector<std::pair<std::string, std::string>>& entries) const;
    WriteResult Remove(int list, std::string_view name) const;
    // The system's reason in a failed write's message, without the file name in front.
    std::string FailureReason(const WriteResult& result) const;
    const std::filesystem::path& path() const { return profile_.path(); }

  private:
    Profile profile_;
};

}  // namespace huebird
