#include "core/Favourites.h"

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

std::vector<std::string> FavouritesStore::Names(int list) const {
    if (!Section(list) || !Exists()) return {};
    return profile_.ReadSectionKeys(Section(list), kFavouriteListingBytes);
}

std::string FavouritesStore::Value(int list, std::string_view name) const {
    if (!Section(list)) return "0";
    return profile_.ReadString(Section(list), name, "0");
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

WriteResult FavouritesStore::Remove(int list, std::string_view name) const {
    if (!Section(list)) return {false, "no such favourites list"};
    return profile_.DeleteKey(Section(list), name);
}

}  // namespace huebird
