// How far a window and its controls can reach on X11: every number a skin gives for a place
// or a size is brought into these bounds before it is used.
#pragma once

#include <algorithm>

namespace huebird {

// Window and control positions travel as 16-bit signed coordinates.
inline constexpr int kMinWindowCoordinate = -32768;
inline constexpr int kMaxWindowCoordinate = 32767;
// No window or control is wider or taller than the largest coordinate: it could never be
// seen whole, and its pixels alone would take gigabytes.
inline constexpr int kMaxWindowExtent = 32767;

// All the pictures of one skin together hold no more pixels than this (8 MiB as 32-bit RGB;
// a background of 1448 x 1448, or 1920 x 1000 with its strips). A picture's header is checked
// against what is left before the picture is read, so a few bytes announcing a huge picture
// never cost its memory.
inline constexpr long long kMaxSkinPixels = 1LL << 21;

// A place a window or control can take.
constexpr int BoundCoordinate(int value) {
    return std::clamp(value, kMinWindowCoordinate, kMaxWindowCoordinate);
}

// A size from 0 up to `limit` (itself brought into 0..kMaxWindowExtent).
constexpr int BoundExtent(int value, int limit = kMaxWindowExtent) {
    return std::clamp(value, 0, std::clamp(limit, 0, kMaxWindowExtent));
}

}  // namespace huebird
