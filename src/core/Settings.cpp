#include "core/Settings.h"

#include <string>
#include <utility>
#include <vector>

namespace huebird {

StartSettings LoadSettings(const Profile& p) {
    StartSettings s;
    s.skinName = p.ReadString(keys::kSection, keys::kSkinName, kDefaultSkinName);
    s.top = p.ReadInteger(keys::kSection, keys::kTop, 10);
    s.left = p.ReadInteger(keys::kSection, keys::kLeft, 10);
    s.copyAddHash = p.ReadInteger(keys::kSection, keys::kCopyAddHash, 1) != 0;
    s.copyType = p.ReadInteger(keys::kSection, keys::kCopyType, 0);
    s.palIndex = p.ReadInteger(keys::kSection, keys::kPalIndex, 0);
    s.pickArea =
        PickAreaFromSetting(p.ReadInteger(keys::kSection, keys::kPickArea, kDefaultPickArea));
    return s;
}

void LoadColors(const Profile& p, ColorModel& model) {
    auto parse = [&](const char* key, const char* def) {
        ParseHexColor(p.ReadString(keys::kSection, key, def), model.WorkColor);
    };
    parse(keys::kBorderColor, "737373");
    model.BorderColor = model.WorkColor;
    parse(keys::kImgColor, "252520");
    model.ImgColor = model.WorkColor;
    for (int s = 0; s < ColorModel::kSwatchCount; ++s) {
        parse(keys::kColors[s], "000000");
        model.SetActiveSwatch(s);
        model.PaintSwatch();
    }
    model.SetActiveSwatch(0);
    model.SelectSwatch(0);
}

int ClampHookKey(int key) {
    if (key <= 0) return kDefaultHookKey;
    if (key > kMaxHookKey) return kMaxHookKey;
    return key;
}

AppliedSettings ReadAppliedSettings(const Profile& p) {
    AppliedSettings a;
    a.alwaysTop = p.ReadInteger(keys::kSection, keys::kAlwaysTop, 1) != 0;
    a.autoFlex = p.ReadInteger(keys::kSection, keys::kAutoFlex, 1) != 0;
    a.hookKey = ClampHookKey(p.ReadInteger(keys::kSection, keys::kHookKey, kDefaultHookKey));
    return a;
}

WriteResult SaveSettings(const Profile& p, const SavedSettings& v) {
    auto flag = [](bool b) { return std::string(b ? "1" : "0"); };
    const std::vector<std::pair<std::string, std::string>> entries = {
        {keys::kSkinName, v.skinName},
        {keys::kAlwaysTop, flag(v.alwaysTop)},
        {keys::kAutoFlex, flag(v.autoFlex)},
        {keys::kTop, std::to_string(v.top)},
        {keys::kLeft, std::to_string(v.left)},
        {keys::kHookKey, std::to_string(v.hookKey)},
        {keys::kColors[0], ColorToHex(v.colors[0])},
        {keys::kColors[1], ColorToHex(v.colors[1])},
        {keys::kColors[2], ColorToHex(v.colors[2])},
        {keys::kColors[3], ColorToHex(v.colors[3])},
        {keys::kCopyAddHash, flag(v.copyAddHash)},
        {keys::kCopyType, std::to_string(v.copyType)},
        {keys::kPalIndex, std::to_string(v.palIndex)},
        {keys::kPickArea, std::to_string(PickAreaFromSetting(v.pickArea))},
    };
    return p.WriteStrings(keys::kSection, entries);
}

}  // namespace huebird
