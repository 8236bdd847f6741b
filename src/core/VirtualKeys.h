// The hot-key's key is stored as a virtual-key code (1..125): the codes and the names the
// program shows for them. Which key of a desktop carries a code is the desktop's business (the
// hot-key library has the X key symbols).
#pragma once

#include <cstdint>
#include <string_view>

namespace huebird {

// A short English name for a code that has a key ("W", "F5", "Space", "Num 1"); empty for a
// code with no key.
std::string_view VirtualKeyName(std::uint32_t vk);

}  // namespace huebird
