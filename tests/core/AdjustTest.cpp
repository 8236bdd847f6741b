#include "core/Adjust.h"

#include <gtest/gtest.h>

#include "core/ColorModel.h"

namespace huebird {
namespace {

TEST(AdjustTest, StepsByFiveAndWrapsEachComponentByItself) {
    struct Case {
        ColorValue from;
        int button;
        ColorValue to;
    };
    const Case cases[] = {
        {MakeColor(3, 10, 20), 3, MakeColor(255, 10, 20)},
        {MakeColor(5, 10, 20), 3, MakeColor(0, 10, 20)},
        {MakeColor(253, 10, 20), 4, MakeColor(0, 10, 20)},
        {MakeColor(250, 10, 20), 4, MakeColor(255, 10, 20)},
        {MakeColor(1, 0, 2), 5, MakeColor(1, 255, 2)},
        {MakeColor(1, 251, 2), 6, MakeColor(1, 0, 2)},
        {MakeColor(1, 2, 4), 7, MakeColor(1, 2, 255)},
        {MakeColor(1, 2, 255), 8, MakeColor(1, 2, 0)},
        {MakeColor(5, 4, 255), 9, MakeColor(0, 255, 250)},
        {MakeColor(250, 251, 0), 10, MakeColor(255, 0, 5)},
        {MakeColor(1, 2, 3), 2, MakeColor(1, 2, 3)},  // not an adjustment button
        {MakeColor(1, 2, 3), 11, MakeColor(1, 2, 3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "button " << c.button << " on " << ColorToHex(c.from));
        EXPECT_EQ(AdjustedColor(c.from, c.button), c.to);
    }
}

TEST(AdjustTest, GreyDividesEachComponentBeforeAdding) {
    EXPECT_EQ(GreyLevel(255, 255, 255), 255);
    EXPECT_EQ(GreyLevel(254, 254, 254), 252);
    EXPECT_EQ(GreyLevel(1, 2, 2), 0);
    EXPECT_EQ(GreyLevel(200, 100, 50), 115);
}

class UndoTest : public ::testing::Test {
  protected:
    UndoTest() {
        for (int s = 0; s < 4; ++s) {
            model.SetActiveSwatch(s);
            model.WorkColor = MakeColor(s, s, s);
            model.PaintSwatch();
        }
        model.SelectSwatch(0);
    }
    ColorModel model;
};

TEST_F(UndoTest, InvertTwiceRestoresTheColourAndRecordsTwice) {
    model.Invert();
    EXPECT_EQ(model.StoredColor(0), MakeColor(255, 255, 255));
    model.Invert();
    EXPECT_EQ(model.StoredColor(0), MakeColor(0, 0, 0));
    EXPECT_EQ(model.HistoryIndex(0), 2);
}

TEST_F(UndoTest, TwelveChangesLeaveNineUndosBackToTheFirstColour) {
    for (int i = 0; i < 12; ++i) model.AdjustColor(4);  // red 0 -> 5 -> ... -> 60
    EXPECT_EQ(model.HistoryIndex(0), 9);
    EXPECT_EQ(model.StoredColor(0), MakeColor(60, 0, 0));
    std::vector<int> reds;
    while (model.UndoAvailable()) {
        model.Undo();
        reds.push_back(RedOf(model.WorkColor));
    }
    EXPECT_EQ(reds, (std::vector<int>{40, 35, 30, 25, 20, 15, 10, 5, 0}));
    model.Undo();  // at the first slot: nothing
    EXPECT_EQ(model.HistoryIndex(0), 0);
    EXPECT_EQ(model.StoredColor(0), 0u);
}

TEST_F(UndoTest, UndoFollowsTheActiveSwatchAndHasNoRedo) {
    for (int i = 0; i < 3; ++i) model.AdjustColor(8);
    model.SelectSwatch(1);
    EXPECT_FALSE(model.UndoAvailable());
    model.SelectSwatch(0);
    EXPECT_TRUE(model.UndoAvailable());
    model.Undo();
    model.Undo();
    EXPECT_EQ(model.StoredColor(0), MakeColor(0, 0, 5));
    EXPECT_EQ(model.StoredColor(1), MakeColor(1, 1, 1));
    model.AdjustColor(4);  // lands in slot 2: the old slot 2 is gone
    EXPECT_EQ(model.HistoryIndex(0), 2);
    EXPECT_EQ(model.StoredColor(0), MakeColor(5, 0, 5));
    model.Undo();
    EXPECT_EQ(model.StoredColor(0), MakeColor(0, 0, 5));
}

TEST(AdjustTest, SwatchGreyIsTheGreyOfThePixelTheSwatchShowsAtFiveFive) {
    const ColorValue fill = MakeColor(0, 244, 60);         // grey 0 + 81 + 20 = 101
    const ColorValue frame = MakeColor(0x25, 0x25, 0x20);  // grey 12 + 12 + 10 = 34
    struct Case {
        int width, height;
        int grey;
    };
    const Case cases[] = {
        {21, 21, 101}, {7, 7, 101},                // (5, 5) inside the frame
        {6, 21, 34},   {21, 6, 34},                // the last column or row is the frame
        {1, 2, 34},    {3, 40, 34},  {1, 1, 101},  // a frame of no extent paints nothing
        {0, 21, 101},  {21, 0, 101},               // no pixels: the colour's own
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SwatchGrey(fill, frame, c.width, c.height), MakeColor(c.grey, c.grey, c.grey))
            << c.width << " x " << c.height;
    }
}

}  // namespace
}  // namespace huebird
