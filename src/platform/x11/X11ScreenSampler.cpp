#include "platform/x11/X11ScreenSampler.h"

#include "core/Session.h"  // before Xlib, whose None would meet SessionKind::None

#include <QGuiApplication>  // before Xlib, whose macros the toolkit headers must not meet
#include <algorithm>

#include <X11/Xlib.h>

#include "platform/x11/QtMonitors.h"
#include "platform/x11/XDisplay.h"
#include <X11/Xutil.h>

namespace huebird {

namespace {

int ShiftOf(unsigned long mask) {
    int shift = 0;
    while (mask && !(mask & 1)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

class LivePick : public PickSession {
  public:
    explicit LivePick(X11ScreenSampler& screen) : screen_(screen) {}
    Point Pointer() override { return screen_.CursorPos(); }
    bool OnScreen(int x, int y) override { return screen_.OnScreen(x, y); }
    void ReadArea(int x, int y, int w, int h, std::uint32_t* out) override {
        screen_.ReadArea(x, y, w, h, out);
    }
    void Nudge(int dx, int dy) override {
        const Point p = screen_.CursorPos();
        screen_.MovePointer(p.x + dx, p.y + dy);
    }

  private:
    X11ScreenSampler& screen_;
};

}  // namespace

std::unique_ptr<PickSession> X11ScreenSampler::BeginPick() {
    if (!live_) return nullptr;
    return std::make_unique<LivePick>(*this);
}

std::string X11ScreenSampler::PickProblem() const {
    return live_ ? std::string() : kPickNotOnThisSession;
}

Point X11ScreenSampler::CursorPos() {
    Display* dpy = XDisplay();
    if (!dpy) return {};
    Window root = 0, child = 0;
    int rx = 0, ry = 0, wx = 0, wy = 0;
    unsigned int mask = 0;
    XQueryPointer(dpy, DefaultRootWindow(dpy), &root, &child, &rx, &ry, &wx, &wy, &mask);
    return {rx, ry};
}

void X11ScreenSampler::MovePointer(int x, int y) {
    Display* dpy = XDisplay();
    if (!dpy) return;
    // The server keeps the pointer on the root window; a query on this same connection
    // afterwards sees the new place.
    XWarpPointer(dpy, None, DefaultRootWindow(dpy), 0, 0, 0, 0, x, y);
    XFlush(dpy);
}

std::vector<Monitor> X11ScreenSampler::Monitors() { return QtMonitors(); }

// A pixel between monitors of different sizes lies on the root window but on no monitor.
bool X11ScreenSampler::OnScreen(int x, int y) { return OnSomeMonitor(Monitors(), {x, y}); }

void X11ScreenSampler::ReadArea(int x, int y, int w, int h, std::uint32_t* out) {
    if (w <= 0 || h <= 0) return;
    std::fill(out, out + static_cast<std::ptrdiff_t>(w) * h, 0u);
    Display* dpy = XDisplay();
    if (!dpy) return;
    const Window root = DefaultRootWindow(dpy);
    const int rootW = DisplayWidth(dpy, DefaultScreen(dpy));
    const int rootH = DisplayHeight(dpy, DefaultScreen(dpy));
    // Only the part on the root window is asked for: the server refuses anything beyond it.
    const int x0 = std::max(x, 0), y0 = std::max(y, 0);
    const int x1 = std::min(x + w, rootW), y1 = std::min(y + h, rootH);
    if (x0 < x1 && y0 < y1) {
        XImage* img = XGetImage(dpy, root, x0, y0, x1 - x0, y1 - y0, AllPlanes, ZPixmap);
        if (img) {
            const int rs = ShiftOf(img->red_mask), gs = ShiftOf(img->green_mask),
                      bs = ShiftOf(img->blue_mask);
            const bool direct = img->bits_per_pixel == 32 && img->red_mask == 0xFF0000 &&
                                img->green_mask == 0xFF00 && img->blue_mask == 0xFF;
            for (int row = 0; row < y1 - y0; ++row) {
                std::uint32_t* dst = out + static_cast<std::ptrdiff_t>(y0 - y + row) * w + (x0 - x);
                if (direct) {
                    const auto* src = reinterpret_cast<const std::uint32_t*>(
                        img->data + row * img->bytes_per_line);
                    for (int col = 0; col < x1 - x0; ++col) dst[col] = src[col] & 0xFFFFFFu;
                    continue;
                }
                for (int col = 0; col < x1 - x0; ++col) {
                    const unsigned long p = XGetPixel(img, col, row);
                    auto scale = [&](unsigned long mask, int shift) {
                        const unsigned long max = mask >> shift;
                        return max ? static_cast<std::uint32_t>(((p & mask) >> shift) * 255 / max)
                                   : 0u;
                    };
                    dst[col] = (scale(img->red_mask, rs) << 16) |
                               (scale(img->green_mask, gs) << 8) | scale(img->blue_mask, bs);
                }
            }
            XDestroyImage(img);
        }
    }
}

}  // namespace huebird
