#include "core/SkinDescription.h"

namespace huebird {

SkinMain ReadSkinMain(const Profile& skin) {
    return {skin.ReadString("Main", "SkinDesigner", kDefaultDesigner),
            skin.ReadString("Main", "Background", "backgrd.bmp")};
}

namespace {

// A place: where a control can sit on a window, however far the skin says.
int ReadPlace(const Profile& skin, std::string_view section, std::string_view key) {
    return BoundCoordinate(skin.ReadInteger(section, key, 0));
}

// A size: never negative, and no larger than any window can be.
int ReadExtent(const Profile& skin, std::string_view section, std::string_view key) {
    return BoundExtent(skin.ReadInteger(section, key, 0));
}

}  // namespace

SkinControls ReadSkinControls(const Profile& skin) {
    SkinControls c;
    for (int i = 0; i < kButtonCount; ++i) {
        const char* section = kButtonSections[i];
        c.buttons[i] = {skin.ReadString(section, "Img", ""), ReadPlace(skin, section, "Left"),
                        ReadPlace(skin, section, "Top")};
    }
    static constexpr const char* kSwatchSections[] = {"Color1", "Color2", "Color3", "Color4"};
    for (int s = 0; s < 4; ++s) {
        const char* section = kSwatchSections[s];
        c.swatches[s] = {ReadPlace(skin, section, "Left"), ReadPlace(skin, section, "Top"),
                         ReadExtent(skin, section, "Width"), ReadExtent(skin, section, "Height")};
    }
    return c;
}

void BoundToBackground(SkinControls& controls, int width, int height) {
    for (SwatchPlace& s : controls.swatches) {
        s.width = BoundExtent(s.width, width);
        s.height = BoundExtent(s.height, height);
    }
}

SkinFonts ReadSkinFonts(const Profile& skin) {
    SkinFonts f;
    for (int i = 0; i < kLabelCount; ++i) {
        const std::string name = kLabelNames[i];
        f.labels[i] = {skin.ReadString("FontColor", kLabelColorKeys[i], ""),
                       ReadPlace(skin, "FontColor", name + "Top"),
                       ReadPlace(skin, "FontColor", name + "Left")};
    }
    f.bold = skin.ReadInteger("FontColor", "FontIsBold", 0) != 0;
    // A negative rolled-up size reads as 0, the smallest the window rolls to (one pixel).
    f.flexWidth = ReadExtent(skin, "AutoFlex", "FlexWidth");
    f.flexHeight = ReadExtent(skin, "AutoFlex", "FlexHeight");
    return f;
}

void BoundToBackground(SkinFonts& fonts, int width, int height) {
    fonts.flexWidth = BoundExtent(fonts.flexWidth, width);
    fonts.flexHeight = BoundExtent(fonts.flexHeight, height);
}

}  // namespace huebird
