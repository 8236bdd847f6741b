#include "core/SkinDescription.h"

namespace huebird {

SkinMain ReadSkinMain(const Profile& skin) {
    return {skin.ReadString("Main", "SkinDesigner", kDefaultDesigner),
            skin.ReadString("Main", "Background", "backgrd.bmp")};
}

SkinControls ReadSkinControls(const Profile& skin) {
    SkinControls c;
    for (int i = 0; i < kButtonCount; ++i) {
        const char* section = kButtonSections[i];
        c.buttons[i] = {skin.ReadString(section, "Img", ""), skin.ReadInteger(section, "Left", 0),
                        skin.ReadInteger(section, "Top", 0)};
    }
    static constexpr const char* kSwatchSections[] = {"Color1", "Color2", "Color3", "Color4"};
    for (int s = 0; s < 4; ++s) {
        const char* section = kSwatchSections[s];
        c.swatches[s] = {skin.ReadInteger(section, "Left", 0), skin.ReadInteger(section, "Top", 0),
                         skin.ReadInteger(section, "Width", 0),
                         skin.ReadInteger(section, "Height", 0)};
    }
    return c;
}

SkinFonts ReadSkinFonts(const Profile& skin) {
    SkinFonts f;
    for (int i = 0; i < kLabelCount; ++i) {
        const std::string name = kLabelNames[i];
        f.labels[i] = {skin.ReadString("FontColor", kLabelColorKeys[i], ""),
                       skin.ReadInteger("FontColor", name + "Top", 0),
                       skin.ReadInteger("FontColor", name + "Left", 0)};
    }
    f.bold = skin.ReadInteger("FontColor", "FontIsBold", 0) != 0;
    f.flexWidth = skin.ReadInteger("AutoFlex", "FlexWidth", 0);
    f.flexHeight = skin.ReadInteger("AutoFlex", "FlexHeight", 0);
    return f;
}

}  // namespace huebird
