#include "core/MenuLook.h"

#include <algorithm>

#include "core/Translatable.h"

namespace huebird {

bool IsMenuTag(int tag) { return tag >= 1 && tag <= kMenuTagCount; }

const int* MenuTagOrder() {
    static const int kOrder[kMenuTagCount] = {1, 2, 3, 4,  5,  kCopyAsTag, 6, kPasteAnyTag,
                                              7, 8, 9, 10, 11, 12,         13};
    return kOrder;
}

bool IsSeparatorTag(int tag) { return tag == 4 || tag == 8 || tag == 11; }

int MenuItemHeight(int tag) { return IsSeparatorTag(tag) ? kMenuSeparatorHeight : kMenuItemHeight; }

Rows BannerSlice(int tag) {
    if (!IsMenuTag(tag)) return {};
    int top = 0;
    for (const int* t = MenuTagOrder(); *t != tag; ++t) top += MenuItemHeight(*t);
    return {top, top + MenuItemHeight(tag)};
}

const char* MenuItemText(int tag) {
    static const char* const kTexts[] = {"",
                                         HB_TR_NOOP("MainMenu", "收藏夹"),
                                         HB_TR_NOOP("MainMenu", "设置"),
                                         HB_TR_NOOP("MainMenu", "操作"),
                                         "",
                                         HB_TR_NOOP("MainMenu", "拷贝  Ctrl+C/F4"),
                                         HB_TR_NOOP("MainMenu", "粘贴  Ctrl+V/F5"),
                                         HB_TR_NOOP("MainMenu", "撤消  Ctrl+Z/F6"),
                                         "",
                                         HB_TR_NOOP("MainMenu", "最小"),
                                         HB_TR_NOOP("MainMenu", "关闭"),
                                         "",
                                         HB_TR_NOOP("MainMenu", "帮助"),
                                         HB_TR_NOOP("MainMenu", "关于"),
                                         HB_TR_NOOP("MainMenu", "复制为"),
                                         HB_TR_NOOP("MainMenu", "粘贴颜色代码")};
    return IsMenuTag(tag) ? kTexts[tag] : "";
}

ColorValue GradientBand(int i) { return MakeColor(10 * (i + 1), 0, 10 * (i + 1)); }

ColorValue MenuTextColor(int tag, bool selected, bool undoAvailable) {
    if (tag == 7 && !undoAvailable) return MakeColor(128, 128, 128);
    return selected ? MakeColor(255, 255, 255) : MakeColor(0, 0, 0);
}

bool MenuColumnsFit(int items, int itemWidth, int itemHeight, int areaWidth, int areaHeight) {
    if (items <= 0) return true;
    if (itemWidth <= 0 || itemHeight <= 0) return false;
    const long long perColumn = std::max(1, areaHeight / itemHeight);  // never fewer than one
    const long long columns = (items + perColumn - 1) / perColumn;
    return columns * itemWidth <= areaWidth;
}

}  // namespace huebird
