// How the menus are drawn: the main menu's banner slices, sizes, texts and colours by item
// tag, the favourites entry lines, and how a long menu is laid out.
#pragma once

#include "core/Color.h"

namespace huebird {

inline constexpr int kBannerWidth = 24;
inline constexpr int kMenuItemHeight = 21;
inline constexpr int kMenuSeparatorHeight = 10;
inline constexpr int kMenuTextLeft = 34;      // the text starts 5 pixels into the text area
inline constexpr int kMenuTextAreaLeft = 29;  // banner width + 5
inline constexpr int kMenuTextAreaRight = 149;
inline constexpr int kGradientBands = 24;
inline constexpr int kGradientBandWidth = 5;
inline constexpr int kFavouriteItemWidth = 100;

// Tags 1..13 of the main menu's top-level items, and two more: "复制为" (a submenu, placed
// after copy) and "粘贴颜色代码" (after paste).
inline constexpr int kCopyAsTag = 14;
inline constexpr int kPasteAnyTag = 15;
inline constexpr int kMenuTagCount = 15;
bool IsMenuTag(int tag);
// The tags from the top of the menu down.
const int* MenuTagOrder();
bool IsSeparatorTag(int tag);  // 4, 8, 11
int MenuItemHeight(int tag);
// The rows [top, bottom) of the banner slice drawn beside the item: the slices stack like
// the items do, twelve of 21 rows and three of 10, kBannerHeight in all.
struct Rows {
    int top = 0, bottom = 0;
};
Rows BannerSlice(int tag);
inline constexpr int kBannerHeight = 12 * kMenuItemHeight + 3 * kMenuSeparatorHeight;
// The text drawn for a tag (UTF-8), empty for separators; the interface translates it in the
// context kMenuTextContext.
inline constexpr const char* kMenuTextContext = "MainMenu";
const char* MenuItemText(int tag);
// Band i (0..23) of the highlight gradient, from (10, 0, 10) to (240, 0, 240).
ColorValue GradientBand(int i);
// The text colour of an item: white highlighted, black not; the undo item is grey whenever
// there is nothing to undo.
ColorValue MenuTextColor(int tag, bool selected, bool undoAvailable);

// Whether `items` menu items of `itemWidth` x `itemHeight`, stacked in columns no taller than
// `areaHeight` (a new column where the next item would pass it), stand side by side within
// `areaWidth`. A menu whose columns would not fit the screen scrolls in one column instead,
// so that every item can be reached.
bool MenuColumnsFit(int items, int itemWidth, int itemHeight, int areaWidth, int areaHeight);

}  // namespace huebird
