// Dragging a window with the pointer.
#pragma once

#include "core/Snap.h"

namespace huebird {

// Where the pointer at `pointer` holds a window whose top-left corner is at `topLeft` (both
// in screen coordinates): the origin a drag keeps from the press to the release.
constexpr Point GrabOffset(Point pointer, Point topLeft) {
    return {pointer.x - topLeft.x, pointer.y - topLeft.y};
}

// Where the window's top-left corner goes for a pointer at `pointer` (screen coordinates),
// when the drag began with the pointer at `origin` inside the window.
constexpr Point DragPosition(Point pointer, Point origin) {
    return {pointer.x - origin.x, pointer.y - origin.y};
}

// A drag that has not moved leaves the window where it was.
static_assert(DragPosition({530, 312}, GrabOffset({530, 312}, {500, 300})) == Point{500, 300});

}  // namespace huebird
