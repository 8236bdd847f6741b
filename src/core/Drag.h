// Dragging the window by its background.
#pragma once

#include "core/Snap.h"

namespace huebird {

// Where the window's top-left corner goes for a pointer at `pointer` (screen coordinates),
// when the drag began with the pointer at `origin` inside the window.
constexpr Point DragPosition(Point pointer, Point origin) {
    return {pointer.x - origin.x, pointer.y - origin.y};
}

}  // namespace huebird
