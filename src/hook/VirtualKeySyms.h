// The X key symbol the hot-key library grabs for a stored virtual-key code (1..125). Key symbols
// are plain numbers here, so the table is tested without X headers.
#pragma once

#include <cstdint>

namespace huebird {

// The X key symbol for a virtual-key code: letters give the lower-case symbol (the one the key
// produces with Ctrl), keypad digits the keypad symbols. 0 for codes with no key (mouse
// buttons, reserved and unassigned codes, input-method keys) and for codes outside 1..125.
std::uint32_t VirtualKeyToKeysym(std::uint32_t vk);

}  // namespace huebird
