#include "core/ScreenPicture.h"

#include <algorithm>
#include <cstdlib>

namespace huebird {

namespace {

bool Holds(const Rect& r, Point p) {
    return p.x >= r.left && p.x < r.right && p.y >= r.top && p.y < r.bottom;
}

}  // namespace

ScreenPicture::ScreenPicture(std::vector<OutputPicture> outputs) {
    for (OutputPicture& o : outputs) {
        const bool filled = o.width > 0 && o.height > 0 &&
                            o.rgb.size() == static_cast<std::size_t>(o.width) * o.height;
        if (filled && o.place.width() > 0 && o.place.height() > 0) {
            outputs_.push_back(std::move(o));
        }
    }
}

Rect ScreenPicture::Bounds() const {
    if (outputs_.empty()) return {};
    Rect b = outputs_.front().place;
    for (const OutputPicture& o : outputs_) b = Enclosing(b, o.place);
    return b;
}

const OutputPicture* ScreenPicture::At(Point p) const {
    for (const OutputPicture& o : outputs_) {
        if (Holds(o.place, p)) return &o;
    }
    return nullptr;
}

bool ScreenPicture::Contains(Point p) const { return At(p) != nullptr; }

void ScreenPicture::ReadArea(int x, int y, int w, int h, std::uint32_t* out) const {
    for (int row = 0; row < h; ++row) {
        for (int col = 0; col < w; ++col) {
            const Point p{x + col, y + row};
            const OutputPicture* o = At(p);
            std::uint32_t value = 0;
            if (o) {
                // 64-bit products: a large output times a large offset stays exact.
                const long long px =
                    static_cast<long long>(p.x - o->place.left) * o->width / o->place.width();
                const long long py =
                    static_cast<long long>(p.y - o->place.top) * o->height / o->place.height();
                value = o->rgb[static_cast<std::size_t>(py * o->width + px)];
            }
            out[row * w + col] = value;
        }
    }
}

Point PickAim::Follow(Point pointer) {
    if (!started_ || pointer != pointer_) {
        started_ = true;
        pointer_ = pointer;
        aim_ = pointer;
    }
    return aim_;
}

void PickAim::Step(int dx, int dy, const ScreenPicture& picture) {
    if (!started_) return;
    // One pixel at a time, so a step of ten stops at the edge of the outputs rather than
    // jumping across a gap between them.
    for (int i = 0, n = std::abs(dx); i < n; ++i) {
        const Point next{aim_.x + (dx > 0 ? 1 : -1), aim_.y};
        if (!picture.Contains(next)) break;
        aim_ = next;
    }
    for (int i = 0, n = std::abs(dy); i < n; ++i) {
        const Point next{aim_.x, aim_.y + (dy > 0 ? 1 : -1)};
        if (!picture.Contains(next)) break;
        aim_ = next;
    }
}

}  // namespace huebird
