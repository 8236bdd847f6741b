#include "core/Favourites.h"

namespace huebird {

namespace {

const char* Section(int list) {
    return list >= 0 && list < kFavouriteListCount ? kFavouriteSections[list] : nullptr;
}

}  // namespace

std::optional<std::string> FavouriteNameProblem(std::string_view name) {
    if (name.empty()) return "empty";
    if (name.find('=') != std::string_view::npos) return "contains \"=\"";
    if (name.find_first_of("\r\n") != std::string_view::npos) return "contains a line break";
    if (name.find('\0') != std::string_view::npos) return "contains a zero byte";
    if (name.front() == ';' || name.front() == '[') return "starts with \";\" or \"[\"";
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    if (blank(name.front()) || blank(name.back())) return "starts or ends with a blank";
    return std::nullopt;
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
