#include "core/Monitors.h"

#include <gtest/gtest.h>

#include "core/Magnifier.h"

namespace huebird {
namespace {

// Two monitors side by side at scale 2: device 3840 x 2160 each; the second starts at
// device x 3840, and keeps that corner in logical pixels.
const std::vector<Monitor> kScaled = {
    {{0, 0, 3840, 2160}, {0, 0, 1920, 1080}},
    {{3840, 0, 7680, 2160}, {3840, 0, 5760, 1080}},
};

TEST(MonitorsTest, DevicePointsFindTheirMonitorAndItsLogicalPlace) {
    const struct {
        Point device;
        int monitor;
        bool on;
        Point logical;
    } cases[] = {
        {{0, 0}, 0, true, {0, 0}},
        {{3839, 2159}, 0, true, {1919, 1079}},  // the last device pixel of the first
        {{3840, 0}, 1, true, {3840, 0}},        // the first of the second
        {{3841, 1}, 1, true, {3840, 0}},        // device pixels pair up
        {{7679, 2159}, 1, true, {5759, 1079}},
        {{7680, 0}, 0, false, {7680, 0}},  // off the desktop: the primary, unscaled here
        {{-1, 5}, 0, false, {-1, 2}},
    };
    for (const auto& c : cases) {
        const Monitor& m = MonitorAt(kScaled, c.device);
        EXPECT_EQ(&m, &kScaled[static_cast<std::size_t>(c.monitor)]) << c.device.x;
        EXPECT_EQ(OnSomeMonitor(kScaled, c.device), c.on) << c.device.x;
        if (c.on) {
            EXPECT_EQ(ToLogical(m, c.device), c.logical) << c.device.x;
        }
    }
}

TEST(MonitorsTest, SettingsPositionsRoundTripThroughLogicalPixels) {
    // Positions in the settings file are device pixels; windows use logical ones.
    for (const Point device : {Point{0, 0}, Point{300, 200}, Point{3840 + 600, 400}}) {
        const Point logical = ToLogical(kScaled, device);
        EXPECT_EQ(ToDevice(kScaled, logical), device) << device.x;
    }
    EXPECT_EQ(ToLogical(kScaled, Point{300, 200}), (Point{150, 100}));
    EXPECT_EQ(ToLogical(kScaled, Rect{0, 0, 7680, 2100}), (Rect{0, 0, 5760, 1050}));
    // Unscaled, nothing changes; off every monitor the primary's scale applies.
    const std::vector<Monitor> plain = {{{0, 0, 1024, 768}, {0, 0, 1024, 768}}};
    EXPECT_EQ(ToLogical(plain, Point{-40, 900}), (Point{-40, 900}));
    EXPECT_EQ(ToDevice(kScaled, Point{-20, 10}), (Point{-40, 20}));
}

// A window stored where no monitor is now (one was unplugged, or the file was edited) comes
// onto the nearest one; one the user can still grab stays where it was.
TEST(MonitorsTest, AWindowOffEveryMonitorComesOntoTheNearest) {
    const Monitor a{{0, 0, 1920, 1080}, {0, 0, 1920, 1080}};
    const Monitor b{{1920, 200, 3200, 1224}, {1920, 200, 3200, 1224}};
    const auto at = [](int x, int y, int w = 149, int h = 127) { return Rect{x, y, x + w, y + h}; };
    const struct {
        std::vector<Monitor> monitors;
        Rect window;
        Point place;
    } cases[] = {
        {{a}, at(100, 100), {100, 100}},    // on the monitor
        {{a}, at(1880, 100), {1880, 100}},  // 40 pixels on it: can be grabbed
        {{a}, at(1900, 100), {1771, 100}},  // 20 pixels: brought wholly on
        {{a}, at(2500, 100), {1771, 100}},  // its monitor unplugged
        {{a}, at(5000, 3000), {1771, 953}},
        {{a}, at(-500, -500), {0, 0}},
        {{a}, at(3000, 0, 2000, 1200), {0, 0}},  // larger than the monitor: its corner on it
        {{a, b}, at(2500, 100), {2500, 200}},    // above the second, which is nearest
        {{a, b}, at(2500, 600), {2500, 600}},
        {{a, b}, at(1850, 1100), {1850, 1100}},  // below the first, but 79 pixels on the second
        {{a, b}, at(1700, 1100), {1700, 953}},   // below the first, off the second
        {{}, at(5000, 5000), {5000, 5000}},      // no monitor known: left alone
    };
    for (const auto& c : cases) {
        const Point p = ReachablePlace(c.monitors, c.window);
        EXPECT_EQ(p, c.place) << c.window.left << "," << c.window.top << " on " << c.monitors.size()
                              << " monitors: got " << p.x << "," << p.y;
    }
}

TEST(MonitorsTest, TheMagnifierStaysOnThePointersMonitor) {
    const Rect first = kScaled[0].logical, second = kScaled[1].logical;
    const Point home{kMagnifierDefaultLeft, kMagnifierTop};
    // Outside the band it stays where it is on the same monitor...
    EXPECT_EQ(MagnifierPlace({1000, 500}, first, home), home);
    // ...and moves to the pointer's monitor, at the same place within it.
    EXPECT_EQ(MagnifierPlace({4500, 500}, second, home), (Point{3840 + 200, kMagnifierTop}));
    // In the band the rule works with the monitor's own middle: right half → 200, left → 500.
    EXPECT_EQ(MagnifierPlace({3840 + 1500, 100}, second, home), (Point{3840 + 200, kMagnifierTop}));
    EXPECT_EQ(MagnifierPlace({3840 + 100, 100}, second, home), (Point{3840 + 500, kMagnifierTop}));
    // Never over the sampled area: the pointer right under the place it would take.
    EXPECT_EQ(MagnifierPlace({3840 + 550, 100}, second, home), (Point{3840 + 200, kMagnifierTop}));
    // A narrow monitor never gets the magnifier past its right edge from the default place.
    EXPECT_EQ(MagnifierPlace({10, 500}, Rect{0, 0, 250, 400}, {900, kMagnifierTop}),
              (Point{250 - kMagnifierWidth, kMagnifierTop}));
}

}  // namespace
}  // namespace huebird
