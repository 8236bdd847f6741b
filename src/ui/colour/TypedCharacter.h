// The character a key press types, as an edit box's key filter sees it.
#pragma once

#include <optional>

class QKeyEvent;

namespace huebird {

// The typed character, or nothing for keys that move, delete or type nothing. Backspace is
// '\b'; Ctrl with a letter types that letter's control character (Ctrl+V is 22) whatever text
// the event carries, so the clipboard keys meet the filter too.
std::optional<char32_t> TypedCharacter(const QKeyEvent& e);

}  // namespace huebird
