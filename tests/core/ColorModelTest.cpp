#include "core/ColorModel.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace huebird {
namespace {

// Records what the model asks the view to do, one line per call.
class Recorder : public ColorView {
  public:
    std::vector<std::string> calls;
    std::array<std::string, 6> readout;
    bool undo = false;

    void FillSwatch(int s, ColorValue fill, ColorValue frame) override {
        calls.push_back("fill " + std::to_string(s) + " " + ColorToHex(fill) + " " +
                        ColorToHex(frame));
    }
    void FrameSwatch(int s, ColorValue frame) override {
        calls.push_back("frame " + std::to_string(s) + " " + ColorToHex(frame));
    }
    void SetReadout(const std::array<std::string, 6>& texts) override { readout = texts; }
    void SetUndoEnabled(bool enabled) override { undo = enabled; }
};

class ColorModelTest : public ::testing::Test {
  protected:
    ColorModelTest() {
        model.BorderColor = 0x737373;
        model.ImgColor = 0x202525;
    }
    Recorder view;
    ColorModel model{&view};
};

TEST_F(ColorModelTest, SelectingRedrawsOnlyFramesAndReloadsWorkColor) {
    model.WorkColor = MakeColor(1, 2, 3);
    model.PaintSwatch();
    model.SetActiveSwatch(1);
    model.WorkColor = MakeColor(9, 9, 9);
    model.PaintSwatch();
    view.calls.clear();

    model.WorkColor = 0;
    model.SelectSwatch(0);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"frame 1 737373", "frame 0 252520"}));
    EXPECT_EQ(model.WorkColor, MakeColor(1, 2, 3));
    EXPECT_EQ(view.readout[0], "001");

    // Selecting the active swatch again leaves it framed as active.
    view.calls.clear();
    model.SelectSwatch(0);
    EXPECT_EQ(view.calls, (std::vector<std::string>{"frame 0 737373", "frame 0 252520"}));
}

TEST_F(ColorModelTest, PushOfTheSameColourChangesNothing) {
    model.WorkColor = MakeColor(10, 20, 30);
    model.PaintSwatch();
    view.calls.clear();
    model.PushHistory();
    EXPECT_TRUE(view.calls.empty());
    EXPECT_EQ(model.HistoryIndex(0), 0);
    EXPECT_FALSE(model.UndoAvailable());
}

TEST_F(ColorModelTest, HistoryStopsAtTheLastSlotWithoutShifting) {
    model.WorkColor = 0;
    model.PaintSwatch();
    for (int i = 1; i <= 10; ++i) model.AdoptColor(MakeColor(i, 0, 0));
    // Nine pushes fill slots 1..9; the tenth replaced slot 9.
    EXPECT_EQ(model.HistoryIndex(0), 9);
    EXPECT_EQ(model.StoredColor(0), MakeColor(10, 0, 0));
    EXPECT_EQ(model.History(0, 8), MakeColor(8, 0, 0));
    EXPECT_EQ(model.History(0, 0), 0u);
    EXPECT_TRUE(view.undo);
    EXPECT_EQ(view.readout[0], "010");
    EXPECT_EQ(view.calls.back(), "frame 0 252520");
}

TEST_F(ColorModelTest, AdoptColorPaintsTheActiveSwatchOnly) {
    model.SetActiveSwatch(2);
    model.WorkColor = 0;
    model.PaintSwatch();
    view.calls.clear();
    model.AdoptColor(MakeColor(255, 128, 0));
    EXPECT_EQ(model.HistoryIndex(2), 1);
    EXPECT_EQ(model.StoredColor(2), MakeColor(255, 128, 0));
    EXPECT_EQ(model.StoredColor(0), 0u);
    EXPECT_NE(std::find(view.calls.begin(), view.calls.end(), "fill 2 FF8000 737373"),
              view.calls.end());
    EXPECT_EQ(view.calls.back(), "frame 2 252520");
}

TEST_F(ColorModelTest, RepaintSwatchesFillsAllFromStoredColoursAndKeepsSelection) {
    for (int s = 0; s < 4; ++s) {
        model.SetActiveSwatch(s);
        model.WorkColor = MakeColor(s * 10, 0, 0);
        model.PaintSwatch();
    }
    model.SelectSwatch(1);
    model.AdoptColor(MakeColor(1, 1, 1));
    view.calls.clear();
    model.RepaintSwatches();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"fill 0 000000 737373", "fill 1 010101 737373",
                                                    "fill 2 140000 737373", "fill 3 1E0000 737373",
                                                    "frame 3 737373", "frame 1 252520"}));
    EXPECT_EQ(model.ActiveSwatch(), 1);
    EXPECT_EQ(model.WorkColor, MakeColor(1, 1, 1));
}

TEST_F(ColorModelTest, ACancelledPickShowsTheStoredColourAgain) {
    model.WorkColor = MakeColor(1, 2, 3);
    model.PaintSwatch();
    model.WorkColor = MakeColor(200, 0, 0);  // sampled live
    model.PaintLive();
    model.ShowWorkColor();
    view.calls.clear();
    model.ShowStored();
    EXPECT_EQ(view.calls, (std::vector<std::string>{"fill 0 010203 737373", "frame 0 252520"}));
    EXPECT_EQ(view.readout[0], "001");
    EXPECT_EQ(model.WorkColor, MakeColor(1, 2, 3));
    EXPECT_EQ(model.HistoryIndex(0), 0);
}

TEST_F(ColorModelTest, DialogAnswersRecordOrOverwriteAsEachDialogDoes) {
    // History black then red on the active swatch.
    model.WorkColor = 0;
    model.PaintSwatch();
    model.AdoptColor(MakeColor(255, 0, 0));

    // The colour dialog: the same colour adds no slot; another adds one, and undo returns.
    model.TakeChosenColor(MakeColor(255, 0, 0));
    EXPECT_EQ(model.HistoryIndex(0), 1);
    view.calls.clear();
    model.TakeChosenColor(MakeColor(0, 255, 0));
    EXPECT_EQ(model.HistoryIndex(0), 2);
    EXPECT_EQ(model.StoredColor(0), MakeColor(0, 255, 0));
    EXPECT_EQ(view.calls.front(), "fill 0 00FF00 737373");
    EXPECT_EQ(view.calls.back(), "frame 0 252520");
    EXPECT_EQ(view.readout[1], "255");
    model.Undo();
    EXPECT_EQ(model.WorkColor, MakeColor(255, 0, 0));

    // The contrast dialog: blue overwrites red; undo then shows black.
    model.ReplaceColor(MakeColor(0, 0, 255));
    EXPECT_EQ(model.HistoryIndex(0), 1);
    EXPECT_EQ(model.History(0, 0), 0u);
    EXPECT_EQ(model.StoredColor(0), MakeColor(0, 0, 255));
    EXPECT_EQ(view.readout[5], "FF");
    model.Undo();
    EXPECT_EQ(model.WorkColor, 0u);
    EXPECT_FALSE(model.UndoAvailable());
}

}  // namespace
}  // namespace huebird
