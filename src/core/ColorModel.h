// The four swatches, their histories, the active swatch and the working colour.
#pragma once

#include <array>
#include <string>

#include "core/Color.h"

namespace huebird {

// What the colour model asks of whoever shows it.
class ColorView {
  public:
    virtual ~ColorView() = default;
    // Fill the whole picture of swatch s with `fill` and frame its outermost pixels in `frame`.
    virtual void FillSwatch(int s, ColorValue fill, ColorValue frame) = 0;
    // Redraw only the frame of swatch s, leaving its fill.
    virtual void FrameSwatch(int s, ColorValue frame) = 0;
    // Red, green, blue in decimal, then in hexadecimal, in that order.
    virtual void SetReadout(const std::array<std::string, 6>& texts) = 0;
    virtual void SetUndoEnabled(bool enabled) = 0;
};

class ColorModel {
  public:
    static constexpr int kSwatchCount = 4;
    static constexpr int kHistorySize = 10;

    explicit ColorModel(ColorView* view = nullptr) : view_(view) {}
    void SetView(ColorView* view) { view_ = view; }

    ColorValue WorkColor = 0;
    ColorValue BorderColor = 0;  // frame of inactive swatches and of every fill
    ColorValue ImgColor = 0;     // frame of the active swatch

    int ActiveSwatch() const { return active_; }
    void SetActiveSwatch(int s);  // no painting: loaders set it before PaintSwatch
    int HistoryIndex(int s) const { return index_[s]; }
    ColorValue History(int s, int k) const { return history_[s][k]; }
    // The colour swatch s shows and the settings save for it.
    ColorValue StoredColor(int s) const { return history_[s][index_[s]]; }
    bool UndoAvailable() const { return index_[active_] >= 1; }

    // Puts every history index and the active swatch back to 0.
    void ResetIndexes();

    // Stores WorkColor in the active swatch's current slot and paints the swatch with it.
    void PaintSwatch();
    // Makes swatch v active, redraws the old and the new frame, then ShowReadout.
    void SelectSwatch(int v);
    // Reloads WorkColor from the active swatch's stored colour and fills the readout.
    void ShowReadout();
    // Appends WorkColor to the active swatch's history unless it equals the current slot.
    void PushHistory();
    // The desktop colour dialog's answer: shown and painted first, then recorded; a colour
    // equal to the current slot adds none.
    void TakeChosenColor(ColorValue c);
    // The contrast dialog's answer: it overwrites the current slot and adds none, so undo
    // goes back past the colour the dialog started from.
    void ReplaceColor(ColorValue c);
    // A live pick was cancelled: the active swatch and the readout show its stored colour
    // again; the history is untouched.
    void ShowStored();
    // The usual way a command gives the active swatch a new colour.
    void AdoptColor(ColorValue c);
    // Repaints all four swatches from their stored colours and selects the active one again.
    void RepaintSwatches();

    // Paints the active swatch with WorkColor, framed as active, without touching its history.
    void PaintLive();
    // Fills the readout from WorkColor; the history and the undo item stay as they are.
    void ShowWorkColor();
    // Steps WorkColor by the adjustment button with index `button` (3..10) and records it.
    void AdjustColor(int button);
    // Inverts WorkColor, shows it and records it.
    void Invert();
    // One step back in the active swatch's history; nothing at its first slot.
    void Undo();

  private:
    ColorView* view_;
    std::array<std::array<ColorValue, kHistorySize>, kSwatchCount> history_{};
    std::array<int, kSwatchCount> index_{};
    int active_ = 0;
};

}  // namespace huebird
