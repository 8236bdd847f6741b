#include "core/ControlNames.h"

#include <array>

#include "core/SkinDescription.h"

namespace huebird {

const char* ButtonName(int button) {
    static constexpr std::array<const char*, kButtonCount> kNames = {
        HB_TR_NOOP("ControlNames", "主菜单"),      HB_TR_NOOP("ControlNames", "最小化"),
        HB_TR_NOOP("ControlNames", "关闭"),        HB_TR_NOOP("ControlNames", "红色减 5"),
        HB_TR_NOOP("ControlNames", "红色加 5"),    HB_TR_NOOP("ControlNames", "绿色减 5"),
        HB_TR_NOOP("ControlNames", "绿色加 5"),    HB_TR_NOOP("ControlNames", "蓝色减 5"),
        HB_TR_NOOP("ControlNames", "蓝色加 5"),    HB_TR_NOOP("ControlNames", "红绿蓝都减 5"),
        HB_TR_NOOP("ControlNames", "红绿蓝都加 5")};
    return button >= 0 && button < kButtonCount ? kNames[button] : "";
}

std::string SwatchColourText(ColorValue c) {
    std::string text = "#";
    text += ColorToHex(c);
    return text;
}

const char* ReadoutName(int label) {
    static constexpr std::array<const char*, kLabelCount> kNames = {
        HB_TR_NOOP("ControlNames", "红 %1"),          HB_TR_NOOP("ControlNames", "绿 %1"),
        HB_TR_NOOP("ControlNames", "蓝 %1"),          HB_TR_NOOP("ControlNames", "红 十六进制 %1"),
        HB_TR_NOOP("ControlNames", "绿 十六进制 %1"), HB_TR_NOOP("ControlNames", "蓝 十六进制 %1")};
    return label >= 0 && label < kLabelCount ? kNames[label] : "";
}

}  // namespace huebird
