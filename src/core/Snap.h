// Work-area snapping: every move and resize of the main window passes through here.
#pragma once

namespace huebird {

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;  // right and bottom exclusive
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    friend bool operator==(const Rect&, const Rect&) = default;
};

// The smallest rectangle holding both.
inline Rect Enclosing(const Rect& a, const Rect& b) {
    return {a.left < b.left ? a.left : b.left, a.top < b.top ? a.top : b.top,
            a.right > b.right ? a.right : b.right, a.bottom > b.bottom ? a.bottom : b.bottom};
}

struct Point {
    int x = 0, y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

constexpr int kSnapDistance = 10;

// The position a window of size cx x cy proposed at (x, y) takes: within 10 pixels of a
// work-area edge it is put flush with that edge. Left and top win over right and bottom.
Point SnapToWorkArea(int x, int y, int cx, int cy, const Rect& workArea);

}  // namespace huebird
