// Colours as clipboard text, and the main window's keyboard shortcuts.
#pragma once

#include <string>

#include "core/Color.h"

namespace huebird {

// The text a copy puts on the clipboard. Notation 0: hexadecimal RRGGBB, with a leading '#'
// when addHash; 1: "RGB(rrr, ggg, bbb)" with three-digit components; 2: the number 0xRRGGBB in
// decimal (red in the high byte); any other notation: empty text.
std::string CopyText(ColorValue c, int copyType, bool addHash);

enum class Shortcut { None, Manager, Copy, Paste, Undo, PasteAny };

// Keys as the main window sees them: the function keys whatever modifiers are held, the
// letters only with Ctrl. Undo still depends on there being something to undo.
enum class Key { F2, F4, F5, F6, C, O, V, Z, F10, Menu, Other };
Shortcut ShortcutFor(Key key, bool ctrl);
// As above, and Ctrl+Shift+V pastes any colour text ("粘贴颜色代码").
Shortcut ShortcutFor(Key key, bool ctrl, bool shift);

// Whether a key opens the main menu from the keyboard, where the menu button would: the Menu
// key with any modifiers, and Shift+F10 (without Ctrl or Alt, which other programs take).
bool OpensMainMenu(Key key, bool shift, bool ctrl, bool alt);

}  // namespace huebird
