// The hot-key's key is stored as a Windows virtual-key code (1..125); the hot-key library grabs
// the X key that carries the matching key symbol. Key symbols are plain numbers here so core
// stays free of X headers.
#pragma once

#include <cstdint>
#include <string_view>

namespace huebird {

// The X key symbol for a virtual-key code: letters give the lower-case symbol (the one the key
// produces with Ctrl), keypad digits the keypad symbols. 0 for codes with no key (mouse
// buttons, reserved and unassigned codes, input-method keys) and for codes outside 1..125.
std::uint32_t VirtualKeyToKeysym(std::uint32_t vk);

// A short English name for a code that has a key ("W", "F5", "Space", "Num 1"); empty for a
// code with no key.
std::string_view VirtualKeyName(std::uint32_t vk);

}  // namespace huebird
