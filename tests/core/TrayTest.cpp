#include "core/Tray.h"

#include <gtest/gtest.h>

#include <vector>

namespace huebird {
namespace {

TEST(TrayTest, RightPressOpensTheMenuOnlyBeyondBothFarEdges) {
    const Rect window{100, 200, 250, 330};  // 150 x 130 at (100, 200)
    struct Case {
        Point pointer;
        bool opens;
    };
    const Case cases[] = {
        {{251, 331}, true},    // one pixel beyond both edges
        {{1000, 760}, true},   // the tray at the bottom right of the screen
        {{250, 331}, false},   // on the right edge (left + width)
        {{251, 330}, false},   // on the bottom edge (top + height)
        {{250, 330}, false},   // on both
        {{1000, 300}, false},  // right of the window but level with it
        {{180, 760}, false},   // below it but not to its right
        {{50, 100}, false},    // above and to the left
        {{180, 260}, false},   // over the window
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "pointer " << c.pointer.x << "," << c.pointer.y);
        EXPECT_EQ(TrayMenuOpens(c.pointer, window), c.opens);
    }
    // The window in the bottom-right corner, over the tray: no pointer on the screen opens it.
    const Rect corner{874, 638, 1024, 768};
    EXPECT_FALSE(TrayMenuOpens({1010, 757}, corner));
    EXPECT_FALSE(TrayMenuOpens({1023, 767}, corner));
}

TEST(TrayTest, HidingWithoutATrayNeedsTheHotKeyAndNamesItOnce) {
    struct Case {
        bool tray, hotKey, told;
        HidePlan plan;
    };
    const Case cases[] = {
        {true, true, false, HidePlan::Hide},  {true, false, false, HidePlan::Hide},
        {true, false, true, HidePlan::Hide},  {false, true, false, HidePlan::HideAndTellKey},
        {false, true, true, HidePlan::Hide},  {false, false, false, HidePlan::Stay},
        {false, false, true, HidePlan::Stay},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message()
                     << "tray " << c.tray << " hot-key " << c.hotKey << " told " << c.told);
        EXPECT_EQ(PlanHide(c.tray, c.hotKey, c.told), c.plan);
        // Asked by the command, which also brings it back: it always hides, saying nothing.
        EXPECT_EQ(PlanHide(c.tray, c.hotKey, c.told, true), HidePlan::Hide);
    }
}

TEST(TrayTest, AToggleHidesOnlyAProgramThatShowsWhole) {
    struct Case {
        bool hidden, mainShown, iconified;
        ToggleAction action;
    };
    const Case cases[] = {
        {false, true, false, ToggleAction::Hide},
        // An iconified window (a dialog, the main window, or both) is brought back, not hidden.
        {false, true, true, ToggleAction::Show},
        {true, false, false, ToggleAction::Show},
        {true, false, true, ToggleAction::Show},
        // Start-up is still running: the main window has not shown yet.
        {false, false, false, ToggleAction::Nothing},
        {false, false, true, ToggleAction::Nothing},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "hidden " << c.hidden << " main shown " << c.mainShown
                                        << " iconified " << c.iconified);
        EXPECT_EQ(PlanToggle(c.hidden, c.mainShown, c.iconified), c.action);
    }
}

struct Timed {
    long long ms;
    TrayPress press;
    TrayAction action;
};

void Replay(const std::vector<Timed>& presses) {
    TrayClicks clicks(400);
    for (const Timed& t : presses) {
        SCOPED_TRACE(testing::Message() << "press at " << t.ms << " ms");
        EXPECT_EQ(clicks.Press(t.press, t.ms), t.action);
    }
}

TEST(TrayTest, EachLeftClickTogglesAndADoubleClickTogglesOnce) {
    using enum TrayPress;
    using enum TrayAction;
    // Separate clicks, each one interval or more after the last.
    Replay({{0, Left, Toggle}, {400, Left, Toggle}, {5000, Left, Toggle}});
    // A double click as an XEmbed tray reports it: a press, then a double click.
    Replay({{1000, Left, Toggle}, {1150, Double, Nothing}, {3000, Left, Toggle}});
    // The same double click from a host that reports two presses.
    Replay({{1000, Left, Toggle}, {1150, Left, Nothing}, {3000, Left, Toggle}});
    // A triple click: each press follows the one before within the interval.
    Replay({{0, Left, Toggle}, {200, Double, Nothing}, {450, Left, Nothing}, {900, Left, Toggle}});
}

TEST(TrayTest, RightPressAsksForTheMenuAndOtherPressesDoNothing) {
    using enum TrayPress;
    using enum TrayAction;
    // A right press between two quick left presses neither toggles nor shortens the interval.
    Replay({{0, Right, Menu},
            {10, Left, Toggle},
            {100, Right, Menu},
            {200, Left, Nothing},
            {210, Other, Nothing},
            {2000, Other, Nothing},
            {2010, Double, Nothing}});
    // A double click that is the first thing ever seen toggles nothing.
    Replay({{0, Double, Nothing}, {100, Left, Nothing}, {600, Left, Toggle}});
}

}  // namespace
}  // namespace huebird
