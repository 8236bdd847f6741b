#include "core/Notation.h"

#include <array>

namespace huebird {

std::string CopyText(ColorValue c, int copyType, bool addHash) {
    const std::array<std::string, 6> t = ReadoutTexts(c);
    switch (copyType) {
        case 0:
            return (addHash ? "#" : "") + t[3] + t[4] + t[5];
        case 1:
            return "RGB(" + t[0] + ", " + t[1] + ", " + t[2] + ")";
        case 2:
            return std::to_string((RedOf(c) << 16) | (GreenOf(c) << 8) | BlueOf(c));
        default:
            return {};
    }
}

Shortcut ShortcutFor(Key key, bool ctrl) {
    switch (key) {
        case Key::F2:
            return Shortcut::Manager;
        case Key::F4:
            return Shortcut::Copy;
        case Key::F5:
            return Shortcut::Paste;
        case Key::F6:
            return Shortcut::Undo;
        default:
            break;
    }
    if (!ctrl) return Shortcut::None;
    switch (key) {
        case Key::C:
            return Shortcut::Copy;
        case Key::O:
            return Shortcut::Manager;
        case Key::V:
            return Shortcut::Paste;
        case Key::Z:
            return Shortcut::Undo;
        default:
            return Shortcut::None;
    }
}

Shortcut ShortcutFor(Key key, bool ctrl, bool shift) {
    if (key == Key::V && ctrl && shift) return Shortcut::PasteAny;
    return ShortcutFor(key, ctrl);
}

bool OpensMainMenu(Key key, bool shift, bool ctrl, bool alt) {
    if (key == Key::Menu) return true;
    return key == Key::F10 && shift && !ctrl && !alt;
}

}  // namespace huebird
