#include "core/ColorModel.h"

#include "core/Adjust.h"

namespace huebird {

void ColorModel::SetActiveSwatch(int s) {
    if (s >= 0 && s < kSwatchCount) active_ = s;
}

void ColorModel::ResetIndexes() {
    index_.fill(0);
    active_ = 0;
}

void ColorModel::PaintSwatch() {
    history_[active_][index_[active_]] = WorkColor;
    if (view_) view_->FillSwatch(active_, WorkColor, BorderColor);
}

void ColorModel::SelectSwatch(int v) {
    if (v < 0 || v >= kSwatchCount) return;
    const int previous = active_;
    active_ = v;
    if (view_) {
        view_->FrameSwatch(previous, BorderColor);
        view_->FrameSwatch(v, ImgColor);
    }
    ShowReadout();
}

void ColorModel::ShowReadout() {
    if (view_) view_->SetUndoEnabled(index_[active_] - 1 >= 0);
    WorkColor = StoredColor(active_);
    if (view_) view_->SetReadout(ReadoutTexts(WorkColor));
}

void ColorModel::PushHistory() {
    const int a = active_;
    if (history_[a][index_[a]] == WorkColor) return;
    // No shifting: past the last slot each push replaces it.
    if (index_[a] < kHistorySize - 1) ++index_[a];
    history_[a][index_[a]] = WorkColor;
    SelectSwatch(a);
}

void ColorModel::AdoptColor(ColorValue c) {
    WorkColor = c;
    PushHistory();
    PaintSwatch();
    SelectSwatch(active_);
}

void ColorModel::TakeChosenColor(ColorValue c) {
    WorkColor = c;
    ShowWorkColor();
    PaintLive();
    PushHistory();
}

void ColorModel::ReplaceColor(ColorValue c) {
    WorkColor = c;
    PaintSwatch();
    SelectSwatch(active_);
}

void ColorModel::ShowStored() {
    WorkColor = StoredColor(active_);
    PaintLive();
    ShowReadout();
}

void ColorModel::RepaintSwatches() {
    const int remembered = active_;
    for (int s = 0; s < kSwatchCount; ++s) {
        active_ = s;
        WorkColor = StoredColor(s);
        PaintSwatch();
    }
    SelectSwatch(remembered);
}

void ColorModel::PaintLive() {
    if (!view_) return;
    view_->FillSwatch(active_, WorkColor, BorderColor);
    view_->FrameSwatch(active_, ImgColor);
}

void ColorModel::ShowWorkColor() {
    if (view_) view_->SetReadout(ReadoutTexts(WorkColor));
}

void ColorModel::AdjustColor(int button) {
    if (button < 3 || button > 10) return;
    WorkColor = AdjustedColor(WorkColor, button);
    PushHistory();
    PaintSwatch();
    SelectSwatch(active_);
}

void ColorModel::Invert() {
    WorkColor = InvertedColor(WorkColor);
    ShowWorkColor();
    PaintLive();
    PushHistory();
}

void ColorModel::Undo() {
    const int s = active_;
    if (--index_[s] < 0) {
        index_[s] = 0;
        return;
    }
    WorkColor = history_[s][index_[s]];
    PaintSwatch();
    SelectSwatch(s);
}

}  // namespace huebird
