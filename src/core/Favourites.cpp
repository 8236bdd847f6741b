#include "core/Favourites.h"

#include <algorithm>
#include "core/Text.h"

namespace huebird {

namespace {

const char* Section(int list) {
    return list >= 0 && list < kFavouriteListCount ? kFavouriteSections[list] : nullptr;
}

}  // namespace

std::optional<std::string> FavouriteNameProblem(std::string_view name) {
    return KeyNameProblem(name);
}

std::size_t FavouriteNameBytesAtMost(std::string_view name) {
    std::size_t ascii = 0;
    std::size_t others = 0;  // UTF-8 lead bytes: one for each character outside ASCII
    for (char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x80) {
            ++ascii;
        } else if (byte >= 0xC0) {
            ++others;
        }
    }
    return std::max(name.size(), ascii + 4 * others);
}

std::vector<std::string> FavouritesStore::Names(int list) const {
    if (!Section(list) || !Exists()) return {};
    return profile_.ReadSectionKeys(Section(list), kFavouriteListingBytes);
}

std::string FavouritesStore::Value(int list, std::string_view name) const {
    if (!Section(list)) return "0";
    return profile_.ReadString(Section(list), name, "0");
}

bool FavouritesStore::Contains(int list, std::string_view name) const {
    if (!Section(list)) return false;
    // No value can hold a line break, so this default is never a stored value.
    constexpr std::string_view kAbsent = "\n";
    return profile_.ReadString(Section(list), name, kAbsent) != kAbsent;
}

FavouriteAddProblem FavouritesStore::CheckNewName(int list, std::string_view name) const {
    if (Contains(list, name)) return FavouriteAddProblem::kTaken;
    return HasRoomFor(list, {std::string(name)}) ? FavouriteAddProblem::kNone
                                                 : FavouriteAddProblem::kNoRoom;
}

std::vector<std::string> FavouritesStore::AllNames(int list) const {
    if (!Section(list) || !Exists()) return {};
    return profile_.ReadSectionKeys(Section(list), Profile::kMaxFileSize + 1);
}

bool FavouritesStore::HasRoomFor(int list, const std::vector<std::string>& names) const {
    if (!Section(list)) return false;
    // Each name and its zero, then the final zero: names this long can never be listed.
    std::size_t need = 0;
    for (const std::string& name : names) need += FavouriteNameBytesAtMost(name) + 1;
    if (need + 1 > kFavouriteListingBytes) return false;
    // The listing measures the names already there in the file's own bytes: they leave
    // room for the new ones exactly when all of them fit in what the new ones leave free.
    const std::size_t all = AllNames(list).size();
    const std::size_t shown =
        profile_.ReadSectionKeys(Section(list), kFavouriteListingBytes - need).size();
    return shown == all;
}

std::optional<ColorValue> FavouritesStore::ClickColor(int list, std::string_view name) const {
    if (!Exists()) return std::nullopt;
    ColorValue c = 0;
    if (!ParseHexColor(Value(list, name), c)) return std::nullopt;
    return c;
}

std::optional<ColorValue> FavouritesStore::DrawColor(int list, std::string_view name) const {
    if (!Exists()) return std::nullopt;
    ColorValue c = 0;
    if (!ParseHexColorPlain(Value(list, name), c)) return std::nullopt;
    return c;
}

WriteResult FavouritesStore::Put(int list, std::string_view name, std::string_view value) const {
    if (!Section(list)) return {false, "no such favourites list"};
    if (auto problem = FavouriteNameProblem(name)) {
        return {false, "the name \"" + std::string(name) + "\" " + *problem};
    }
    return profile_.WriteString(Section(list), name, value);
}

WriteResult FavouritesStore::PutAll(
    int list, const std::vector<std::pair<std::string, std::string>>& entries) const {
    if (!Section(list)) return {false, "no such favourites list"};
    for (const auto& [name, value] : entries) {
        if (auto problem = FavouriteNameProblem(name)) {
            return {false, "the name \"" + name + "\" " + *problem};
        }
    }
    return profile_.WriteStrings(Section(list), entries);
}

WriteResult FavouritesStore::Remove(int list, std::string_view name) const {
    if (!Section(list)) return {false, "no such favourites list"};
    return profile_.DeleteKey(Section(list), name);
}

std::string FavouritesStore::FailureReason(const WriteResult& result) const {
    // Failed writes say "<file>: <reason>".
    const std::string prefix = profile_.path().string() + ": ";
    if (result.message.starts_with(prefix)) return result.message.substr(prefix.size());
    return result.message;
}

}  // namespace huebird
