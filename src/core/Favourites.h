// The three favourites lists: sections of the settings file, one name=RRGGBB line an entry.
// Nothing is cached: every call reads the file afresh.
#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
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

class FavouritesStore {
public:
    explicit FavouritesStore(std::filesystem::path settingsFile) : profile_(std::move(settingsFile)) {}

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

    // Writes name=value at the end of the list (or in place); refuses names the format
    // cannot hold. Never creates the file.
    WriteResult Put(int list, std::string_view name, std::string_view value) const;
    WriteResult Remove(int list, std::string_view name) const;

private:
    Profile profile_;
};

}  // namespace huebird
