// The settings file palora.ini, section System: what is read at start and written at close.
#pragma once

#include <array>
#include <string>

#include "core/Color.h"
#include "core/ColorModel.h"
#include "core/PickArea.h"
#include "core/Profile.h"

namespace huebird {

namespace keys {
inline constexpr const char* kSection = "System";
inline constexpr const char* kSkinName = "SkinName";
inline constexpr const char* kTop = "Top";
inline constexpr const char* kLeft = "Left";
inline constexpr const char* kCopyAddHash = "CopyAdd#";
inline constexpr const char* kCopyType = "CopyType";
inline constexpr const char* kPalIndex = "PalIndex";
inline constexpr const char* kBorderColor = "BorderColor";
inline constexpr const char* kImgColor = "ImgColor";
inline constexpr std::array<const char*, 4> kColors = {"Color1", "Color2", "Color3", "Color4"};
inline constexpr const char* kAlwaysTop = "AlwaysTop";
inline constexpr const char* kAutoFlex = "AutoFlex";
inline constexpr const char* kHookKey = "HookKey";
inline constexpr const char* kPickArea = "PickArea";
}  // namespace keys

inline constexpr const char* kSettingsFileName = "palora.ini";
inline constexpr const char* kDefaultSkinName = "DEFAULT";
inline constexpr int kDefaultHookKey = 87;  // the W key
inline constexpr int kMaxHookKey = 125;

// What the window's constructor reads.
struct StartSettings {
    std::string skinName = kDefaultSkinName;
    int top = 10;
    int left = 10;
    bool copyAddHash = true;
    int copyType = 0;
    int palIndex = 0;
    int pickArea = kDefaultPickArea;  // the side of the block a pick averages: 1, 3 or 5
};
StartSettings LoadSettings(const Profile& settings);

// Frame colours and the four stored colours, through the model's working colour: a value
// that cannot be parsed takes the colour parsed just before it. Leaves swatch 0 selected.
void LoadColors(const Profile& settings, ColorModel& model);

// What the last creation step reads.
struct AppliedSettings {
    bool alwaysTop = true;
    bool autoFlex = true;
    int hookKey = kDefaultHookKey;
};
AppliedSettings ReadAppliedSettings(const Profile& settings);
// Brings a hot-key code into 1..125: 0 or negative gives the default.
int ClampHookKey(int key);

// Everything written back at close.
struct SavedSettings {
    std::string skinName;
    bool alwaysTop = true;
    bool autoFlex = true;
    int top = 0;
    int left = 0;
    int hookKey = kDefaultHookKey;
    std::array<ColorValue, 4> colors{};
    bool copyAddHash = true;
    int copyType = 0;
    int palIndex = 0;
    int pickArea = kDefaultPickArea;
};
// Writes section System in a fixed order (`PickArea` last, after every key older versions
// write, so a reader that knows only those finds them as before), as one replacement of the file: a
// crash leaves it as it was or with every value. When a value cannot be written, none is, and the
// message names the file and the value. A file deleted since the start is not created again:
// nothing is written and the result says so (`missing`), for the user to be told that the session's
// settings were not saved.
WriteResult SaveSettings(const Profile& settings, const SavedSettings& values);

}  // namespace huebird
