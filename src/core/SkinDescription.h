// What a skin's skin.ini says: background, button strips, swatch and label places, label
// colours and weight, and the rolled-up size.
#pragma once

#include <array>
#include <string>

#include "core/Profile.h"
#include "core/Text.h"  // TrimBlanks, which callers of this header use
#include "core/Translatable.h"
#include "core/WindowLimits.h"

namespace huebird {

inline constexpr const char* kSkinFileName = "skin.ini";
// A skin.ini is a page of keys; every key is read from the file afresh, so a larger one is
// refused before reading rather than read a hundred times over.
inline constexpr unsigned long long kMaxSkinFileSize = 1u << 20;
inline constexpr int kButtonCount = 11;
inline constexpr int kLabelCount = 6;

// Button sections, in button index order; each is also the button's hint.
inline constexpr std::array<const char*, kButtonCount> kButtonSections = {
    "Menu",     "Minimize", "Close",   "SubRed", "AddRed", "SubGreen",
    "AddGreen", "SubBlue",  "AddBlue", "SubRGB", "AddRGB"};
// Readout labels: red, green, blue in decimal, then in hexadecimal.
inline constexpr std::array<const char*, kLabelCount> kLabelNames = {
    "RedFont", "GreenFont", "BlueFont", "RgbRFont", "RgbGFont", "RgbBFont"};
inline constexpr std::array<const char*, kLabelCount> kLabelColorKeys = {
    "RedColor", "GreenColor", "BlueColor", "RgbColor1", "RgbColor2", "RgbColor3"};

// Texts the about box shows, translated there in the context kSkinTextContext.
inline constexpr const char* kSkinTextContext = "Skin";
inline constexpr const char* kDefaultDesigner = HB_TR_NOOP("Skin", "Huebird 设计组");
inline constexpr const char* kDesignerPrefix = HB_TR_NOOP("Skin", "皮肤设计：");

struct SkinMain {
    std::string designer;
    std::string background;  // as written: may hold a sub-path with either separator
};
SkinMain ReadSkinMain(const Profile& skin);

// Every place read from skin.ini is brought into kMinWindowCoordinate..kMaxWindowCoordinate
// and every size into 0..kMaxWindowExtent; BoundToBackground then fits the sizes to the
// background once its size is known.
struct SkinButtonPlace {
    std::string img;  // strip file as written; empty (after trimming) makes the skin unusable
    int left = 0, top = 0;
};
struct SwatchPlace {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const SwatchPlace&, const SwatchPlace&) = default;
};
struct SkinControls {
    std::array<SkinButtonPlace, kButtonCount> buttons;
    std::array<SwatchPlace, 4> swatches;
};
SkinControls ReadSkinControls(const Profile& skin);
// No swatch is larger than the width x height background it sits on.
void BoundToBackground(SkinControls& controls, int width, int height);

struct LabelPlace {
    std::string colorText;  // parsed with ParseHexColor; rejected text keeps the label's colour
    int top = 0, left = 0;
};
struct SkinFonts {
    std::array<LabelPlace, kLabelCount> labels;
    bool bold = false;
    int flexWidth = 0, flexHeight = 0;
};
SkinFonts ReadSkinFonts(const Profile& skin);
// The rolled-up size is no larger than the width x height background.
void BoundToBackground(SkinFonts& fonts, int width, int height);

}  // namespace huebird
